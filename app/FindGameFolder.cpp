#include "app/FindGameFolder.h"

#include "app/Services.h"
#include "app/platform/Platform.h"
#include "data/Folders.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
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

QString WithoutTrailingSeparator(QString folder) {
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))) {
        folder.chop(1);
    }
    return folder;
}

// The folder without trailing separators when `text` names an absolute folder (or a place where one
// can be made); empty for a relative or empty text and for an existing file.
QString UsableFolder(const QString& text) {
#ifdef Q_OS_WIN
    const bool absolute = (text.size() >= 3 && text.at(0).isLetter() && text.at(1) == QLatin1Char(':') &&
                           text.at(2) == kSeparator) ||
                          text.startsWith(QStringLiteral("\\\\"));
#else
    const bool absolute = text.startsWith(kSeparator);
#endif
    if (!absolute || text.contains(QChar())) {
        return {};
    }
    const QString folder = WithoutTrailingSeparator(text);
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        return {};
    }
    return folder;
}

bool IsGameFolder(const QString& folder) {
    // An empty folder would make the test look at the root of the file system.
    return !folder.isEmpty() && QFileInfo(GameExecutableIn(folder)).isFile();
}

QString KeyValueText(const platform::InstallDirValue& value, platform::InstallKey key) {
    QString text = FromUtf8(value.value);
    // The launcher's value ends with a separator that is not part of the folder; a value without one
    // keeps its last letter, which does belong to the folder.
    if (key == platform::InstallKey::Launcher &&
        (text.endsWith(QLatin1Char('/')) || text.endsWith(QLatin1Char('\\')))) {
        text.chop(1);
    }
    return text;
}

// The folder an installation key's value names on this system; empty when it names none.
QString FolderOfKeyValue(const platform::InstallDirValue& value, platform::InstallKey key) {
    QString text = KeyValueText(value, key);
    if (!value.winePrefix.empty()) {
        text = FromUtf8(platform::MapWinePath(value.winePrefix, text.toStdString()));
    } else {
        text.replace(kForeignSeparator, kSeparator);
    }
    return UsableFolder(text);
}

struct Candidate {
    QString folder;
    QDateTime executableTime; // invalid when the folder does not hold the game
};

Candidate CandidateFor(const QString& folder) {
    const QFileInfo executable(GameExecutableIn(folder));
    return {folder, executable.isFile() ? executable.lastModified() : QDateTime()};
}

// Of several folders the one whose executable is newest; when none holds the game, the first.
QString Preferred(const QList<Candidate>& candidates) {
    const Candidate* best = nullptr;
    for (const Candidate& candidate : candidates) {
        if (candidate.executableTime.isValid() &&
            (best == nullptr || candidate.executableTime > best->executableTime)) {
            best = &candidate;
        }
    }
    if (best != nullptr) {
        return best->folder;
    }
    return candidates.isEmpty() ? QString() : candidates.first().folder;
}

// Takes `folder` as the game folder and its "mods" folder as the mod folder, and makes that folder; one
// that cannot be made is left to the later writes, which report it.
void TakeGameFolder(const QString& folder) {
    Folders& folders = AppFolders();
    folders.GameFolder = folder;
    folders.ModFolder = ModFolderOf(folder);
    QDir().mkpath(folder + kSeparator + QStringLiteral("mods"));
}

// An installation key names the game folder without being checked; its mods folder is made.
bool TakeInstallDir(platform::InstallKey key) {
    QList<Candidate> candidates;
    for (const platform::InstallDirValue& value : platform::ReadInstallDirs(key)) {
        const QString folder = FolderOfKeyValue(value, key);
        if (!folder.isEmpty()) {
            candidates.append(CandidateFor(folder));
        }
    }
    const QString folder = Preferred(candidates);
    if (folder.isEmpty()) {
        return false;
    }
    TakeGameFolder(folder);
    return true;
}

// The game folders of the Steam libraries ("steamapps/common/<game>" holding the game's executable).
QList<Candidate> SteamGameFolders(const QStringList& libraries) {
    QList<Candidate> candidates;
    for (const QString& library : libraries) {
        QDirIterator games(library + QStringLiteral("/steamapps/common"), QDir::Dirs | QDir::NoDotAndDotDot);
        for (int seen = 0; games.hasNext() && seen < 4096; ++seen) {
            const Candidate candidate = CandidateFor(games.next());
            if (candidate.executableTime.isValid()) {
                candidates.append(candidate);
            }
        }
    }
    return candidates;
}

// Where the browser opens: the games folder of the first Steam library, else the home folder.
QString BrowserStartFolder(const QStringList& libraries) {
    for (const QString& library : libraries) {
        const QString games = library + QStringLiteral("/steamapps/common");
        if (QFileInfo(games).isDir()) {
            return games;
        }
    }
    return QDir::homePath();
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
    folders.GameFolder = UsableFolder(FromUtf8(platform::ReadProgramValue("GameLocation")));
    folders.ModFolder = FromUtf8(platform::ReadProgramValue("ModLocation"));
    // A stored mods folder that is no absolute folder would send the mod to the working directory.
    if (UsableFolder(folders.ModFolder).isEmpty()) {
        folders.GameFolder.clear();
    }

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
        bool found =
            TakeInstallDir(platform::InstallKey::Publisher) || TakeInstallDir(platform::InstallKey::Launcher);
        QStringList libraries;
        if (!found) {
            for (const std::string& library : platform::SteamLibraryFolders()) {
                libraries.append(FromUtf8(library));
            }
            const QString steamGame = Preferred(SteamGameFolders(libraries));
            if (!steamGame.isEmpty()) {
                TakeGameFolder(steamGame);
                found = true;
            }
        }
        if (!found) {
            const QString chosen = UsableFolder(QDir::toNativeSeparators(ui.browseForGameFolder(
                GameFolderTexts::browserDescription(), BrowserStartFolder(libraries))));
            if (!IsGameFolder(chosen)) {
                ui.showStartError(GameFolderTexts::startErrorCaption(), GameFolderTexts::notTheGameFolder());
                return false;
            }
            TakeGameFolder(chosen);
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
