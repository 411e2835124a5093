#include "ui/InfoUnit.h"

#include "app/ImageCollection.h"
#include "data/DataFiles.h"
#include "data/Folders.h"
#include "ui/FrameWatch.h"
#include "ui_InfoUnit.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
constexpr int kOuterWidth = 590;
constexpr int kOuterHeight = 716;
} // namespace

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent), ui(new Ui::TInfoForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kOuterWidth, kOuterHeight);
    QPalette parchment = palette();
    parchment.setColor(QPalette::Window, QColor(236, 210, 164));
    setPalette(parchment);
    setAutoFillBackground(true);
    ui->Background->setPixmap(PixmapFromCollection(QStringLiteral("Background"), kOuterWidth, kOuterHeight));
    ui->Background->lower();
    connect(ui->OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    // The outer size is what counts: where the system draws a frame, the client area gives way to it.
    new FrameWatch(this, [this](QSize frame) { setFixedSize(QSize(kOuterWidth, kOuterHeight) - frame); });
}

TInfoForm::~TInfoForm() {
    delete ui;
}

void TInfoForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TInfoForm::FormShow() {
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QFont bold = owner->font();
        bold.setBold(true);
        setFont(bold);
        const QRect over = owner->frameGeometry();
        move(over.x() + (over.width() - kOuterWidth) / 2, over.y() + (over.height() - kOuterHeight) / 2);
    }
    ui->browser->showPage(AppFolders().DataFolder + DataFile::HelpPage);
}

void TInfoForm::OKBtnClick() {
    accept();
}

void TInfoForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TInfoForm::closeEvent(QCloseEvent* event) {
    event->ignore();
}
