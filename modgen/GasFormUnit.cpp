#include "modgen/GasFormUnit.h"

#include "app/ImageCollection.h"
#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "modgen/MineTable.h"
#include "ui/ErrorBoundary.h"
#include "ui_GasFormUnit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

namespace {

const QSize kOuterSize(372, 341);
constexpr int kSwitchPictureSize = 32;

} // namespace

TGasForm::TGasForm(QWidget* parent) : QDialog(parent), ui(new Ui::TGasForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(236, 210, 164));
    setPalette(background);
    setAutoFillBackground(true);

    for (const HeliumMine& mine : HeliumMines()) {
        QLabel* image = findChild<QLabel*>(QLatin1String(mine.switchControl));
        image->installEventFilter(this);
        m_switches.append(Switch{QLatin1String(mine.guid), image, std::nullopt});
    }
    m_handlers = {{ui->CoalMineImage, &TGasForm::CoalMineImageClick},
                  {ui->IronMineImage, &TGasForm::IronMineImageClick},
                  {ui->CopperMIneImage, &TGasForm::CopperMIneImageClick},
                  {ui->TinMineImage, &TGasForm::TinMineImageClick},
                  {ui->GoldMineImage, &TGasForm::GoldMineImageClick}};
    // The captions lie inside the switches' clickable areas; clicks on them reach the switch.
    for (QLabel* caption :
         {ui->CoalMineLabel, ui->IronMineLabel, ui->CopperMineLabel, ui->TinMineLabel, ui->GoldMineLabel}) {
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    ui->GasImage->setPixmap(PixmapFromCollection(QStringLiteral("icon_gas_buff"), 96, 96));
    connect(ui->CloseBtn, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { CloseBtnClick(); }); });
    FormCreate();
}

TGasForm::~TGasForm() {
    delete ui;
}

void TGasForm::FormCreate() {
    setFixedSize(kOuterSize);
}

void TGasForm::showEvent(QShowEvent* event) {
    // The outer size includes the frame, which is known only once the window is shown.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() > 0 || frame.height() > 0) {
        setFixedSize(kOuterSize - frame);
    }
    const QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    const QRect area = (over && over != this) ? over->frameGeometry()
                       : screen()             ? screen()->availableGeometry()
                                              : QRect();
    if (area.isValid()) {
        move(area.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
    }
    QDialog::showEvent(event);
    FormShow();
}

QString TGasForm::mineFilePath() const {
    return WithTrailingSlash(AppFolders().DataFolder) + DataFile::Mines;
}

void TGasForm::FormShow() {
    m_mines = XmlDocument::load(mineFilePath());
    for (Switch& mine : m_switches) {
        mine.state = ReadMineState(m_mines, mine.guid);
        showState(mine);
    }
}

void TGasForm::showState(const Switch& mine) {
    mine.image->clear();
    QString picture;
    if (mine.state == QLatin1String("true")) {
        picture = QStringLiteral("Ja");
    } else if (mine.state == QLatin1String("false")) {
        picture = QStringLiteral("Nein");
    }
    if (!picture.isEmpty()) {
        mine.image->setPixmap(PixmapFromCollection(picture, kSwitchPictureSize, kSwitchPictureSize));
    }
    mine.image->setAccessibleName(picture);
}

void TGasForm::toggle(const QLabel* image) {
    const auto found = std::find_if(m_switches.begin(), m_switches.end(),
                                    [image](const Switch& mine) { return mine.image == image; });
    if (found == m_switches.end()) {
        return;
    }
    Switch& mine = *found;
    QString next;
    if (mine.state == QLatin1String("true")) {
        next = QStringLiteral("false");
    } else if (mine.state == QLatin1String("false")) {
        next = QStringLiteral("true");
    } else {
        return;
    }
    XmlNode row = m_mines.selectSingle(MineQuery(mine.guid));
    if (row.isNull()) {
        return;
    }
    const QString previous = *mine.state;
    row.setAttributeAt(2, next);
    try {
        m_mines.save(mineFilePath());
    } catch (const SkylatheError&) {
        // The switch keeps showing what the file holds.
        row.setAttributeAt(2, previous);
        throw;
    }
    mine.state = next;
    showState(mine);
}

void TGasForm::CoalMineImageClick() {
    toggle(ui->CoalMineImage);
}
void TGasForm::IronMineImageClick() {
    toggle(ui->IronMineImage);
}
void TGasForm::CopperMIneImageClick() {
    toggle(ui->CopperMIneImage);
}
void TGasForm::TinMineImageClick() {
    toggle(ui->TinMineImage);
}
void TGasForm::GoldMineImageClick() {
    toggle(ui->GoldMineImage);
}

void TGasForm::CloseBtnClick() {
    accept();
}

bool TGasForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (const auto& [image, handler] : m_handlers) {
            if (watched == image && mouse->button() == Qt::LeftButton &&
                image->rect().contains(mouse->position().toPoint())) {
                ErrorBoundary::run([this, handler] { (this->*handler)(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
