#include "ui/ValueBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProxyStyle>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRepeatIntervalMs = 50;
// A threshold no press lasts: a box without repeat steps once per click.
constexpr int kNoRepeatThresholdMs = 24 * 60 * 60 * 1000;

// The spin buttons take their repeat timing from the style; this answers it per box.
class ValueBoxStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        const auto* box = qobject_cast<const ValueBox*>(widget);
        if (box) {
            if (hint == SH_SpinBox_ClickAutoRepeatRate || hint == SH_SpinBox_KeyPressAutoRepeatRate)
                return kRepeatIntervalMs;
            if (hint == SH_SpinBox_ClickAutoRepeatThreshold && !box->autoRepeat())
                return kNoRepeatThresholdMs;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* valueBoxStyle() {
    static QPointer<ValueBoxStyle> style;
    if (!style) {
        style = new ValueBoxStyle;
        style->setParent(qApp);
    }
    return style;
}

// The system's number format without group separators: "2500", not "2.500".
QLocale numberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace

ValueBox::ValueBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setStyle(valueBoxStyle());
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        Q_EMIT changed();
        const double now = value();
        if (now != m_lastValue) {
            m_lastValue = now;
            Q_EMIT valueChanged(now);
        }
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (hasValidValue() && (value() < m_minimum || value() > m_maximum))
            setValue(value());
    });
}

QString ValueBox::text() const {
    return lineEdit()->text();
}

void ValueBox::setText(const QString& text) {
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

double ValueBox::value() const {
    bool ok = false;
    const double parsed = numberLocale().toDouble(text().trimmed(), &ok);
    return ok ? parsed : 0.0;
}

bool ValueBox::hasValidValue() const {
    bool ok = false;
    const QLocale locale = numberLocale();
    if (m_decimals == 0)
        locale.toLongLong(text().trimmed(), &ok);
    else
        locale.toDouble(text().trimmed(), &ok);
    return ok;
}

void ValueBox::setValue(double value) {
    const double clamped = std::clamp(value, m_minimum, m_maximum);
    const double scale = std::pow(10.0, m_decimals);
    const double rounded = std::round(clamped * scale) / scale;
    setText(numberLocale().toString(rounded, 'f', m_decimals));
}

double ValueBox::minimum() const {
    return m_minimum;
}
void ValueBox::setMinimum(double minimum) {
    m_minimum = minimum;
    if (m_maximum < m_minimum)
        m_maximum = m_minimum;
}
double ValueBox::maximum() const {
    return m_maximum;
}
void ValueBox::setMaximum(double maximum) {
    m_maximum = maximum;
    if (m_minimum > m_maximum)
        m_minimum = m_maximum;
}
double ValueBox::smallStep() const {
    return m_smallStep;
}
void ValueBox::setSmallStep(double step) {
    m_smallStep = step;
}
double ValueBox::largeStep() const {
    return m_largeStep;
}
void ValueBox::setLargeStep(double step) {
    m_largeStep = step;
}
int ValueBox::decimals() const {
    return m_decimals;
}
void ValueBox::setDecimals(int decimals) {
    m_decimals = std::clamp(decimals, 0, 6);
}
int ValueBox::maxLength() const {
    return m_maxLength;
}
// Only typing is limited (in validate); a load or a step may show a longer text.
void ValueBox::setMaxLength(int length) {
    m_maxLength = std::max(1, length);
}
bool ValueBox::autoRepeat() const {
    return m_autoRepeat;
}
// The spin buttons read their repeat timing from the style once, when the style is set; a style change
// makes them read it again, so a press after this call follows the new setting.
void ValueBox::setAutoRepeat(bool repeat) {
    if (m_autoRepeat == repeat)
        return;
    m_autoRepeat = repeat;
    QEvent styleChange(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &styleChange);
}

void ValueBox::stepBy(int steps) {
    const double start = hasValidValue() ? value() : m_minimum;
    setValue(start + steps * m_smallStep);
    selectAll();
}

QAbstractSpinBox::StepEnabled ValueBox::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    if (!hasValidValue())
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void ValueBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool stepKey =
        key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (stepKey && event->isAutoRepeat() && !m_autoRepeat) {
        event->accept();
        return;
    }
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        if (!isReadOnly()) {
            const double start = hasValidValue() ? value() : m_minimum;
            setValue(start + (key == Qt::Key_PageUp ? m_largeStep : -m_largeStep));
            selectAll();
        }
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

QValidator::State ValueBox::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (input.size() > m_maxLength)
        return QValidator::Invalid;
    const QString decimalPoint = numberLocale().decimalPoint();
    int separators = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QString ch = input.mid(i, 1);
        if (ch.at(0).isDigit())
            continue;
        if (m_decimals > 0 && ch == decimalPoint && ++separators == 1)
            continue;
        if (i == 0 && m_minimum < 0 && ch == numberLocale().negativeSign())
            continue;
        return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}
