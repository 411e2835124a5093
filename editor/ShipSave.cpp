#include "editor/ShipSave.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/ValueFields.h"
#include "data/Xml.h"
#include "editor/ProductCatalogue.h"
#include "editor/ShipRecord.h"

#include <QDir>

namespace {

QString assetFile(const QString& dataFolder) {
    return dataFolder + DataFile::Working;
}

XmlDocument loadAssets(const QString& dataFolder) {
    XmlDocument doc = XmlDocument::load(assetFile(dataFolder));
    doc.root(); // a missing or broken file stops here with its message
    return doc;
}

// Each step first gathers and checks everything it will write, then changes the document; a failing
// check therefore never leaves a half-changed document behind.
struct TextPlan {
    XmlNode name;
    XmlNode description;
};

TextPlan planTexts(const XmlNode& record) {
    return {record.require(QStringLiteral("Standard/Name")),
            record.require(QStringLiteral("Standard/InfoDescriptionText"))};
}

void applyTexts(const TextPlan& plan, const ShipEdits& edits) {
    XmlNode(plan.name).setText(edits.name);
    XmlNode(plan.description).setText(edits.description);
}

struct CostPlan {
    XmlNode cost;
    XmlNode oldCosts;
    XmlNode influence;
    std::array<QString, 7> productNames;
    std::array<QString, 7> amounts;
};

CostPlan planCosts(const XmlNode& record, const XmlDocument& catalogue, const ShipEdits& edits) {
    CostPlan plan;
    plan.cost = record.require(QStringLiteral("Cost"));
    plan.oldCosts = plan.cost.require(QStringLiteral("Costs"));
    plan.influence = plan.cost.selectSingle(QStringLiteral("InfluenceCostPoints"));
    for (int i = 0; i < 7; ++i) {
        const CostEdit& row = edits.costs[i];
        if (row.guid == kNoProductGuid) {
            continue;
        }
        plan.productNames[i] = LookupProduct(catalogue, row.guid).name;
        // An emptied amount box counts as 0.
        const std::optional<qint64> amount = ParseWholeNumber(row.amount);
        plan.amounts[i] = (!amount || *amount == 0) ? QStringLiteral("0") : row.amount.trimmed();
    }
    if (!plan.influence.isNull() && !ParseWholeNumber(edits.influenceCostPoints)) {
        throw SkylatheError(QStringLiteral("Der Wert „Einflusspunkte“ ist keine ganze Zahl: „%1“.")
                                .arg(edits.influenceCostPoints));
    }
    return plan;
}

void applyCosts(const CostPlan& plan, const ShipEdits& edits) {
    XmlNode old = plan.oldCosts;
    old.remove();
    XmlNode costs = XmlNode(plan.cost).appendElement(QStringLiteral("Costs"));
    for (int i = 0; i < 7; ++i) {
        costs.appendElement(QStringLiteral("Item"));
    }
    const XmlNodeList items = costs.selectAll(QStringLiteral("Item"));
    for (int i = 0; i < 7; ++i) {
        const CostEdit& row = edits.costs[i];
        if (row.guid == kNoProductGuid) {
            continue;
        }
        XmlNode item = items[i];
        item.appendElement(QStringLiteral("Ingredient"), row.guid);
        item.appendComment(plan.productNames[i]);
        item.appendElement(QStringLiteral("Amount"), plan.amounts[i]);
    }
    if (!plan.influence.isNull()) {
        XmlNode(plan.influence).setText(edits.influenceCostPoints.trimmed());
    }
}

struct ValuePlan {
    QList<XmlNode> elements;
    QStringList texts;
};

ValuePlan planValues(const XmlNode& record, const ShipEdits& edits) {
    ValuePlan plan;
    for (const ValueField* field : ValueFieldsInSaveOrder()) {
        const XmlNode element = record.selectSingle(field->path);
        if (element.isNull()) {
            continue; // nothing is written, and nothing created, for elements the record lacks
        }
        const QString box = edits.values.value(field->box);
        QString text;
        switch (field->conversion) {
        case ValueConversion::DecimalSeparator:
            text = ToRecordDecimal(box.trimmed());
            if (!ParseBoxNumber(text)) {
                throw SkylatheError(
                    QStringLiteral("Der Wert „%1“ ist keine Zahl: „%2“.").arg(field->caption, box));
            }
            break;
        case ValueConversion::MillisToSeconds: {
            const std::optional<qint64> seconds = ParseWholeNumber(box);
            if (!seconds) {
                throw SkylatheError(
                    QStringLiteral("Der Wert „%1“ ist keine ganze Zahl: „%2“.").arg(field->caption, box));
            }
            text = QString::number(*seconds * 1000);
            break;
        }
        case ValueConversion::Plain:
            if (!ParseWholeNumber(box)) {
                throw SkylatheError(
                    QStringLiteral("Der Wert „%1“ ist keine ganze Zahl: „%2“.").arg(field->caption, box));
            }
            text = box.trimmed();
            break;
        }
        plan.elements.append(element);
        plan.texts.append(text);
    }
    return plan;
}

void applyValues(const ValuePlan& plan) {
    for (qsizetype i = 0; i < plan.elements.size(); ++i) {
        XmlNode(plan.elements[i]).setText(plan.texts[i]);
    }
}

XmlDocument loadCatalogue(const QString& dataFolder) {
    XmlDocument catalogue = XmlDocument::load(dataFolder + DataFile::Products);
    catalogue.root();
    return catalogue;
}

} // namespace

void SaveShip(const QString& dataFolder, const QString& guid, const ShipEdits& edits) {
    const XmlDocument catalogue = loadCatalogue(dataFolder);
    const XmlDocument doc = loadAssets(dataFolder);
    const XmlNode record = SelectShipRecord(doc, guid, true);
    const TextPlan texts = planTexts(record);
    const CostPlan costs = planCosts(record, catalogue, edits);
    const ValuePlan values = planValues(record, edits);
    applyTexts(texts, edits);
    applyCosts(costs, edits);
    applyValues(values);
    doc.save(assetFile(dataFolder));
}

void SaveShipTexts(const QString& dataFolder, const QString& guid, const ShipEdits& edits) {
    const XmlDocument doc = loadAssets(dataFolder);
    applyTexts(planTexts(SelectShipRecord(doc, guid, true)), edits);
    doc.save(assetFile(dataFolder));
    FormatXmlFile(assetFile(dataFolder));
}

void SaveShipCosts(const QString& dataFolder, const QString& guid, const ShipEdits& edits) {
    const XmlDocument catalogue = loadCatalogue(dataFolder);
    const XmlDocument doc = loadAssets(dataFolder);
    applyCosts(planCosts(SelectShipRecord(doc, guid, true), catalogue, edits), edits);
    doc.save(assetFile(dataFolder));
    FormatXmlFile(assetFile(dataFolder));
}

void SaveShipValues(const QString& dataFolder, const QString& guid, const ShipEdits& edits) {
    const XmlDocument doc = loadAssets(dataFolder);
    applyValues(planValues(SelectShipRecord(doc, guid, true), edits));
    doc.save(assetFile(dataFolder));
    FormatXmlFile(assetFile(dataFolder));
}
