#pragma once

#include <QList>
#include <QString>

// The sixteen value boxes of the detail view and what each one means in a ship record. Loading, saving,
// the change markers, the original-values window and the box set-up all read this one table.
enum class ValueConversion {
    Plain,            // the element text as it is
    DecimalSeparator, // fraction: "." in the record, the user's separator in the box
    MillisToSeconds,  // milliseconds in the record, whole seconds in the box
};

struct ValueField {
    QString box;  // object name of the value box, e.g. "ForwardSpeed"
    QString path; // element path relative to the record's Values element
    ValueConversion conversion;
    bool hasWorkingDefault; // the box text is set to `workingDefault` before the record is read
    QString workingDefault;
    bool hasOriginalDefault;
    QString originalDefault;
    QString panel;   // object name of the panel holding the box
    QString marker;  // object name of the change marker
    QString caption; // panel caption
    double minimum;
    double maximum;
    double smallStep;
    double largeStep;
    int decimals; // 0 for whole numbers; for the speed the currency digits of German systems
    int maxLength;
    bool autoRepeat;
    bool armedOnly; // panel shown for armed ships only
    int saveOrder;  // position in the save's write order; 0 when the value is written with the costs
};

// The table, in the order of the marker pass.
const QList<ValueField>& ValueFields();

// The field for a box name; nullptr for an unknown name.
const ValueField* FindValueField(const QString& box);

// The fields written by the value save, in their write order.
QList<const ValueField*> ValueFieldsInSaveOrder();
