#include "modgen/Deployment.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/TextFile.h"
#include "modgen/FolderTree.h"
#include "data/ModFolders.h"

#include <QDir>
#include <QFile>

const QStringList& ModIconNames() {
    static const QStringList names{
        QStringLiteral("icon_airship_artic_star"),
        QStringLiteral("icon_airship_hunter_light_star"),
        QStringLiteral("icon_airship_hunter_star"),
        QStringLiteral("icon_airship_cargo_small_star"),
        QStringLiteral("icon_airship_cargo_medium_b_star"),
        QStringLiteral("icon_airship_cargo_large_a_star"),
        QStringLiteral("icon_gas_buff"),
    };
    return names;
}

void DeployMod(const QString& dataFolder, const QString& modFolder, const QList<ModIcon>& icons) {
    const QString mod = ModFolderPath(modFolder);

    // The asset folder holds nothing but the new asset file.
    const QString assetFolder = mod + QStringLiteral("data/config/export/main/asset");
    RemoveFolderTree(assetFolder);
    CreateFolderPath(assetFolder);
    CopyFileAtomically(dataFolder + DataFile::Assets, assetFolder + QStringLiteral("/assets.xml"));

    const QString textFolder = mod + QStringLiteral("data/config/gui");
    CreateFolderPath(textFolder);
    CopyFileAtomically(dataFolder + DataFile::Texts, textFolder + QStringLiteral("/texts_german.xml"));

    const QString iconFolder = mod + QStringLiteral("data/icon");
    CreateFolderPath(iconFolder);
    for (const ModIcon& icon : icons) {
        const QString path = iconFolder + QLatin1Char('/') + icon.name + QStringLiteral(".png");
        if (icon.png.isEmpty()) {
            throw SkylatheError(
                QStringLiteral("Das Symbol „%1“ kann nicht als PNG-Datei „%2“ geschrieben werden.")
                    .arg(icon.name, QDir::toNativeSeparators(path)));
        }
        WriteFileAtomically(path, icon.png);
    }

    RemoveFolderTree(modFolder + kYardModName);
    CopyFolderTreeSkippingFailures(dataFolder + kYardModName, modFolder + kYardModName);

    QFile::remove(dataFolder + DataFile::Assets);
}
