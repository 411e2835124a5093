#include "ui/HelpBrowser.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextDocument>
#include <QUrl>

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

void HelpBrowser::showPage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        setHtml(QStringLiteral("<h2>Seite nicht gefunden</h2><p>Die Hilfeseite <b>%1</b> ist nicht vorhanden "
                               "oder kann nicht gelesen werden.</p>")
                    .arg(path.toHtmlEscaped()));
        return;
    }
    const QString page = QString::fromLatin1(file.readAll());
    setSearchPaths({QFileInfo(path).absolutePath()});
    document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    setHtml(page);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0) {
        // data:[<type>][;base64],<data>
        const QByteArray uri = name.toEncoded();
        const qsizetype comma = uri.indexOf(',');
        if (comma < 0)
            return {};
        const QByteArray header = uri.mid(5, comma - 5);
        const QByteArray payload = uri.mid(comma + 1);
        const QByteArray bytes = header.endsWith(";base64")
                                     ? QByteArray::fromBase64(QByteArray::fromPercentEncoding(payload))
                                     : QByteArray::fromPercentEncoding(payload);
        if (type == QTextDocument::ImageResource) {
            QImage image;
            if (image.loadFromData(bytes))
                return image;
            return {};
        }
        return bytes;
    }
    return QTextBrowser::loadResource(type, name);
}
