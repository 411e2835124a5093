#pragma once

#include "data/Xml.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <optional>

class QLabel;

namespace Ui {
class TGasForm;
}

// The dialog "Gasproduktion": switches extra helium production of five mines on and off. Every click is
// stored in "GasMines.xml" at once; the next generation run reads it.
class TGasForm : public QDialog {
    Q_OBJECT

public:
    explicit TGasForm(QWidget* parent = nullptr);
    ~TGasForm() override;

    void FormCreate();
    // Reloads the mine list and shows the five states.
    void FormShow();
    // Each toggles one mine and saves the file. Throws SkylatheError when the file cannot be saved; the
    // switch then keeps showing the stored state.
    void CoalMineImageClick();
    void IronMineImageClick();
    void CopperMIneImageClick();
    void TinMineImageClick();
    void GoldMineImageClick();
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::TGasForm* ui;
    struct Switch {
        QString guid;
        QLabel* image = nullptr;
        std::optional<QString> state; // the text at attribute position 2; empty for a missing row
    };
    // Toggles the mine whose switch is `image`.
    void toggle(const QLabel* image);
    void showState(const Switch& mine);
    QString mineFilePath() const;

    XmlDocument m_mines;
    QList<Switch> m_switches; // in the order of the mine table
    QList<QPair<QLabel*, void (TGasForm::*)()>> m_handlers;
};
