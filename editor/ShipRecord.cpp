#include "editor/ShipRecord.h"

#include "data/Error.h"
#include "data/ValueFields.h"
#include "editor/ProductCatalogue.h"
#include "editor/ShipIndex.h"

#include <QDir>
#include <QLocale>
#include <cmath>

XmlNode SelectShipRecord(const XmlDocument& assets, const QString& guid, bool quoted) {
    RequireDecimalGuid(guid, QStringLiteral("Luftschiff"));
    const QString key = quoted ? QStringLiteral("\"%1\"").arg(guid) : guid;
    const XmlNode record =
        assets.root().selectSingle(QStringLiteral("//Asset/Values[Standard/GUID=%1]").arg(key));
    if (record.isNull()) {
        throw SkylatheError(QStringLiteral("Der Datensatz des Luftschiffs %1 fehlt in %2.")
                                .arg(guid, QDir::toNativeSeparators(assets.path())));
    }
    return record;
}

QString ToBoxDecimal(const QString& text, bool decimalSeparatorIsPoint) {
    QString result = text;
    if (decimalSeparatorIsPoint) {
        result.replace(QLatin1Char(','), QLatin1Char('.'));
    } else {
        result.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return result;
}

QString ToRecordDecimal(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char(','), QLatin1Char('.'));
    return result;
}

std::optional<double> ParseBoxNumber(const QString& text) {
    bool ok = false;
    const QString trimmed = text.trimmed();
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok) {
        value = QLocale::c().toDouble(ToRecordDecimal(trimmed), &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<qint64> ParseWholeNumber(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

QString FormatKnots(double value, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString number = locale.toString(value, 'f', decimals);
    const QString separator = locale.decimalPoint();
    if (number.contains(separator)) {
        while (number.endsWith(QLatin1Char('0'))) {
            number.chop(1);
        }
        if (number.endsWith(separator)) {
            number.chop(separator.size());
        }
    }
    if (number == QLatin1String("-0")) {
        number = QStringLiteral("0");
    }
    return QStringLiteral("ca. ") + number + QStringLiteral(" kn.");
}

RecordValues ReadShipValues(const XmlNode& values, bool original, bool decimalSeparatorIsPoint,
                            const QMap<QString, QString>& previousTexts) {
    RecordValues result;
    result.texts = previousTexts;
    const QString file = QDir::toNativeSeparators(values.documentPath());
    for (const ValueField& field : ValueFields()) {
        if (field.box == QLatin1String("InfluenceCostPoints")) {
            continue;
        }
        const bool hasDefault = original ? field.hasOriginalDefault : field.hasWorkingDefault;
        if (hasDefault) {
            result.texts[field.box] = original ? field.originalDefault : field.workingDefault;
        }
        const XmlNode element = values.selectSingle(field.path);
        if (element.isNull()) {
            continue;
        }
        const QString text = element.text();
        switch (field.conversion) {
        case ValueConversion::Plain:
            result.texts[field.box] = text;
            break;
        case ValueConversion::DecimalSeparator:
            result.texts[field.box] = ToBoxDecimal(text, decimalSeparatorIsPoint);
            break;
        case ValueConversion::MillisToSeconds: {
            const std::optional<qint64> millis = ParseWholeNumber(text);
            if (!millis) {
                throw SkylatheError(
                    QStringLiteral("Die Bauzeit „%1“ in %2 ist keine ganze Zahl.").arg(text, file));
            }
            result.texts[field.box] = QString::number(*millis / 1000);
            break;
        }
        }
        if (field.box == QLatin1String("ForwardSpeed")) {
            result.speed = ParseBoxNumber(result.texts[field.box]);
            if (!result.speed) {
                throw SkylatheError(
                    QStringLiteral("Die Geschwindigkeit „%1“ in %2 ist keine Zahl.").arg(text, file));
            }
        }
    }
    return result;
}

namespace {

CostRow rowFor(const QString& guid, const QString& amount, const XmlDocument& catalogue) {
    const Product product = LookupProduct(catalogue, guid);
    return {guid, amount, product.name, product.icon};
}

QString influenceOf(const XmlNode& values) {
    const XmlNode node = values.selectSingle(QStringLiteral("Cost/InfluenceCostPoints"));
    return node.isNull() ? QStringLiteral("0") : node.text();
}

} // namespace

RecordCosts ReadWorkingCosts(const XmlNode& values, const XmlDocument& catalogue) {
    RecordCosts costs;
    const XmlNodeList items = values.selectAll(QStringLiteral("Cost/Costs/Item"));
    for (qsizetype k = 0; k < items.size() && k < 7; ++k) {
        const XmlNode amount = items[k].selectSingle(QStringLiteral("Amount"));
        const XmlNode ingredient = items[k].selectSingle(QStringLiteral("Ingredient"));
        costs.rows[k] = rowFor(ingredient.isNull() ? QStringLiteral("0") : ingredient.text().trimmed(),
                               amount.isNull() ? QStringLiteral("0") : amount.text().trimmed(), catalogue);
    }
    costs.influenceCostPoints = influenceOf(values);
    return costs;
}

RecordCosts ReadOriginalCosts(const XmlNode& values, const XmlDocument& catalogue) {
    RecordCosts costs;
    const XmlNodeList items = values.selectAll(QStringLiteral("Cost/Costs/Item"));
    for (qsizetype l = 0; l < items.size() && l < 7; ++l) {
        const XmlNode ingredient = items[l].selectSingle(QStringLiteral("Ingredient"));
        if (ingredient.isNull()) {
            continue;
        }
        const XmlNode amount = items[l].selectSingle(QStringLiteral("Amount"));
        costs.rows[l] = rowFor(ingredient.text().trimmed(),
                               amount.isNull() ? QStringLiteral("0") : amount.text().trimmed(), catalogue);
    }
    costs.influenceCostPoints = influenceOf(values);
    return costs;
}
