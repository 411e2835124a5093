// skylathe-pack: builds the embedded data package. It runs the data preparation over the stand-in game
// extract, adds the authored files, the pictures and the yard mod, and zips the tree under "XMLD/".
//
//   skylathe-pack <ResourcesFolder> <OutputFolder>
//
// Leaves <OutputFolder>/XMLD/ (the unzipped tree) and <OutputFolder>/XMLD.zip. Any failure ends the run
// with a message and exit code 1, and the previous package stays as it was.
#include "data/DataFiles.h"
#include "data/DataPreparation.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/ModFolders.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "tools/pack/Artwork.h"
#include "tools/pack/Dds.h"
#include "tools/pack/HelpPage.h"
#include "tools/pack/Textures.h"
#include "tools/pack/ZipWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// The files the data folder must hold once the package is complete.
const QStringList kDataFiles = {
    QStringLiteral("Active.png"),
    DataFile::Working,
    DataFile::Original,
    DataFile::ShipIndex,
    DataFile::Mines,
    DataFile::HelpPage,
    DataFile::HelpTexts,
    DataFile::Products,
    DataFile::Properties,
    DataFile::Texts,
};
constexpr int kYardFileCount = 25;

void Fail(const QString& message) {
    throw SkylatheError(message);
}

void MakeFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        Fail(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(folder));
    }
}

void RemoveTree(const QString& folder) {
    QDir dir(folder);
    if (dir.exists() && !dir.removeRecursively()) {
        Fail(QStringLiteral("Der Ordner „%1“ kann nicht gelöscht werden.").arg(folder));
    }
}

// Shipped text files carry CR LF line ends whatever the checkout holds.
QByteArray WithCrLf(QByteArray bytes) {
    bytes.replace("\r\n", "\n");
    bytes.replace('\n', "\r\n");
    return bytes;
}

// Copies every file below `from` into `to`: XML files in the canonical layout (which also proves them
// well-formed), other text files with CR LF line ends, pictures unchanged.
void CopyAuthoredTree(const QString& from, const QString& to) {
    if (!QFileInfo(from).isDir()) {
        Fail(QStringLiteral("Der Quellordner „%1“ fehlt.").arg(from));
    }
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QDir(from).relativeFilePath(source);
        MakeFolder(QFileInfo(target).absolutePath());
        const QString suffix = QFileInfo(source).suffix().toLower();
        QByteArray bytes = ReadFileBytes(source);
        if (suffix != QLatin1String("png") && suffix != QLatin1String("dds")) {
            bytes = WithCrLf(bytes);
        }
        WriteFileAtomically(target, bytes);
        if (suffix == QLatin1String("xml")) {
            FormatXmlFile(target);
        }
    }
}

void CopyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QDir(from).relativeFilePath(source);
        MakeFolder(QFileInfo(target).absolutePath());
        WriteFileAtomically(target, ReadFileBytes(source));
    }
}

void AddPictures(const QString& images, const QString& data, const QString& yard) {
    const QByteArray yardPicture = EncodePng(RenderArtwork(images, QStringLiteral("AeroluneYard"), 128, 128));
    WriteFileAtomically(data + QStringLiteral("Active.png"), yardPicture);
    MakeFolder(yard + QStringLiteral("data/icon"));
    WriteFileAtomically(yard + QStringLiteral("data/icon/AeroluneYard.png"), yardPicture);
    MakeFolder(yard + QStringLiteral("data/maps"));
    for (const YardTexture& texture : YardTextures()) {
        WriteFileAtomically(yard + QStringLiteral("data/maps/") + texture.fileName,
                            EncodeDxt1Dds(texture.image));
    }
}

void AddHelpPage(const QString& pageTemplate, const QString& images, const QString& data) {
    const QString text = QString::fromUtf8(ReadFileBytes(pageTemplate));
    const QByteArray page = BuildHelpPage(text, [&](const QString& name, int width, int height) {
        return RenderArtwork(images, name, width, height);
    });
    WriteFileAtomically(data + DataFile::HelpPage, WithCrLf(page));
}

void CheckInventory(const QString& data, const QString& yard) {
    for (const QString& name : kDataFiles) {
        if (!QFileInfo(data + name).isFile()) {
            Fail(QStringLiteral("Das Datenpaket ist unvollständig: „%1“ fehlt.").arg(name));
        }
    }
    int count = 0;
    for (QDirIterator it(yard, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next()) {
        ++count;
    }
    if (count != kYardFileCount) {
        Fail(
            QStringLiteral("Die Werft-Modifikation hat %1 statt %2 Dateien.").arg(count).arg(kYardFileCount));
    }
}

// Every folder and file below `root`, folders before their contents, in a fixed order.
void AddToZip(ZipWriter& zip, const QString& root, const QString& relative) {
    zip.addDirectory(relative);
    const QDir dir(root + relative);
    const QDir::Filters filters = QDir::NoDotAndDotDot | QDir::Hidden;
    for (const QString& name : dir.entryList(QDir::Files | filters, QDir::Name)) {
        zip.addFile(relative + name, ReadFileBytes(dir.filePath(name)));
    }
    for (const QString& name : dir.entryList(QDir::Dirs | filters, QDir::Name)) {
        AddToZip(zip, root, relative + name + QLatin1Char('/'));
    }
}

void BuildPackage(const QString& resources, const QString& output) {
    const QString package = resources + QStringLiteral("package/");
    const QString images = resources + QStringLiteral("images/");
    const QString staging = output + QStringLiteral("XMLD.new/");
    const QString data = staging + QStringLiteral("XMLD/");
    const QString yard = data + kYardModName + QLatin1Char('/');

    RemoveTree(staging);
    MakeFolder(data);
    CopyAuthoredTree(package + QStringLiteral("xmld/"), data);
    CopyAuthoredTree(package + QStringLiteral("yard/"), yard);
    AddPictures(images, data, yard);
    AddHelpPage(package + QStringLiteral("help/Help.html.in"), images, data);

    // The preparation writes its scratch file into the source folder, so it works on a copy.
    const QString game = package + QStringLiteral("game/");
    const QString original = staging + QStringLiteral("ORG/");
    if (!QFileInfo(game).isDir()) {
        Fail(QStringLiteral("Der Spieldatenauszug „%1“ fehlt.").arg(game));
    }
    CopyTree(game, original);
    if (!RunDataPreparation(original, data)) {
        Fail(QStringLiteral("Die Datenaufbereitung aus „%1“ ist fehlgeschlagen.").arg(game));
    }
    ShapeShippedWorkingFile(data);
    CheckInventory(data, yard);

    ZipWriter zip;
    AddToZip(zip, staging, QStringLiteral("XMLD/"));
    WriteFileAtomically(output + QStringLiteral("XMLD.zip"), zip.finish());

    RemoveTree(output + QStringLiteral("XMLD"));
    if (!QDir().rename(staging + QStringLiteral("XMLD"), output + QStringLiteral("XMLD"))) {
        Fail(QStringLiteral("Der Ordner „%1XMLD“ kann nicht angelegt werden.").arg(output));
    }
    RemoveTree(staging);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        err << "Aufruf: skylathe-pack <Ressourcenordner> <Ausgabeordner>" << Qt::endl;
        return 2;
    }
    try {
        BuildPackage(WithTrailingSlash(QDir::cleanPath(QFileInfo(args.at(0)).absoluteFilePath())),
                     WithTrailingSlash(QDir::cleanPath(QFileInfo(args.at(1)).absoluteFilePath())));
    } catch (const SkylatheError& e) {
        err << "skylathe-pack: " << e.message() << Qt::endl;
        return 1;
    } catch (const std::exception& e) {
        err << "skylathe-pack: " << QString::fromLocal8Bit(e.what()) << Qt::endl;
        return 1;
    }
    return 0;
}
