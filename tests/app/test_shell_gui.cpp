#include "app/DisplayFont.h"
#include "app/FindGameFolder.h"
#include "app/GameFolderBrowser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestShellGui : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void browserChoosesFolder();
    void browserCancelled();
    void displayFont();
};

namespace {
// Answers the browser once it is shown, as a user would.
void WhenBrowserShows(std::function<void(QFileDialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* browser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (browser == nullptr) {
            WhenBrowserShows(act);
            return;
        }
        act(browser);
    });
}
} // namespace

void TestShellGui::browserChoosesFolder() {
    // The game lies below a hidden folder, as Steam's and Wine's do; the user types part of the path.
    QTemporaryDir dir;
    const QString steam = dir.path() + "/.steam/steam/steamapps/common";
    QVERIFY(QDir().mkpath(steam + "/Velmora"));
    // What the user sees is collected while the dialog is open and checked once it has closed.
    QString objectName, description, startFolder;
    bool dirsOnly = false, newFolderOffered = true;
    QStringList listed;
    WhenBrowserShows([&](QFileDialog* browser) {
        objectName = browser->objectName();
        if (auto* label = browser->findChild<QLabel*>("DescriptionLabel"))
            description = label->text();
        startFolder = browser->directory().absolutePath();
        dirsOnly = browser->testOption(QFileDialog::ShowDirsOnly);
        auto* newFolder = browser->findChild<QToolButton*>("newFolderButton");
        newFolderOffered = newFolder == nullptr || (newFolder->isEnabled() && !newFolder->isHidden());
        auto* view = browser->findChild<QAbstractItemView*>("listView");
        if (!QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) > 0; }))
            qWarning("the folder list stayed empty");
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        auto* name = browser->findChild<QLineEdit*>("fileNameEdit");
        name->setFocus();
        QTest::keyClicks(name, ".steam/steam/steamapps/common/Velmora");
        QTest::keyClick(name, Qt::Key_Return);
    });
    DialogGameFolderUi ui;
    QCOMPARE(ui.browseForGameFolder(GameFolderTexts::browserDescription(), dir.path()), steam + "/Velmora");
    QCOMPARE(objectName, QStringLiteral("GameFolderBrowser"));
    QCOMPARE(description, GameFolderTexts::browserDescription().trimmed());
    QCOMPARE(startFolder, dir.path());
    QVERIFY(dirsOnly);
    QVERIFY(!newFolderOffered);
    QCOMPARE(listed, QStringList{".steam"}); // hidden folders are listed
}

void TestShellGui::browserCancelled() {
    QTemporaryDir dir;
    WhenBrowserShows([](QFileDialog* browser) {
        browser->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    });
    DialogGameFolderUi ui;
    QVERIFY(ui.browseForGameFolder(GameFolderTexts::browserDescription(), dir.path()).isEmpty());
}

void TestShellGui::displayFont() {
    QWidget window;
    auto* label = new QLabel("Baukosten", &window);
    QVERIFY(InstallDisplayFont(&window));
    QCOMPARE(DisplayFontFamily(), QStringLiteral("TeX Gyre Pagella"));
    QCOMPARE(label->font().family(), DisplayFontFamily());
    QCOMPARE(label->font().pointSize(), 10);
    QCOMPARE(label->font().bold(), true);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(65, 55, 40));
    QVERIFY(QFontInfo(label->font()).family().contains("Pagella"));
}

QTEST_MAIN(TestShellGui)
#include "test_shell_gui.moc"
