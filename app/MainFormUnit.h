#pragma once

#include "data/Xml.h"
#include "editor/CostRow.h"
#include "editor/CostRowControls.h"

#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class HoverHelp;
class QScrollArea;
class QTimer;

namespace Ui {
class TMainForm;
}

// The main window. Its creation runs the start-up sequence. All its handlers live in app/, split by
// subject: start-up, services and closing (MainFormUnit.cpp), the ship list and detail view
// (MainFormEditor.cpp), saving and resets (MainFormEditorSave.cpp), the editor's wiring
// (MainFormEditorWiring.cpp) and mod generation (MainFormModgen.cpp).
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Set when start-up ended the program (second copy, no game folder); the window is not shown.
    bool startupAborted() const { return StartupAborted; }

    // The order of the ship list: position texts compared case-insensitively for the letters a to z only.
    static int ShipViewCompare(const QString& pos1, const QString& pos2);

    // What the window shows and whether edits are pending, for the program's tests.
    QString currentShipGuid() const { return CurrentShipGUID; }
    QString currentGasType() const { return CurrentGasType; }
    bool valuesChanged() const { return ValuesChanged; }
    bool costsChanged() const { return CostsChanged; }
    // Picture names of the list's lines in filter order; a line's image index (item data of column 0,
    // Qt::UserRole) points into it. An icon used by two ships has two entries.
    const QStringList& shipImages() const { return ShipImages; }
    // The product catalogue as read for the shown ship (without root when that failed).
    const XmlDocument& productCatalogue() const { return ProductDocument; }

    // Test hooks: the folder start-up treats as the program folder (empty: the executable's folder), the
    // check the game watch uses instead of IsGameRunning (empty: IsGameRunning), and the decimal separator
    // the value boxes are read with instead of the system's.
    static void SetProgramFolderForTests(const QString& folder);
    static void SetGameRunningCheckForTests(std::function<bool(const QString&)> check);
    void setDecimalSeparatorIsPointForTests(bool point) { DecimalSeparatorIsPoint = point; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- start-up, services, closing (MainFormUnit.cpp) ------------------------------------------------
    void FormCreate();
    void ProzessTimerTimer();
    void CloseBtnClick();
    void HelpImageClick();
    void MakeDataClick();
    void showDecoration();
    void FitToScreen(QSize frame);
    void setScrolling(bool scrolling);
    // Pictures are labels: this makes a left click on `picture` (released inside it) run `handler`.
    void connectPictureClick(QWidget* picture, std::function<void()> handler);

    // ---- ship list and detail view (MainFormEditor.cpp) ------------------------------------------------
    bool FillShipList();
    void HeliumGasImageClick();
    void ArcticGasImageClick();
    void ShowShipsOfGas(const QString& gas);
    void SelectShipLine(int index);
    void RefillShipListKeepingLine();
    void ShipViewClick();
    bool LoadShipDetails();
    void LoadShipValues(const QString& guid);
    void LoadCostRows();
    bool MarkChangedValues();
    void UNIClick();
    void ShipNameEditChange();
    void ForwardSpeedChangeValue();
    void ChangeCostClick();
    // Puts the product `guid` picked in the product picker into the cost row `row`.
    void applyPickedProduct(int row, const QString& guid);
    // The seven change arrows as the loaded GUIDs of WorkingCosts decide (lift gas: red and disabled).
    void ResetChangeCostArrows();
    // The two lift-gas pictures for CurrentGasType.
    void DrawGasPictures();

    // ---- saving and resets (MainFormEditorSave.cpp) ----------------------------------------------------
    bool SaveCurrentShip();
    void SaveBtnClick();
    void SingleResetImageClick();
    bool ResetCurrentShip();
    void FullResetImageClick();
    bool ResetAllShips();
    void ShowOrgDataFormClick();

    // ---- mod generation (MainFormModgen.cpp) -----------------------------------------------------------
    void CreateModBtnClick();
    void AddGasBuffToMinesBtnClick();

    void connectEditorHandlers(); // MainFormEditorWiring.cpp
    void connectModgenHandlers(); // MainFormModgen.cpp

    Ui::TMainForm* ui;
    CostRowTable m_costRows;
    HoverHelp* m_hoverHelp = nullptr;
    QTimer* ProzessTimer = nullptr;
    // The scrollable area around the layout while the screen is too small for the window, else nullptr.
    QScrollArea* m_screenScroll = nullptr;
    QHash<QObject*, std::function<void()>> m_pictureClicks;

    // ---- program-wide state ----------------------------------------------------------------------------
    bool StartupAborted = false;
    bool DecimalSeparatorIsPoint = false;
    QString CurrentGasType = QStringLiteral("Heliumgas");
    bool ValuesChanged = false;
    bool CostsChanged = false;

    // ---- the shown ship --------------------------------------------------------------------------------
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
    QStringList ShipImages;
};
