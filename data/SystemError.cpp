#include "data/SystemError.h"

#include <cerrno>
#include <cstring>

QString SystemErrorReason(int code) {
    switch (code) {
    case ENOSPC:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("Das Speicherkontingent auf dem Datenträger ist erschöpft.");
#endif
    case EACCES:
    case EPERM:
        return QStringLiteral("Der Zugriff wurde verweigert.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOENT:
        return QStringLiteral("Die Datei oder der Ordner ist nicht vorhanden.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
    case EISDIR:
        return QStringLiteral("An dieser Stelle liegt ein Ordner.");
    case EEXIST:
        return QStringLiteral("An dieser Stelle liegt bereits ein Eintrag gleichen Namens.");
    case ENOTEMPTY:
        return QStringLiteral("Der Ordner ist nicht leer.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name oder der Pfad ist für das Dateisystem zu lang.");
    case EIO:
        return QStringLiteral("Beim Zugriff auf den Datenträger ist ein Ein-/Ausgabefehler aufgetreten.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien gleichzeitig geöffnet.");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß für das Dateisystem.");
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("Der Pfad enthält eine symbolische Verknüpfung, der nicht gefolgt wird.");
#endif
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("Die Datei wird gerade von einem anderen Programm benutzt.");
    case EXDEV:
        return QStringLiteral("Quelle und Ziel liegen auf verschiedenen Datenträgern.");
    case EINVAL:
        return QStringLiteral("Der Name ist für das Dateisystem ungültig.");
    case ENOMEM:
        return QStringLiteral("Der Arbeitsspeicher reicht nicht aus.");
    default:
        return QStringLiteral("Das System meldet Fehler Nr. %1 („%2“).")
            .arg(code)
            .arg(QString::fromLocal8Bit(std::strerror(code)));
    }
}

QString SystemErrorAdvice(int code) {
    switch (code) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return QStringLiteral(
            "Bitte schaffen Sie Platz auf dem Datenträger und versuchen Sie es dann erneut.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("Bitte prüfen Sie, ob der Ordner beschreibbar ist (Schreibschutz, Eigentümer, "
                              "Zugriffsrechte).");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("Bitte schließen Sie das andere Programm und versuchen Sie es dann erneut.");
    default:
        return QString();
    }
}

QString SystemErrorText(int code) {
    const QString advice = SystemErrorAdvice(code);
    return advice.isEmpty() ? SystemErrorReason(code) : SystemErrorReason(code) + QLatin1Char(' ') + advice;
}
