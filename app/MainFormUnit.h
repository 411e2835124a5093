#pragma once

#include "data/Xml.h"
#include "editor/CostRow.h"

#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <QString>

#include <functional>

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
    // Set when start-up ended the program (second copy, no game folder); the window is not shown.
    bool StartupAborted = false;

    // Pictures are labels: this makes a left click on `picture` (released inside it) run `handler`.
    // The editor and modgen handlers connect their pictures through it.
    void connectPictureClick(QWidget* picture, std::function<void()> handler);

    // Test hooks: the folder start-up treats as the program folder (empty: the executable's folder), and
    // the check the game watch uses instead of IsGameRunning (empty: IsGameRunning).
    static void SetProgramFolderForTests(const QString& folder);
    static void SetGameRunningCheckForTests(std::function<bool(const QString&)> check);

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

    // Picture names of the list's lines in filter order; a line's image index (item data of column 0,
    // Qt::UserRole) points into it. An icon used by two ships has two entries.
    QStringList ShipImages;

    bool FillShipList();
    int ShipViewCompare(const QString& pos1, const QString& pos2) const;
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
    // The seven change arrows as the loaded GUIDs of WorkingCosts decide (lift gas: red and disabled).
    void ResetChangeCostArrows();
    // The two lift-gas pictures for CurrentGasType.
    void DrawGasPictures();

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
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDecoration();
    void trackMouseMoves(QWidget* widget);
    bool handleMouseMove(QWidget* watched, const QPointF& position);
    // The control a mouse position over `widget` belongs to: internal children of a control (a box's
    // line edit, a list's viewport) count as the control itself.
    QWidget* namedControl(QWidget* widget) const;
    QHash<QString, int> m_helpIds;
    QHash<QObject*, std::function<void()>> m_pictureClicks;
    void connectEditorHandlers(); // editor/
    void connectModgenHandlers(); // modgen/
};
