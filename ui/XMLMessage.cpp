#include "ui/XMLMessage.h"

#include "app/ImageCollection.h"
#include "ui_XMLMessage.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace {

// Room kept free between a dialog as wide as it may grow and the screen's edges.
constexpr int kScreenMargin = 16;

// "Consolas" where it exists, otherwise the system's fixed-pitch face, always bold.
QFont messageFont(const QFont& designed) {
    QFont font = designed;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Liberation Mono"), fixed.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    return font;
}

} // namespace

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent), ui(new Ui::TMessageForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    QPalette band = ui->Shape1->palette();
    band.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Highlight));
    ui->Shape1->setPalette(band);
    QPalette header = ui->HeaderLabel->palette();
    header.setColor(QPalette::WindowText, Qt::white);
    ui->HeaderLabel->setPalette(header);
    QPalette rule = ui->Line->palette();
    rule.setColor(QPalette::Window, QColor(160, 160, 160));
    ui->Line->setPalette(rule);

    ui->MsgBoxLabel->setFont(messageFont(ui->MsgBoxLabel->font()));
    ui->MsgBoxLabel->setAttribute(Qt::WA_TranslucentBackground);

    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->AbortBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TMessageForm::~TMessageForm() {
    delete ui;
}

bool TMessageForm::Ask(const QString& iconName, const QString& header, const QString& message,
                       const QString& okCaption, const QString& abortCaption) {
    ui->RemarkImage->setPixmap(PixmapFromCollection(iconName, 64, 64));
    ui->MsgBoxLabel->setText(message);
    ui->HeaderLabel->setText(header);
    ui->OKBtn->setVisible(true);
    ui->OKBtn->setText(okCaption);
    ui->AbortBtn->setVisible(true);
    ui->AbortBtn->setText(abortCaption);
    return exec() == QDialog::Accepted;
}

void TMessageForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    ui->AbortBtn->setFocus(Qt::OtherFocusReason);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TMessageForm::FormShow() {
    QLabel* label = ui->MsgBoxLabel;
    // Every CR starts a new line; the label draws line feeds.
    QString text = label->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setWordWrap(false);

    // A line too wide for the screen (a very long ship name) is shortened in its middle, so the dialog and
    // its buttons stay on the screen; every line that fits is shown as it is.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isValid()) {
        const int widest = area.width() - 64 - 48 - 30 - 2 * kScreenMargin;
        const QFontMetrics metrics = label->fontMetrics();
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            if (metrics.horizontalAdvance(line) > widest)
                line = metrics.elidedText(line, Qt::ElideMiddle, widest);
        }
        text = lines.join(QLatin1Char('\n'));
    }
    label->setText(text);

    label->move(105, 60);
    label->setMinimumSize(0, 0);
    label->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize natural = label->sizeHint();
    label->setFixedSize(natural.width() + 30, natural.height());
    const int labelBottom = label->y() + label->height();

    ui->AbortBtn->setGeometry(16, labelBottom + 40, 105, 30);
    ui->Line->move(ui->Line->x(), labelBottom + 32);
    ui->OKBtn->setGeometry(label->x() + label->width() - 105, labelBottom + 40, 105, 30);

    QLabel* image = ui->RemarkImage;
    if (!image->pixmap().isNull())
        image->resize(image->pixmap().deviceIndependentSize().toSize());

    const int width = image->width() + label->width() + 48;
    const int height = labelBottom + ui->OKBtn->height() + 48;
    setFixedSize(width, height);
    // The band and the rule span the whole dialog however wide the message makes it.
    ui->Shape1->resize(std::max(769, width), ui->Shape1->height());
    ui->Line->resize(std::max(800, width - ui->Line->x()), ui->Line->height());
    image->move(8, height / 2 - 32);

    if (screen) {
        const QRect whole = screen->geometry();
        move(whole.x() + std::abs(whole.width() - width) / 2,
             whole.y() + std::abs(whole.height() - height) / 2);
    }
}
