#include "editor/ShipReset.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/ModFolders.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "editor/ShipRecord.h"

#include <QDir>
#include <QFileInfo>

void ResetShipRecord(const QString& dataFolder, const QString& guid) {
    const QString workingPath = dataFolder + DataFile::Working;
    const XmlDocument working = XmlDocument::load(workingPath);
    const XmlDocument original = XmlDocument::load(dataFolder + DataFile::Original);
    XmlNode workingAsset = SelectShipRecord(working, guid, true).parent();
    const XmlNode originalAsset = SelectShipRecord(original, guid, true).parent();
    XmlNode list = working.root();
    workingAsset.remove();
    list.appendCopy(originalAsset);
    working.save(workingPath);
}

void ResetAllShipFiles(const QString& dataFolder, const QString& modFolder) {
    const QString workingPath = dataFolder + DataFile::Working;
    const QString originalPath = dataFolder + DataFile::Original;
    const QString minesPath = dataFolder + DataFile::Mines;

    // A reset without the shipped records would silently keep every edit.
    if (!QFileInfo::exists(originalPath)) {
        throw SkylatheError(QStringLiteral("Die Originaldatei %1 fehlt; es wurde nichts zurückgesetzt.")
                                .arg(QDir::toNativeSeparators(originalPath)));
    }
    const QByteArray originalBytes = ReadFileBytes(originalPath);

    const XmlDocument mines = XmlDocument::load(minesPath);
    if (!mines.hasRoot()) {
        throw SkylatheError(mines.errorText() + QStringLiteral(" Es wurde nichts zurückgesetzt."));
    }
    const XmlNodeList rows = mines.root().childElements();
    for (const XmlNode& row : rows) {
        row.attributeAt(2); // a row without a Status position stops the reset before anything is written
    }
    for (XmlNode row : rows) {
        row.setAttributeAt(2, QStringLiteral("false"));
    }

    // The working file is replaced atomically (temporary beside it, then renamed), the mines follow; each
    // file is whole at every moment.
    WriteFileAtomically(workingPath, originalBytes);
    mines.save(minesPath);

    if (modFolder.isEmpty()) {
        return; // never resolve the mod folders against the working directory
    }
    const QStringList folders = {kModName, QLatin1Char('-') + kModName, kYardModName,
                                 QLatin1Char('-') + kYardModName};
    for (const QString& folder : folders) {
        QDir dir(QDir(modFolder).filePath(folder));
        if (dir.exists()) {
            dir.removeRecursively();
        }
    }
}
