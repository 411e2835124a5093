#include "app/FindGameFolder.h"

#include "app/Services.h"
#include "app/platform/Platform.h"
#include "data/Folders.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

#ifdef Q_OS_WIN
constexpr QChar kSeparator = QLatin1Char('\\');
constexpr QChar kForeignSeparator = QLatin1Char('/');
#else
constexpr QChar kSeparator = QLatin1Char('/');
constexpr QChar kForeignSeparator = QLatin1Char('\\');
#endif

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString ModFolderOf(const QString& gameFolder) {
    return gameFolder + kSeparator + QStringLiteral("mods") + kSeparator;
}

bool IsGameFolder(const QString& folder) {
    // An empty folder would make the test look at the root of the file system.
    return !folder.isEmpty() && QFileInfo(GameExecutableIn(folder)).isFile();
}

// An installation key's value names the game folder without being checked; its mods folder is made.
bool TakeInstallDir(QString value) {
    value.replace(kForeignSeparator, kSeparator);
    if (value.isEmpty()) {
        return false;
    }
    Folders& folders = AppFolders();
    folders.GameFolder = value;
    folders.ModFolder = ModFolderOf(value);
    // A folder that cannot be made is left to the later writes, which report it.
    QDir().mkpath(value + kSeparator + QStringLiteral("mods"));
    return true;
}

QString WithoutTrailingSeparator(QString folder) {
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))) {
        folder.chop(1);
    }
    return folder;
}

} // namespace

QString GameExecutableIn(const QString& gameFolder) {
    const QString relative = QStringLiteral("/Bin/Win64/Velmora.exe");
#ifdef Q_OS_WIN
    return gameFolder + QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\'));
#else
    return gameFolder + relative;
#endif
}

namespace GameFolderTexts {
QString startErrorCaption() {
    return QStringLiteral("Programmstartfehler");
}
QString alreadyRunning() {
    return QStringLiteral("Das Programm <Skylathe> läuft bereits!");
}
QString browserDescription() {
    return QStringLiteral("Das Spiel Velmora kann nicht gefunden werden\nWählen Sie aus der Liste das "
                          "Hauptverzeichnis des Spiels Velmora aus.\n");
}
QString notTheGameFolder() {
    return QStringLiteral("Das angegebene Verzeichnis ist nicht das Spieleverzeichnis.\n\nStarten Sie das "
                          "Programm erneut und wählen Sie\neinen anderen Pfad aus");
}
} // namespace GameFolderTexts

bool FindGameFolder(GameFolderUi& ui) {
    try {
        if (platform::AcquireSingleInstanceGuard() == platform::GuardResult::AlreadyRunning) {
            ui.showStartError(GameFolderTexts::startErrorCaption(), GameFolderTexts::alreadyRunning());
            return false;
        }
    } catch (const platform::PlatformError&) {
        // Without a guard the program still works; refusing to start would lock the user out.
    }

    Folders& folders = AppFolders();
    folders.GameFolder = FromUtf8(platform::ReadProgramValue("GameLocation"));
    folders.ModFolder = FromUtf8(platform::ReadProgramValue("ModLocation"));

    if (!IsGameFolder(folders.GameFolder)) {
        folders.GameFolder.clear();
        folders.ModFolder.clear();
        try {
            if (platform::ProgramKeyExists()) {
                platform::DeleteProgramKey();
            }
        } catch (const platform::PlatformError&) {
            // The key is rewritten below once a folder is found; a stale one does no harm until then.
        }
        bool found = TakeInstallDir(FromUtf8(platform::ReadInstallDir(platform::InstallKey::Publisher)));
        if (!found) {
            QString launcherValue = FromUtf8(platform::ReadInstallDir(platform::InstallKey::Launcher));
            launcherValue.chop(1);
            found = TakeInstallDir(launcherValue);
        }
        if (!found) {
            const QString chosen = WithoutTrailingSeparator(
                QDir::toNativeSeparators(ui.browseForGameFolder(GameFolderTexts::browserDescription())));
            if (!IsGameFolder(chosen)) {
                ui.showStartError(GameFolderTexts::startErrorCaption(), GameFolderTexts::notTheGameFolder());
                return false;
            }
            folders.GameFolder = chosen;
            folders.ModFolder = ModFolderOf(chosen);
            QDir().mkpath(chosen + kSeparator + QStringLiteral("mods"));
        }
    }

    const platform::NamedValues values = {
        {"GameLocation", folders.GameFolder.toStdString()},
        {"ModLocation", folders.ModFolder.toStdString()},
        {"ModLoader", "0.9.4"},
        {"PrgPath", folders.ProgramFolder.toStdString()},
        {"Help", "0"},
        {"DPVer", GetProgramVersion().toStdString()},
        {"Company", "Skylathe-Projekt"},
        {"TimeStamp", QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString()},
        {"DeleteYard", "0"},
    };
    try {
        platform::WriteProgramValues(values);
    } catch (const platform::PlatformError& error) {
        // The folders are known, so the program can run; only the next start has to search again.
        ui.showStartError(GameFolderTexts::startErrorCaption(),
                          QStringLiteral("Die Programmeinstellungen können nicht gespeichert werden.\n\n") +
                              FromUtf8(error.what()));
    }
    return true;
}
