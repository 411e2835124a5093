#include "modgen/GasFormUnit.h"

#include "app/ImageCollection.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "modgen/MineTable.h"
#include "ui/ErrorBoundary.h"
#include "ui_GasFormUnit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>

namespace {

const QSize kOuterSize(372, 341);
constexpr int kSwitchPictureSize = 32;

struct SwitchEntry {
    const char* control;
    const char* guid;
};

// Top to bottom on the screen. The sixth row of the file (1010309) has no switch.
const SwitchEntry kSwitches[] = {
    {"CoalMineImage", "1010304"}, {"IronMineImage", "1010305"}, {"CopperMIneImage", "1010308"},
    {"TinMineImage", "1010307"},  {"GoldMineImage", "101311"},
};

} // namespace

TGasForm::TGasForm(QWidget* parent) : QDialog(parent), ui(new Ui::TGasForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(236, 210, 164));
    setPalette(background);
    setAutoFillBackground(true);

    for (const SwitchEntry& entry : kSwitches) {
        QLabel* image = findChild<QLabel*>(QLatin1String(entry.control));
        image->installEventFilter(this);
        m_switches.append(Switch{QLatin1String(entry.guid), image, std::nullopt});
    }
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
    return WithTrailingSlash(AppFolders().DataFolder) + QStringLiteral("GasMines.xml");
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

void TGasForm::toggle(int index) {
    Switch& mine = m_switches[index];
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
    toggle(0);
}
void TGasForm::IronMineImageClick() {
    toggle(1);
}
void TGasForm::CopperMIneImageClick() {
    toggle(2);
}
void TGasForm::TinMineImageClick() {
    toggle(3);
}
void TGasForm::GoldMineImageClick() {
    toggle(4);
}

void TGasForm::CloseBtnClick() {
    accept();
}

bool TGasForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int i = 0; i < m_switches.size(); ++i) {
            QLabel* image = m_switches[i].image;
            if (watched == image && mouse->button() == Qt::LeftButton &&
                image->rect().contains(mouse->position().toPoint())) {
                static void (TGasForm::*const kHandlers[])() = {
                    &TGasForm::CoalMineImageClick, &TGasForm::IronMineImageClick,
                    &TGasForm::CopperMIneImageClick, &TGasForm::TinMineImageClick,
                    &TGasForm::GoldMineImageClick};
                ErrorBoundary::run([this, i] { (this->*kHandlers[i])(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
