#include "modgen/CreateModification.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/ModTexts.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "modgen/AssetLines.h"
#include "modgen/Deployment.h"
#include "modgen/ModInfo.h"

#include <QDir>
#include <QFile>

namespace {

QString missingPictureMessage(const QString& name) {
    return QStringLiteral("Das Bild „%1“ fehlt in der Bildsammlung des Programms. Die Modifikation wurde "
                          "nicht erzeugt.")
        .arg(name);
}

XmlDocument loadWithRoot(const QString& path) {
    XmlDocument doc = XmlDocument::load(path);
    doc.root(); // reports a missing or malformed file, naming it
    return doc;
}

} // namespace

bool CreateModification(const GenerationContext& context) {
    if (context.gameRunning && context.gameRunning()) {
        return false;
    }
    const QString& dataFolder = context.dataFolder;

    // Everything that can be wrong with the inputs shows up before the first write.
    const XmlDocument workingFile = loadWithRoot(dataFolder + DataFile::Working);
    const XmlDocument mineFile = loadWithRoot(dataFolder + DataFile::Mines);
    const QStringList assetLines = BuildAssetLines(
        workingFile, mineFile, AssetFileHeader{context.now, context.userName, context.version});

    QList<ModIcon> icons;
    for (const QString& name : ModIconNames()) {
        const QByteArray png = context.pictures.iconPng ? context.pictures.iconPng(name) : QByteArray();
        if (png.isEmpty()) {
            throw SkylatheError(missingPictureMessage(name));
        }
        icons << ModIcon{name, png};
    }
    const QString preview = ModPreviewPictureName();
    const QByteArray previewPng =
        context.pictures.storedPng ? context.pictures.storedPng(preview) : QByteArray();
    if (previewPng.isEmpty()) {
        throw SkylatheError(missingPictureMessage(preview));
    }

    WriteModTexts(dataFolder);

    const QString assetFile = dataFolder + DataFile::Assets;
    WriteTextLines(assetFile, assetLines);
    FormatXmlFile(assetFile);

    // The preview picture goes into the data folder first; the description file carries it and is placed
    // together with the other files of the mod.
    try {
        DeployMod(dataFolder, context.modFolder, icons,
                  PrepareModInfo(dataFolder, context.version, previewPng));
    } catch (const SkylatheError&) {
        QFile::remove(assetFile); // the intermediate file never outlives a run
        throw;
    }
    return true;
}
