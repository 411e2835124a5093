#include "modgen/CreateModification.h"

#include "app/ImageCollection.h"
#include "app/Services.h"
#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/ModTexts.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "modgen/AssetLines.h"
#include "modgen/Deployment.h"
#include "modgen/ModInfo.h"

#include <QDir>

namespace {

const QString kGameExecutable = QStringLiteral("Velmora.exe");
const QString kPreviewPicture = QStringLiteral("AeroluneYard");
constexpr int kIconSize = 128;

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

ModPictures ModPictures::FromImageCollection() {
    ModPictures pictures;
    pictures.scaled = [](const QString& name, int width, int height) {
        return ImageFromCollection(name, width, height);
    };
    pictures.storedPng = [](const QString& name) {
        const ImageCollection& collection = ImageCollection::instance();
        return collection.storedPng(collection.indexOf(name));
    };
    return pictures;
}

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
        const QImage image =
            context.pictures.scaled ? context.pictures.scaled(name, kIconSize, kIconSize) : QImage();
        if (image.isNull()) {
            throw SkylatheError(missingPictureMessage(name));
        }
        icons << ModIcon{name, image};
    }
    const QByteArray previewPng =
        context.pictures.storedPng ? context.pictures.storedPng(kPreviewPicture) : QByteArray();
    if (previewPng.isEmpty()) {
        throw SkylatheError(missingPictureMessage(kPreviewPicture));
    }

    WriteModTexts(dataFolder);

    const QString assetFile = dataFolder + DataFile::Assets;
    WriteTextLines(assetFile, assetLines);
    FormatXmlFile(assetFile);

    DeployMod(dataFolder, context.modFolder, icons);
    WriteModInfo(dataFolder, context.modFolder, context.version, previewPng);
    return true;
}

bool CreateModification() {
    // The game test is a snapshot taken once, before anything else is gathered.
    if (IsGameRunning(kGameExecutable)) {
        return false;
    }
    GenerationContext context;
    const Folders& folders = AppFolders();
    context.dataFolder = WithTrailingSlash(folders.DataFolder);
    context.modFolder = WithTrailingSlash(folders.ModFolder);
    context.gameRunning = [] { return false; };
    context.now = QDateTime::currentDateTime();
    context.userName = GetCurrentUserName();
    context.version = GetProgramVersion();
    context.pictures = ModPictures::FromImageCollection();
    return CreateModification(context);
}
