#pragma once

#include "data/LiftGas.h"
#include "data/Xml.h"

#include <QList>
#include <QString>

// A product of the catalogue "ProductList.xml" (attributes by position).
struct Product {
    QString guid;
    QString name;
    QString icon;
};

// The product with that GUID, compared as a number ("0" finds "0000000"). Throws SkylatheError when the
// catalogue has no such product or the GUID is not a number.
Product LookupProduct(const XmlDocument& catalogue, const QString& guid);

// The products the picker offers: the "Ship" products in document order without the last two (the two
// lift gases); none when there are fewer than three.
QList<Product> PickerProducts(const XmlDocument& catalogue);

// Product GUIDs with a fixed meaning.
inline const QString kRemoveCostGuid = QStringLiteral("0000000");
inline const QString kNoProductGuid = QStringLiteral("0");
