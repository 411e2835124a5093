// A second copy of the program's start: runs the discovery and prints what it showed.
#include "app/FindGameFolder.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
struct PrintingUi : GameFolderUi {
    void showStartError(const QString& caption, const QString& text) override {
        std::printf("%s\n", qPrintable(caption + "|" + text));
    }
    QString browseForGameFolder(const QString&, const QString&) override { return {}; }
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrintingUi ui;
    return FindGameFolder(ui) ? 0 : 1;
}
