#include "editor/ProductCatalogue.h"

#include "data/Error.h"
#include "editor/ShipIndex.h"

#include <QDir>

Product LookupProduct(const XmlDocument& catalogue, const QString& guid) {
    RequireDecimalGuid(guid, QStringLiteral("Produkt"));
    const XmlNode node = catalogue.root().selectSingle(QStringLiteral("Product[@GUID=%1]").arg(guid));
    if (node.isNull()) {
        throw SkylatheError(QStringLiteral("Das Produkt mit der GUID %1 fehlt im Produktkatalog %2.")
                                .arg(guid, QDir::toNativeSeparators(catalogue.path())));
    }
    return {node.attributeAt(0), node.attributeAt(1), node.attributeAt(2)};
}

QList<Product> PickerProducts(const XmlDocument& catalogue) {
    const XmlNodeList nodes = catalogue.root().selectAll(QStringLiteral("Product[@Category=\"Ship\"]"));
    QList<Product> products;
    for (qsizetype i = 0; i + 2 < nodes.size(); ++i) {
        products.append({nodes[i].attributeAt(0), nodes[i].attributeAt(1), nodes[i].attributeAt(2)});
    }
    return products;
}
