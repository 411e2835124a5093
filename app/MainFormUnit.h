#pragma once

#include "data/Xml.h"
#include "editor/CostRow.h"

#include <QMainWindow>
#include <QMap>
#include <QString>

class QTimer;

namespace Ui {
class TMainForm;
}

// The main window. Its creation runs the start-up sequence. The handlers are spread over several source
// files by subject: start-up, services and hover help (app/), the ship editor (editor/), mod generation
// (modgen/).
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    Ui::TMainForm* ui;

    // ---- program-wide state --------------------------------------------------------------------------
    bool DecimalSeparatorIsPoint = false;
    QString CurrentGasType = QStringLiteral("Heliumgas");
    bool ValuesChanged = false;
    bool CostsChanged = false;
    XmlDocument HelpDocument;

    // ---- start-up, services, closing (app/MainFormUnit.cpp) -------------------------------------------
    void FormCreate();
    void ProzessTimerTimer();
    void CloseBtnClick();
    void HelpImageClick();
    void MakeDataClick();
    // Shows the help record with the given id in the help panel (ui/HelpText.cpp).
    bool ShowHelpText(const QString& id);
    QTimer* ProzessTimer = nullptr;

    // ---- ship list and detail view (editor/) ---------------------------------------------------------
    XmlDocument WorkingAssetDocument;
    XmlDocument OriginalAssetDocument;
    XmlDocument ShipIndexDocument;
    XmlDocument ProductDocument;
    XmlNode WorkingShipNode;
    XmlNode OriginalShipNode;
    QString CurrentShipGUID;
    QString CurrentShipIcon;
    QString CurrentShipArmed;
    QString CurrentShipName;
    QString CurrentShipType;
    QString ShipSpeedText;
    double ShipSpeedMaxKnots = 0.0;
    double ShipSpeedMinKnots = 0.0;
    // Box name → text as the box would show the shipped value.
    QMap<QString, QString> OriginalValues;
    double OriginalSpeedRangeMax = 0.0;
    double OriginalSpeedRangeMin = 0.0;
    CostRow WorkingCosts[7];
    CostRow OriginalCosts[7];
    QString OriginalInfluenceCostPoints = QStringLiteral("0");
    QString ClickedImageName;

    bool FillShipList();
    int ShipViewCompare(const QString& pos1, const QString& pos2) const;
    void HeliumGasImageClick();
    void ArcticGasImageClick();
    void ShipViewClick();
    bool LoadShipDetails();
    void LoadShipValues(const QString& guid);
    void LoadCostRows();
    bool MarkChangedValues();
    void UNIClick();
    void ShipNameEditChange();
    void ForwardSpeedChangeValue();
    void ChangeCostClick();

    // ---- saving and resets (editor/) -----------------------------------------------------------------
    bool SaveCurrentShip();
    void SaveBtnClick();
    void SingleResetImageClick();
    bool ResetCurrentShip();
    void FullResetImageClick();
    bool ResetAllShips();
    void ShowOrgDataFormClick();

    // ---- mod generation (modgen/) --------------------------------------------------------------------
    void CreateModBtnClick();
    void AddGasBuffToMinesBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEditorHandlers(); // editor/
    void connectModgenHandlers(); // modgen/
};
