#pragma once

#include <QTextBrowser>

// The information window's page view. The help page carries its pictures as data: URIs, which
// QTextBrowser does not fetch itself, so they are decoded here.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // Shows the page in `path` (ISO-8859-1 HTML); a missing or unreadable page shows a German notice.
    void showPage(const QString& path);

    QVariant loadResource(int type, const QUrl& name) override;
};
