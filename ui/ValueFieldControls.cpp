#include "ui/ValueFieldControls.h"

#include "data/ValueFields.h"
#include "ui/WindowControls.h"

void SetUpValueBoxes(QWidget* window) {
    const WindowControls c(window);
    for (const ValueField& field : ValueFields()) {
        ValueBox* box = c.box(field.box);
        box->setMinimum(field.minimum);
        box->setMaximum(field.maximum);
        box->setSmallStep(field.smallStep);
        box->setLargeStep(field.largeStep);
        box->setDecimals(field.decimals);
        box->setMaxLength(field.maxLength);
        box->setAutoRepeat(field.autoRepeat);
    }
}

void ShowArmedOnlyPanels(QWidget* window, bool armed) {
    const WindowControls c(window);
    for (const ValueField& field : ValueFields()) {
        if (field.armedOnly) {
            c.widget(field.panel)->setVisible(armed);
        }
    }
}
