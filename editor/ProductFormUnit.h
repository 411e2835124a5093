#pragma once

#include <QDialog>

// The product picker.
class TProductForm : public QDialog {
    Q_OBJECT

public:
    explicit TProductForm(QWidget* parent = nullptr);
};
