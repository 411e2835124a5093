#include "modgen/ModInfo.h"

#include "data/ModFolders.h"
#include "data/TextFile.h"

#include <QFile>

namespace {

QString jsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        default:
            if (c.unicode() < 0x20) {
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                out += c;
            }
        }
    }
    return out + QLatin1Char('"');
}

// One object member per language; only German carries a value.
void addLanguages(QStringList& lines, const QString& indent, const QString& german, const QString& others) {
    static const char* const kLanguages[] = {"German", "English", "French", "Italian", "Polish", "Russian"};
    for (int i = 0; i < 6; ++i) {
        lines << indent + QStringLiteral("\"%1\": ").arg(QLatin1String(kLanguages[i])) +
                     (i == 0 ? german : others) + (i < 5 ? QStringLiteral(",") : QString());
    }
}

} // namespace

QString ModPreviewPictureName() {
    return QStringLiteral("AeroluneYard");
}

QStringList ModInfoLines(const QString& version, const QString& imageBase64) {
    const QString null = QStringLiteral("null");
    const QString description = QStringLiteral(
        "Modifikation der Luftschiffe aus dem DLC »Wolkenmark«, erzeugt mit dem Tool Skylathe. Dieser Mod "
        "kann nur genutzt werden mit der Modifikation [Air Ships] Aerolune Yard]");
    QStringList lines;
    lines << QStringLiteral("{") << QStringLiteral("\"Version\": ") + jsonString(version) + QLatin1Char(',')
          << QStringLiteral("\"ModID\": \"AirShips\",") << QStringLiteral("  \"IncompatibleIds\": null,")
          << QStringLiteral("  \"ModDependencies\": null,") << QStringLiteral("  \"Category\": {");
    addLanguages(lines, QStringLiteral("    "), jsonString(QStringLiteral("AirShips")), null);
    lines << QStringLiteral("  },") << QStringLiteral("  \"ModName\": {");
    addLanguages(lines, QStringLiteral("    "), jsonString(QStringLiteral("Aerolune")), null);
    lines << QStringLiteral("  },") << QStringLiteral("  \"Description\": {");
    addLanguages(lines, QStringLiteral("    "), jsonString(description), null);
    lines << QStringLiteral("  },") << QStringLiteral("  \"KnownIssues\": [") << QStringLiteral("    {");
    addLanguages(lines, QStringLiteral("      "), QStringLiteral("\"\""), QStringLiteral("\"\""));
    lines << QStringLiteral("    }") << QStringLiteral("  ],")
          << QStringLiteral("  \"DLCDependencies\": null,") << QStringLiteral("  \"CreatorName\": \"\",")
          << QStringLiteral("  \"CreatorContact\": \"skylathe@aerolune.example\",")
          << QStringLiteral("  \"Image\": ") + jsonString(imageBase64) << QStringLiteral("}");
    return lines;
}

QByteArray ModInfoBytes(const QString& version, const QString& imageBase64) {
    return TextLinesBytes(ModInfoLines(version, imageBase64));
}

QString EncodeFileBase64(const QString& path) {
    return QString::fromLatin1(ReadFileBytes(path).toBase64());
}

QByteArray PrepareModInfo(const QString& dataFolder, const QString& version, const QByteArray& previewPng) {
    const QString activePng = dataFolder + QStringLiteral("Active.png");
    WriteFileAtomically(activePng, previewPng);
    // A leftover of older versions; its absence is no error.
    QFile::remove(dataFolder + QStringLiteral("ActiveIcon.png"));
    return ModInfoBytes(version, EncodeFileBase64(activePng));
}
