#include "modgen/Deployment.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/ModFolders.h"
#include "data/SystemError.h"
#include "data/TextFile.h"
#include "modgen/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

// A name beside the mod folders that the game's mod loader treats as switched off.
QString scratchName(const QString& modFolder, const char* role) {
    return modFolder + QStringLiteral("-.skylathe-%1-%2")
                           .arg(QLatin1String(role))
                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// The yard mod is copied whole into a scratch folder first and then swapped in, so the installed copy is
// never half replaced.
class YardSwap {
public:
    YardSwap(const QString& source, const QString& modFolder)
        : m_target(modFolder + kYardModName), m_modFolder(modFolder) {
        if (!QFileInfo(source).isDir() || QFileInfo(source).isSymLink()) {
            return;
        }
        m_staging = scratchName(modFolder, "yard");
        try {
            CreateFolderPath(m_staging);
            CopyFolderTree(source, m_staging);
        } catch (...) {
            RemoveFolderTree(m_staging);
            throw;
        }
    }
    ~YardSwap() {
        if (!m_staging.isEmpty()) {
            RemoveFolderTree(m_staging);
        }
    }
    YardSwap(const YardSwap&) = delete;
    YardSwap& operator=(const YardSwap&) = delete;

    void commit() {
        QString old;
        const QFileInfo installed(m_target);
        if (installed.exists() || installed.isSymLink()) {
            old = scratchName(m_modFolder, "old");
            if (installed.isSymLink() || RenamePath(m_target, old) != 0) {
                RemoveFolderTree(m_target);
                old.clear();
            }
        }
        if (!m_staging.isEmpty()) {
            if (const int code = RenamePath(m_staging, m_target)) {
                if (!old.isEmpty()) {
                    RenamePath(old, m_target);
                    old.clear();
                }
                throw SkylatheError(
                    QStringLiteral("Die Werft-Modifikation „%1“ kann nicht ersetzt werden: %2")
                        .arg(QDir::toNativeSeparators(m_target), SystemErrorText(code)));
            }
            m_staging.clear();
        }
        if (!old.isEmpty()) {
            RemoveFolderTree(old);
        }
    }

private:
    QString m_target;
    QString m_modFolder;
    QString m_staging;
};

// The asset folder holds nothing but the asset file.
void clearFolderExcept(const QString& folder, const QString& keep) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName() == keep) {
            continue;
        }
        if (entry.isDir() && !entry.isSymLink()) {
            RemoveFolderTree(entry.absoluteFilePath());
        } else {
            QFile::remove(entry.absoluteFilePath());
        }
    }
}

} // namespace

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

void DeployMod(const QString& dataFolder, const QString& modFolder, const QList<ModIcon>& icons,
               const QByteArray& modInfo) {
    const QString mod = ModFolderPath(modFolder);
    const QString assetFolder = mod + QStringLiteral("data/config/export/main/asset");
    const QString textFolder = mod + QStringLiteral("data/config/gui");
    const QString iconFolder = mod + QStringLiteral("data/icon");

    FileBatch batch;
    batch.createFolder(assetFolder);
    batch.copy(dataFolder + DataFile::Assets, assetFolder + QStringLiteral("/assets.xml"));
    batch.createFolder(textFolder);
    batch.copy(dataFolder + DataFile::Texts, textFolder + QStringLiteral("/texts_german.xml"));
    batch.createFolder(iconFolder);
    for (const ModIcon& icon : icons) {
        const QString path = iconFolder + QLatin1Char('/') + icon.name + QStringLiteral(".png");
        if (icon.png.isEmpty()) {
            throw SkylatheError(
                QStringLiteral("Das Symbol „%1“ kann nicht als PNG-Datei „%2“ geschrieben werden.")
                    .arg(icon.name, QDir::toNativeSeparators(path)));
        }
        batch.write(path, icon.png);
    }
    if (!modInfo.isEmpty()) {
        batch.write(mod + QStringLiteral("modinfo.json"), modInfo);
    }
    YardSwap yard(dataFolder + kYardModName, modFolder);

    batch.commit();
    clearFolderExcept(assetFolder, QStringLiteral("assets.xml"));
    yard.commit();

    QFile::remove(dataFolder + DataFile::Assets);
}
