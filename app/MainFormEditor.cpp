// The main window's ship list, detail view and cost rows.
#include "app/Forms.h"
#include "app/ImageCollection.h"
#include "app/MainFormUnit.h"
#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/ShipTable.h"
#include "data/ValueFields.h"
#include "editor/ProductCatalogue.h"
#include "editor/ProductFormUnit.h"
#include "editor/ShipIndex.h"
#include "editor/ShipRecord.h"
#include "editor/XMLInfoOrg.h"
#include "ui/ValueFieldControls.h"
#include "ui/WindowControls.h"
#include "ui/XMLMessage.h"
#include "ui_MainFormUnit.h"

#include <algorithm>

namespace {

// Case-insensitive for the letters a to z only; every other character compares by its code.
char16_t foldAsciiCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

// Painting stays locked for the whole load, also when a step fails.
class PaintLock {
public:
    explicit PaintLock(QWidget* window) : m_window(window), m_wasEnabled(window->updatesEnabled()) {
        m_window->setUpdatesEnabled(false);
    }
    ~PaintLock() { m_window->setUpdatesEnabled(m_wasEnabled); }
    PaintLock(const PaintLock&) = delete;
    PaintLock& operator=(const PaintLock&) = delete;

private:
    QWidget* m_window;
    bool m_wasEnabled;
};

QString normalisedLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

int TMainForm::ShipViewCompare(const QString& pos1, const QString& pos2) {
    const qsizetype n = qMin(pos1.size(), pos2.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t a = foldAsciiCase(pos1.at(i).unicode());
        const char16_t b = foldAsciiCase(pos2.at(i).unicode());
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return pos1.size() == pos2.size() ? 0 : (pos1.size() < pos2.size() ? -1 : 1);
}

bool TMainForm::FillShipList() {
    ui->ShipView->clear();
    ShipImages.clear();
    ShipIndexDocument = XmlDocument::load(AppFolders().DataFolder + DataFile::ShipIndex);
    const QList<ShipIndexEntry> entries = ReadShipIndex(ShipIndexDocument, CurrentGasType);

    QList<int> order;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        ShipImages.append(entries[i].icon);
        order.append(int(i));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return ShipViewCompare(entries[a].pos, entries[b].pos) < 0; });

    ui->ShipView->setUpdatesEnabled(false);
    for (const int i : order) {
        auto* line = new QTreeWidgetItem(ui->ShipView);
        line->setText(0, entries[i].guid);
        // The caption belongs to the icon column, which is only as wide as the icon.
        line->setForeground(0, QBrush(Qt::transparent));
        line->setData(0, Qt::UserRole, i);
        line->setIcon(0, QIcon(PixmapFromCollection(ShipImages[i], 64, 64)));
        line->setText(1, entries[i].name);
        line->setText(2, entries[i].pos);
    }
    ui->ShipView->setUpdatesEnabled(true);
    return true;
}

void TMainForm::DrawGasPictures() {
    const bool arctic = CurrentGasType == QLatin1String("Arcticgas");
    ui->HeliumGasImage->clear();
    ui->ArcticGasImage->clear();
    ui->ArcticGasImage->setPixmap(PixmapFromCollection(
        arctic ? QStringLiteral("ArcticgasSelected") : QStringLiteral("Arcticgas"), 100, 100));
    ui->HeliumGasImage->setPixmap(PixmapFromCollection(
        arctic ? QStringLiteral("Heliumgas") : QStringLiteral("HeliumgasSelected"), 100, 100));
}

void TMainForm::SelectShipLine(int index) {
    if (index >= 0 && index < ui->ShipView->topLevelItemCount()) {
        ui->ShipView->setCurrentItem(ui->ShipView->topLevelItem(index));
    }
}

// Rebuilds the list and shows the ship at the line position selected before.
void TMainForm::RefillShipListKeepingLine() {
    QTreeWidgetItem* current = ui->ShipView->currentItem();
    const int line = current ? ui->ShipView->indexOfTopLevelItem(current) : -1;
    FillShipList();
    SelectShipLine(line);
    LoadShipDetails();
}

void TMainForm::HeliumGasImageClick() {
    ShowShipsOfGas(QStringLiteral("Heliumgas"));
}

void TMainForm::ArcticGasImageClick() {
    ShowShipsOfGas(QStringLiteral("Arcticgas"));
}

// Both gas pictures keep the line position, so the other gas's twin of the selected hull is shown; pending
// edits are dropped without a question.
void TMainForm::ShowShipsOfGas(const QString& gas) {
    CurrentGasType = gas;
    DrawGasPictures();
    RefillShipListKeepingLine();
    ValuesChanged = false;
    CostsChanged = false;
}

void TMainForm::ShipViewClick() {
    if (ValuesChanged || CostsChanged) {
        if (MessageForm->Ask(CurrentShipIcon, QStringLiteral("Sicherheitsabfrage"),
                             QStringLiteral("Änderungen speichern ?"), QStringLiteral("Ja"),
                             QStringLiteral("Nein"))) {
            SaveCurrentShip();
            LoadShipDetails();
            return;
        }
    }
    ValuesChanged = false;
    CostsChanged = false;
    LoadShipDetails();
}

bool TMainForm::LoadShipDetails() {
    PaintLock lock(this);
    ui->ShipInfoMemo->clear();

    const QString folder = AppFolders().DataFolder;
    WorkingAssetDocument = XmlDocument::load(folder + DataFile::Working);
    OriginalAssetDocument = XmlDocument::load(folder + DataFile::Original);
    ShipIndexDocument = XmlDocument::load(folder + DataFile::ShipIndex);
    ProductDocument = XmlDocument::load(folder + DataFile::Products);
    WorkingAssetDocument.root();
    OriginalAssetDocument.root();
    ShipIndexDocument.root();
    ProductDocument.root();

    // Without a selected line (a click below the last one) the first line is shown.
    if (!ui->ShipView->currentItem()) {
        if (ui->ShipView->topLevelItemCount() == 0) {
            return true;
        }
        ui->ShipView->setCurrentItem(ui->ShipView->topLevelItem(0));
    }
    const QString guid = ui->ShipView->currentItem()->text(0);
    const XmlNode working = SelectShipRecord(WorkingAssetDocument, guid, false);
    const XmlNode original = SelectShipRecord(OriginalAssetDocument, guid, false);
    const ShipIndexInfo info = ReadShipIndexInfo(ShipIndexDocument, guid);
    const QString name = working.requireText(QStringLiteral("Standard/Name"));
    const QString type = working.requireText(QStringLiteral("Standard/Typ"));
    const QString description = working.requireText(QStringLiteral("Standard/InfoDescriptionText"));

    CurrentShipGUID = guid;
    WorkingShipNode = working;
    OriginalShipNode = original;
    CurrentShipIcon = info.icon;
    CurrentShipArmed = info.armed;
    CurrentShipName = name;
    CurrentShipType = type;
    ui->ShipInfoMemo->setPlainText(normalisedLineBreaks(description));

    ui->ShipIconImage->setPixmap(PixmapFromCollection(CurrentShipIcon, 118, 118));
    ui->ShipTypImage->setPixmap(PixmapFromCollection(CurrentShipType, 36, 36));
    ui->ShipNameEdit->setText(CurrentShipName);

    const bool armed = CurrentShipArmed == QLatin1String("true");
    ShowArmedOnlyPanels(this, armed);
    ui->ArmedImage->setVisible(armed);

    LoadCostRows();
    LoadShipValues(CurrentShipGUID);
    MarkChangedValues();
    return true;
}

void TMainForm::LoadShipValues(const QString& guid) {
    WindowControls c(this);
    QMap<QString, QString> shown;
    for (const ValueField& field : ValueFields()) {
        shown.insert(field.box, c.box(field.box)->text());
    }
    const RecordValues working = ReadShipValues(WorkingShipNode, false, DecimalSeparatorIsPoint, shown);
    const RecordValues original =
        ReadShipValues(OriginalShipNode, true, DecimalSeparatorIsPoint, OriginalValues);

    if (working.speed) {
        ShipSpeedText = working.texts.value(QStringLiteral("ForwardSpeed"));
        ShipSpeedMaxKnots = GetMaxSpeedFactor(guid) * *working.speed;
        ShipSpeedMinKnots = GetMinSpeedFactor(guid) * *working.speed;
    }
    for (const ValueField& field : ValueFields()) {
        if (field.box != QLatin1String("InfluenceCostPoints") && field.box != QLatin1String("ForwardSpeed")) {
            c.box(field.box)->setText(working.texts.value(field.box));
        }
    }
    ui->ForwardSpeed->setText(ShipSpeedText);
    ui->ForwardSpeedMaxValue->setText(FormatKnots(ShipSpeedMaxKnots, 1));
    ui->ForwardSpeedMinValue->setText(FormatKnots(ShipSpeedMinKnots, 1));

    OriginalValues = original.texts;
    if (original.speed) {
        OriginalSpeedRangeMax = GetMaxSpeedFactor(guid) * *original.speed;
        OriginalSpeedRangeMin = GetMinSpeedFactor(guid) * *original.speed;
    }
}

void TMainForm::LoadCostRows() {
    const RecordCosts working = ReadWorkingCosts(WorkingShipNode, ProductDocument);
    const RecordCosts original = ReadOriginalCosts(OriginalShipNode, ProductDocument);
    for (int n = 0; n < 7; ++n) {
        WorkingCosts[n] = working.rows[n];
        m_costRows[n].show(working.rows[n]);
    }
    ResetChangeCostArrows();
    ui->InfluenceCostPoints->setText(working.influenceCostPoints);
    for (int n = 0; n < 7; ++n) {
        OriginalCosts[n] = original.rows[n];
    }
    OriginalInfluenceCostPoints = original.influenceCostPoints;
}

void TMainForm::ResetChangeCostArrows() {
    for (int n = 0; n < 7; ++n) {
        const bool liftGas = IsLiftGasGuid(WorkingCosts[n].guid);
        const CostRowControls& row = m_costRows[n];
        ShowPicture(row.changeArrow, liftGas ? QStringLiteral("RedArrow") : QStringLiteral("BrownArrow"), 36);
        row.changeArrow->setEnabled(!liftGas);
        row.amount->setMinimum(liftGas ? 1 : 0);
    }
}

bool TMainForm::MarkChangedValues() {
    ValuesChanged = false;
    WindowControls c(this);
    for (const CostRowControls& row : m_costRows) {
        row.marker->setVisible(false);
    }
    for (const ValueField& field : ValueFields()) {
        c.label(field.marker)->setVisible(false);
    }
    update();

    for (int j = 0; j < 7; ++j) {
        const CostRowControls& row = m_costRows[j];
        const CostRow& original = OriginalCosts[j];
        const QString amount = row.amount->text();
        if (row.guid->text() != original.guid || amount != original.amount) {
            row.marker->setVisible(true);
        }
        // A row the shipped record leaves empty is empty again as soon as its amount is 0.
        if (amount == original.amount && amount == QLatin1String("0")) {
            row.marker->setVisible(false);
            row.showEmpty();
        }
    }

    for (const ValueField& field : ValueFields()) {
        const QString text = c.box(field.box)->text();
        const QString original = field.box == QLatin1String("InfluenceCostPoints")
                                     ? OriginalInfluenceCostPoints
                                     : OriginalValues.value(field.box);
        bool differs = text != original;
        if (field.conversion == ValueConversion::MillisToSeconds) {
            // "0900" equals "900"; a text that is no whole number (an emptied box) counts as changed.
            const std::optional<qint64> seconds = ParseWholeNumber(text);
            differs = !seconds || QString::number(*seconds) != original;
        }
        if (differs) {
            c.label(field.marker)->setVisible(true);
        }
    }
    return true;
}

void TMainForm::UNIClick() {
    MarkChangedValues();
    ValuesChanged = true;
}

void TMainForm::ShipNameEditChange() {
    MarkChangedValues();
    ValuesChanged = true;
}

void TMainForm::ForwardSpeedChangeValue() {
    const double speed = ui->ForwardSpeed->value();
    ShipSpeedMaxKnots = GetMaxSpeedFactor(CurrentShipGUID) * speed;
    ShipSpeedMinKnots = GetMinSpeedFactor(CurrentShipGUID) * speed;
    ui->ForwardSpeedMaxValue->setText(FormatKnots(ShipSpeedMaxKnots, 1));
    ui->ForwardSpeedMinValue->setText(FormatKnots(ShipSpeedMinKnots, 1));
}

namespace {
// The main window's normal (restored) outer rectangle.
QRect restoredFrame(const QWidget* window) {
    if (window->isMaximized() || window->isMinimized() || window->isFullScreen()) {
        const QRect normal = window->normalGeometry();
        const QRect frame = window->frameGeometry();
        const QRect client = window->geometry();
        return normal.adjusted(frame.left() - client.left(), frame.top() - client.top(), 0, 0);
    }
    return window->frameGeometry();
}
} // namespace

void TMainForm::ChangeCostClick() {
    CostsChanged = true;
    if (OrgDataForm && OrgDataForm->isVisible()) {
        OrgDataForm->hide();
    }
    const QRect frame = restoredFrame(this);
    WindowControls(this).setPicture(ClickedImageName, QStringLiteral("GreenArrow"), 36);
    if (ClickedImageName.contains(QLatin1String("ChangeCost"))) {
        ProductForm->placeAt(QPoint(frame.left() + 320, frame.top() + 174));
    }
    ProductForm->exec();
    // However the picker was closed, the arrows show the loaded rows again.
    ResetChangeCostArrows();
    const QString picked = ProductForm->pickedGuid();
    if (!picked.isEmpty() && !ClickedImageName.isEmpty()) {
        applyPickedProduct(ClickedImageName.right(1).toInt(), picked);
    }
    MarkChangedValues();
}

void TMainForm::applyPickedProduct(int row, const QString& guid) {
    const CostRowControls& controls = m_costRows.at(row);
    if (guid != kRemoveCostGuid) {
        const Product product = LookupProduct(ProductDocument, guid);
        controls.showProduct(guid, product.name, product.icon);
        if (controls.amount->value() == 0) {
            controls.amount->setValue(1);
        }
    } else {
        controls.showEmpty();
        controls.amount->setValue(0);
        controls.marker->setVisible(false);
    }
}
