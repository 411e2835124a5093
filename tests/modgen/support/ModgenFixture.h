#pragma once

#include "data/TextFile.h"
#include "data/Xml.h"
#include "tests/support/FolderSnapshot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtTest>

// Small helpers shared by the generation and mine dialog tests.
namespace modgentest {

// Where a generation run puts the mod, below the mods folder given to it.
inline const QString kMod = QStringLiteral("mods/[Air Ships] Aerolune/");

inline QString fixtureData() {
    return QStringLiteral(SKYLATHE_TEST_DATA "/fixture/XMLD");
}
// A file every test folder shares (tests/shared/).
inline QString sharedFile(const QString& name) {
    return QStringLiteral(SKYLATHE_SOURCE_DIR "/tests/shared/") + name;
}
inline QString packageData() {
    return QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD");
}

// A plain recursive copy, independent of the code under test.
inline void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else {
            QFile::copy(path, target);
        }
    }
}

// The small fixture's data folder at `to`: its own files and the shipped mine list.
inline void copyFixtureData(const QString& to) {
    copyTree(fixtureData(), to);
    QFile::copy(sharedFile(QStringLiteral("GasMines.xml")), to + QStringLiteral("/GasMines.xml"));
}

// The seven pictures a generation run writes into the mod's data/icon folder, without ".png".
inline const QStringList kIcons{QStringLiteral("icon_airship_artic_star"),
                                QStringLiteral("icon_airship_hunter_light_star"),
                                QStringLiteral("icon_airship_hunter_star"),
                                QStringLiteral("icon_airship_cargo_small_star"),
                                QStringLiteral("icon_airship_cargo_medium_b_star"),
                                QStringLiteral("icon_airship_cargo_large_a_star"),
                                QStringLiteral("icon_gas_buff")};

// Every folder and file of a freshly generated mod, sorted as snapshot() lists them.
inline QStringList freshModLayout() {
    QStringList layout{QStringLiteral("data"),
                       QStringLiteral("data/config"),
                       QStringLiteral("data/config/export"),
                       QStringLiteral("data/config/export/main"),
                       QStringLiteral("data/config/export/main/asset"),
                       QStringLiteral("data/config/export/main/asset/assets.xml"),
                       QStringLiteral("data/config/gui"),
                       QStringLiteral("data/config/gui/texts_german.xml"),
                       QStringLiteral("data/icon"),
                       QStringLiteral("modinfo.json")};
    for (const QString& icon : kIcons) {
        layout << QStringLiteral("data/icon/") + icon + QStringLiteral(".png");
    }
    layout.sort();
    return layout;
}

// Sets the text at attribute position 2 of the mine rows named in the map.
inline void setMineStates(const QString& dataFolder, const QMap<QString, QString>& states) {
    const QString path = dataFolder + QStringLiteral("GasMines.xml");
    XmlDocument doc = XmlDocument::load(path);
    for (auto it = states.begin(); it != states.end(); ++it) {
        doc.selectSingle(QStringLiteral("//GasMine[@GUID=\"%1\"]").arg(it.key()))
            .setAttributeAt(2, it.value());
    }
    doc.save(path);
}

} // namespace modgentest
