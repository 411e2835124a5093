#pragma once

#include <QAbstractSpinBox>

// A number box with spin buttons that holds its value as text, the way the editor's value boxes work:
// a load puts the record's text in unchanged ("11,7" stays "11,7"), stepping formats the new value with the
// box's decimals and the system's decimal separator. Up/Down step by the small step, Page Up/Page Down by
// the large step; the arrows repeat every 50 ms while held unless repeat is switched off. Input is limited
// to `maxLength` characters and the value is kept within the range.
class ValueBox : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double smallStep READ smallStep WRITE setSmallStep)
    Q_PROPERTY(double largeStep READ largeStep WRITE setLargeStep)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(bool autoRepeat READ autoRepeat WRITE setAutoRepeat)

public:
    explicit ValueBox(QWidget* parent = nullptr);

    // The box's text as shown (the text the editor loads, saves and compares).
    QString text() const;
    // Sets the text unchanged; emits changed() when it differs, and valueChanged() when the value does.
    void setText(const QString& text);

    // The numeric value parsed from the text with the system's format; 0 for a text that does not parse.
    double value() const;
    // Whether the text parses as a number (a whole number for a box without decimals).
    bool hasValidValue() const;
    void setValue(double value);

    double minimum() const;
    void setMinimum(double minimum);
    double maximum() const;
    void setMaximum(double maximum);
    double smallStep() const;
    void setSmallStep(double step);
    double largeStep() const;
    void setLargeStep(double step);
    int decimals() const;
    void setDecimals(int decimals);
    int maxLength() const;
    void setMaxLength(int length);
    bool autoRepeat() const;
    void setAutoRepeat(bool repeat);

    void stepBy(int steps) override;

Q_SIGNALS:
    // Every change of the text, typed, spun or set by a load: the box's change notification.
    void changed();
    void valueChanged(double value);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    double m_minimum = 0;
    double m_maximum = 99;
    double m_smallStep = 1;
    double m_largeStep = 10;
    int m_decimals = 0;
    int m_maxLength = 32767;
    bool m_autoRepeat = true;
    double m_lastValue = 0;
};
