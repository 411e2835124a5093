#include "app/DisplayFont.h"
#include "app/FindGameFolder.h"
#include "app/GameFolderBrowser.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
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
void WhenBrowserShows(std::function<void(GameFolderBrowser*)> act) {
    QTimer::singleShot(0, [act] {
        auto* browser = qobject_cast<GameFolderBrowser*>(QApplication::activeModalWidget());
        if (browser == nullptr) {
            WhenBrowserShows(act);
            return;
        }
        act(browser);
    });
}
} // namespace

void TestShellGui::browserChoosesFolder() {
    QTemporaryDir dir;
    QString chosenCheck;
    WhenBrowserShows([&](GameFolderBrowser* browser) {
        QCOMPARE(browser->findChild<QLabel*>("DescriptionLabel")->text(),
                 GameFolderTexts::browserDescription().trimmed());
        auto* ok = browser->findChild<QPushButton*>("OkButton");
        auto* tree = browser->findChild<QTreeView*>("FolderTree");
        QVERIFY(!ok->isEnabled()); // nothing preselected
        QVERIFY(tree->selectionModel()->selectedRows().isEmpty());
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(dir.path()));
        QVERIFY(ok->isEnabled());
        chosenCheck = browser->selectedFolder();
        ok->click();
    });
    DialogGameFolderUi ui;
    QCOMPARE(ui.browseForGameFolder(GameFolderTexts::browserDescription()), dir.path());
    QCOMPARE(chosenCheck, dir.path());
}

void TestShellGui::browserCancelled() {
    WhenBrowserShows(
        [](GameFolderBrowser* browser) { browser->findChild<QPushButton*>("CancelButton")->click(); });
    DialogGameFolderUi ui;
    QVERIFY(ui.browseForGameFolder(GameFolderTexts::browserDescription()).isEmpty());
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
