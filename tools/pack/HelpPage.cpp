#include "tools/pack/HelpPage.h"

#include "data/Error.h"
#include "tools/pack/Artwork.h"

#include <QRegularExpression>

QByteArray BuildHelpPage(const QString& pageTemplate, const PictureSource& pictures) {
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([^}]*)\\}\\}"));
    static const QRegularExpression imageSpec(
        QStringLiteral("^image:([A-Za-z0-9_]+):([0-9]{1,4}):([0-9]{1,4})$"));
    QString page;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(pageTemplate); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QRegularExpressionMatch spec = imageSpec.match(m.captured(1));
        if (!spec.hasMatch()) {
            throw SkylatheError(
                QStringLiteral("Unbekannter Platzhalter „%1“ in der Hilfeseite.").arg(m.captured(0)));
        }
        const QImage image = pictures(spec.captured(1), spec.captured(2).toInt(), spec.captured(3).toInt());
        page += pageTemplate.mid(from, m.capturedStart() - from);
        page += QStringLiteral("data:image/png;base64,") + QString::fromLatin1(EncodePng(image).toBase64());
        from = m.capturedEnd();
    }
    page += pageTemplate.mid(from);
    for (const QChar c : page) {
        if (c.unicode() > 0xFF) {
            throw SkylatheError(
                QStringLiteral("Die Hilfeseite enthält das Zeichen „%1“, das ISO-8859-1 nicht kennt.")
                    .arg(c));
        }
    }
    return page.toLatin1();
}
