#include "tests/fuzz/FuzzChecks.h"

#include "data/AtomicFile.h"
#include "data/Error.h"
#include "data/Xml.h"
#include "tests/fuzz/FuzzScratch.h"

QString CheckXmlInput(const QByteArray& input) {
    const QString path = FuzzScratchFolder() + QStringLiteral("/input.xml");
    WriteFileAtomically(path, input);
    const XmlDocument doc = XmlDocument::load(path);
    if (!doc.hasRoot()) {
        if (doc.errorText().isEmpty()) {
            return QStringLiteral("refused without a message");
        }
        try {
            FormatXmlFile(path);
            return QStringLiteral("FormatXmlFile accepted a file the loader refuses");
        } catch (const SkylatheError&) {
        }
        if (ReadFileBytes(path) != input) {
            return QStringLiteral("a refused file was changed");
        }
        return QString();
    }
    const QString tree = DescribeXmlTree(doc);
    try {
        FormatXmlFile(path);
    } catch (const SkylatheError& e) {
        return QStringLiteral("re-indent of a loadable file failed: ") + e.message();
    }
    const QByteArray first = ReadFileBytes(path);
    const XmlDocument again = XmlDocument::load(path);
    if (!again.hasRoot()) {
        return QStringLiteral("the re-indented file is refused: ") + again.errorText();
    }
    if (DescribeXmlTree(again) != tree) {
        return QStringLiteral("the re-indent changed the tree:\n") + tree + QStringLiteral("\n---\n") +
               DescribeXmlTree(again);
    }
    FormatXmlFile(path);
    if (ReadFileBytes(path) != first) {
        return QStringLiteral("formatting the canonical layout again changed it");
    }
    return QString();
}
