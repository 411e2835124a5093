#include "app/MainFormUnit.h"

#include "app/ApplicationIcon.h"
#include "app/DataPackage.h"
#include "app/DisplayFont.h"
#include "app/FindGameFolder.h"
#include "app/Forms.h"
#include "app/GameFolderBrowser.h"
#include "app/ImageCollection.h"
#include "app/MainFormHelpIds.h"
#include "app/ProgramFolder.h"
#include "app/Services.h"
#include "data/DataFiles.h"
#include "data/DataPreparation.h"
#include "data/Folders.h"
#include "data/ValueFields.h"
#include "ui/ErrorBoundary.h"
#include "ui/FrameWatch.h"
#include "ui/HoverHelp.h"
#include "ui/InfoUnit.h"
#include "ui/PictureLabel.h"
#include "ui/ValueFieldControls.h"
#include "ui/WindowControls.h"
#include "ui/XMLMessage.h"
#include "ui_MainFormUnit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kWindowWidth = 1390;
constexpr int kWindowHeight = 716;
constexpr int kGameWatchIntervalMs = 50;

QString& programFolderOverride() {
    static QString folder;
    return folder;
}

std::function<bool(const QString&)>& gameRunningOverride() {
    static std::function<bool(const QString&)> check;
    return check;
}

// The decimals of the system's currency format ("1,00 €" → 2); 2 when the format shows no fraction part.
int currencyDecimals() {
    const QLocale locale;
    const QString money = locale.toCurrencyString(1.0, QStringLiteral(" "));
    const qsizetype point = money.lastIndexOf(locale.decimalPoint());
    if (point < 0)
        return 2;
    int digits = 0;
    for (qsizetype i = point + locale.decimalPoint().size(); i < money.size() && money.at(i).isDigit(); ++i)
        ++digits;
    return digits > 0 ? digits : 2;
}

} // namespace

void TMainForm::showDecoration() {
    // Each picture fills its label and is drawn only where the label has none yet.
    const struct {
        QLabel* label;
        const char* picture;
    } pictures[] = {
        {ui->Background, "Background"},
        {ui->YardImage, "Yard"},
        {ui->VelmoraImage, "VelmoraLogo"},
        {ui->Image1, "Image1"},
        {ui->SingleResetImage, "SingleReset"},
        {ui->FullResetImage, "FullReset"},
        {ui->HelpImage, "HelpBook"},
        {ui->ImagePanelNameCost, "BrownList"},
        {ui->ImagePanelNameDetail, "BrownList"},
        {ui->ArmedImage, "Armed"},
    };
    for (const auto& entry : pictures) {
        if (entry.label->pixmap().isNull())
            entry.label->setPixmap(PixmapFromCollection(QString::fromLatin1(entry.picture),
                                                        entry.label->width(), entry.label->height()));
    }
    ShowPanelPictures(this);
    // Every change marker, those of the value boxes and those of the seven cost rows, shows one picture.
    QStringList markers;
    for (const ValueField& field : ValueFields())
        markers.append(field.marker);
    for (std::size_t row = 0; row < m_costRows.size(); ++row)
        markers.append(QStringLiteral("CostDot%1").arg(row));
    const WindowControls controls(this);
    for (const QString& marker : markers) {
        QLabel* label = controls.label(marker);
        label->setPixmap(PixmapFromCollection(QStringLiteral("ChangeDot"), label->width(), label->height()));
    }
}

void TMainForm::SetProgramFolderForTests(const QString& folder) {
    programFolderOverride() = folder;
}

void TMainForm::SetGameRunningCheckForTests(std::function<bool(const QString&)> check) {
    gameRunningOverride() = std::move(check);
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), ui(new Ui::TMainForm) {
    ui->setupUi(this);
    SetUpValueBoxes(this);
    m_costRows = FindCostRows(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kWindowWidth, kWindowHeight);
    setAttribute(Qt::WA_QuitOnClose, true);
    // The program sets the same icon for the whole application before; drawing it again would cost start-up.
    setWindowIcon(QGuiApplication::windowIcon().isNull() ? ApplicationIcon() : QGuiApplication::windowIcon());

    QPalette parchment = palette();
    parchment.setColor(QPalette::Window, QColor(236, 210, 164));
    setPalette(parchment);
    setAutoFillBackground(true);
    ui->centralwidget->setAutoFillBackground(false);

    ui->ForwardSpeed->setDecimals(currencyDecimals());
    showDecoration();

    ui->MakeData->setFocus();
    ui->ShipInfoMemo->installEventFilter(this);
    connect(ui->CloseBtn, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { CloseBtnClick(); }); });
    connect(ui->MakeData, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { MakeDataClick(); }); });
    connectPictureClick(ui->HelpImage, [this] { HelpImageClick(); });

    m_hoverHelp = new HoverHelp(ui->centralwidget, MainFormHelpIds(), ui->HelpHeaderLabel, ui->HelpLabel);

    connectEditorHandlers();
    connectModgenHandlers();

    new FrameWatch(this, [this](QSize frame) { FitToScreen(frame); });

    ProzessTimer = new QTimer(this);
    ProzessTimer->setObjectName(QStringLiteral("ProzessTimer"));
    ProzessTimer->setInterval(kGameWatchIntervalMs);
    connect(ProzessTimer, &QTimer::timeout, this, [this] { ProzessTimerTimer(); });

    FormCreate();
    if (!StartupAborted)
        ProzessTimer->start();
}

TMainForm::~TMainForm() {
    delete ui;
}

void TMainForm::FormCreate() {
    // 1. Decimal separator of the system's default locale.
    const QString separator = QLocale::system().decimalPoint().left(10);
    DecimalSeparatorIsPoint = separator == QStringLiteral(".");

    // 2. Folders beside the executable, or in the user's data location for an installed program.
    const QString programFolder = ProgramFolderFor(
        programFolderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : programFolderOverride());
    const Folders derived = Folders::ForProgramFolder(programFolder);
    Folders& folders = AppFolders();
    folders.ProgramFolder = derived.ProgramFolder;
    folders.DataFolder = derived.DataFolder;
    folders.OriginalFolder = derived.OriginalFolder;

    // 3. Single copy, game and mods folder.
    DialogGameFolderUi gameFolderUi(this);
    if (!FindGameFolder(gameFolderUi)) {
        StartupAborted = true;
        return;
    }

    // 4. First start: the data folder comes out of the embedded package; an existing one is used as it is.
    if (!QDir(folders.DataFolder).exists()) {
        UnpackDataPackage(folders.ProgramFolder, [](const QString& caption, const QString& text) {
            QMessageBox::critical(nullptr, caption, text);
        });
    }

    // 5. The display font.
    InstallDisplayFont(this);

    // 6. to 12.: each step that fails is reported and start-up goes on, so the window always opens.
    ErrorBoundary::run(
        [&] { m_hoverHelp->setHelpDocument(XmlDocument::load(folders.DataFolder + DataFile::HelpTexts)); });

    resize(kWindowWidth, kWindowHeight);
    ui->ShipView->setGeometry(132, 54, ui->ShipView->width(), 524);

    CurrentGasType = QStringLiteral("Heliumgas");
    ui->HeliumGasImage->setPixmap(PixmapFromCollection(QStringLiteral("HeliumgasSelected"), 100, 100));
    ui->ArcticGasImage->setPixmap(PixmapFromCollection(QStringLiteral("Arcticgas"), 100, 100));

    ErrorBoundary::run([this] {
        FillShipList();
        if (ui->ShipView->topLevelItemCount() > 0) {
            ui->ShipView->setCurrentItem(ui->ShipView->topLevelItem(0));
            LoadShipDetails();
        }
    });

    ValuesChanged = false;
    CostsChanged = false;

    if (!ui->Background->pixmap().isNull())
        ui->Background->adjustSize();
    ui->Background->lower();

    ErrorBoundary::run([this] { ui->Version->setText(GetProgramVersion()); });
}

void TMainForm::ProzessTimerTimer() {
    const QString game = GameExecutableName();
    const bool running = gameRunningOverride() ? gameRunningOverride()(game) : IsGameRunningWatched(game);
    ui->VelmoraLabel->setVisible(running);
}

void TMainForm::CloseBtnClick() {
    if (ValuesChanged || CostsChanged) {
        if (MessageForm->Ask(QStringLiteral("Frage"), QStringLiteral("Sicherheitsabfrage"),
                             QStringLiteral("Änderungen speichern ?"), QStringLiteral("Ja"),
                             QStringLiteral("Nein")))
            SaveCurrentShip();
    }
    ValuesChanged = false;
    CostsChanged = false;
    close();
}

void TMainForm::HelpImageClick() {
    InfoForm->exec();
}

void TMainForm::MakeDataClick() {
    RunDataPreparation(AppFolders().OriginalFolder, AppFolders().DataFolder);
}

void TMainForm::connectPictureClick(QWidget* picture, std::function<void()> handler) {
    // Space or Enter on a picture that takes the focus runs the same handler as its click.
    if (auto* button = qobject_cast<PictureLabel*>(picture))
        connect(button, &PictureLabel::activated, this, [handler] { ErrorBoundary::run(handler); });
    m_pictureClicks.insert(picture, std::move(handler));
    picture->installEventFilter(this);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    ProzessTimer->stop();
    event->accept();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Before the window manager has reported a frame: placed and sized as if it drew none; the frame
    // watch corrects both once the frame is known.
    FitToScreen(FrameWatch::frameSize(this));
}

// The outer size is what counts: where the system draws a frame, the client area gives way to it. Where
// the screen's free area cannot hold the window, the unchanged layout is shown in a scrollable area of the
// free area's size.
void TMainForm::FitToScreen(QSize frame) {
    const QSize client = QSize(kWindowWidth, kWindowHeight) - frame;
    const QScreen* screen = this->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), client + frame);
    const QSize room = area.size() - frame;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool wide = client.width() > room.width();
    bool tall = client.height() > room.height();
    // A scroll bar along one edge takes room from the other.
    for (int pass = 0; pass < 2; ++pass) {
        wide = client.width() + (tall ? bar : 0) > room.width();
        tall = client.height() + (wide ? bar : 0) > room.height();
    }
    setScrolling(wide || tall);
    ui->centralwidget->setFixedSize(client);
    QSize size = client;
    if (wide || tall)
        size = QSize(qMin(client.width() + (tall ? bar : 0), room.width()),
                     qMin(client.height() + (wide ? bar : 0), room.height()));
    setFixedSize(size);
    const QSize outer = size + frame;
    const QPoint corner(area.x() + qMax(0, (area.width() - outer.width()) / 2),
                        area.y() + qMax(0, (area.height() - outer.height()) / 2));
    // The frame's corner: the window system places it; the widget's own idea of the frame may be stale.
    if (QWindow* handle = windowHandle())
        handle->setFramePosition(corner);
    else
        move(corner);
}

void TMainForm::setScrolling(bool scrolling) {
    if (scrolling == (m_screenScroll != nullptr))
        return;
    QWidget* focus = focusWidget();
    if (scrolling) {
        m_screenScroll = new QScrollArea;
        m_screenScroll->setObjectName(QStringLiteral("ScreenScrollArea"));
        m_screenScroll->setFrameShape(QFrame::NoFrame);
        m_screenScroll->setWidgetResizable(false);
        m_screenScroll->viewport()->setAutoFillBackground(false);
        m_screenScroll->setWidget(takeCentralWidget());
        setCentralWidget(m_screenScroll);
    } else {
        QWidget* content = m_screenScroll->takeWidget();
        setCentralWidget(content); // the scroll area goes with the old central widget
        m_screenScroll = nullptr;
        content->show();
    }
    if (focus)
        focus->setFocus();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto found = m_pictureClicks.constFind(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (found != m_pictureClicks.constEnd() && widget && widget->isEnabled() &&
            mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            const std::function<void()> handler = found.value();
            ErrorBoundary::run(handler);
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (watched == ui->ShipInfoMemo) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // The description is one paragraph: Enter adds no line break.
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
