#include "data/ModTexts.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/TextFile.h"
#include "data/Xml.h"

#include <QDir>

namespace {

QString recordText(const XmlNode& record, int index, const QString& path) {
    const XmlNode node = record.selectSingle(path);
    if (node.isNull()) {
        const QString guid = record.selectSingle(QStringLiteral("Values/Standard/GUID")).text();
        const QString which = guid.isEmpty() ? QStringLiteral("Datensatz Nr. %1").arg(index + 1)
                                             : QStringLiteral("Datensatz mit der GUID %1").arg(guid);
        throw SkylatheError(QStringLiteral("In „%1“ fehlt im %2 das Element „%3“; die Textdatei der "
                                           "Modifikation wurde nicht geschrieben.")
                                .arg(QDir::toNativeSeparators(record.documentPath()), which, path));
    }
    return XmlEscapeText(node.text());
}

} // namespace

bool WriteModTexts(const QString& dataFolder) {
    const QString folder = WithTrailingSlash(dataFolder);
    const XmlDocument doc = XmlDocument::load(folder + DataFile::Working);
    if (!doc.hasRoot()) {
        throw SkylatheError(doc.errorText());
    }

    QStringList lines{QStringLiteral("<ModOps>"),
                      QStringLiteral("<ModOp Type=\"add\" Path=\"/TextExport/Texts\">")};
    const XmlNodeList records = doc.root().childElements();
    for (int i = 0; i < records.size(); ++i) {
        const XmlNode& record = records[i];
        const QString guid = recordText(record, i, QStringLiteral("Values/Standard/GUID"));
        const QString name = recordText(record, i, QStringLiteral("Values/Standard/Name"));
        const QString descriptionGuid =
            recordText(record, i, QStringLiteral("Values/Standard/InfoDescription"));
        const QString description =
            recordText(record, i, QStringLiteral("Values/Standard/InfoDescriptionText"));
        lines << QStringLiteral("<Text>") << QStringLiteral("<GUID>%1</GUID>").arg(guid)
              << QStringLiteral("<Text>%1</Text>").arg(name) << QStringLiteral("</Text>")
              << QStringLiteral("<Text>") << QStringLiteral("<GUID>%1</GUID>").arg(descriptionGuid)
              << QStringLiteral("<Text>%1</Text>").arg(description) << QStringLiteral("</Text>");
    }
    lines << QStringLiteral("</ModOp>") << QStringLiteral("</ModOps>");

    const QString path = folder + DataFile::Texts;
    WriteTextLines(path, lines);
    return FormatXmlFile(path);
}
