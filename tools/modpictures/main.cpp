// skylathe-modpictures <file.cpp>: renders the pictures a generation run writes — the mod's icons at
// 128 × 128 and its preview picture as stored — from the image collection, and writes them as C++ data
// for the program and skylathe-cli. So the collection stays the one source of every picture, and a
// generation run needs neither a display nor the fonts of the machine it runs on.
#include "app/ImageCollection.h"
#include "modgen/Deployment.h"
#include "modgen/ModInfo.h"

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr int kIconSize = 128;

QByteArray CppArray(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size() * 5);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += QByteArray::number(static_cast<unsigned char>(bytes[i]));
        out += (i % 24 == 23) ? ",\n" : ",";
    }
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    // The collection's drawings may hold text, which needs the font machinery of a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Aufruf: skylathe-modpictures <Datei.cpp>\n", stderr);
        return 2;
    }
    const ImageCollection& collection = ImageCollection::instance();
    QList<QPair<QString, QByteArray>> pictures;
    for (const QString& name : ModIconNames()) {
        pictures.append({name, collection.scaledPng(collection.indexOf(name), kIconSize, kIconSize)});
    }
    const QString preview = ModPreviewPictureName();
    pictures.append({preview, collection.storedPng(collection.indexOf(preview))});

    QByteArray source = "// Made by skylathe-modpictures from the image collection; not to be edited.\n"
                        "#include \"app/ModPictureData.h\"\n\nnamespace {\n";
    QByteArray table = "const ModPictureData kModPictureData[] = {\n";
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const auto& [name, png] = pictures[i];
        if (png.isEmpty()) {
            std::fprintf(stderr, "Das Bild „%s“ fehlt in der Bildsammlung.\n", qPrintable(name));
            return 1;
        }
        const QByteArray array = "kPicture" + QByteArray::number(i);
        source += "const unsigned char " + array + "[] = {\n" + CppArray(png) + "};\n";
        table += "    {\"" + name.toUtf8() + "\", " + array + ", sizeof " + array + "},\n";
    }
    source += "} // namespace\n\n" + table +
              "};\nconst std::size_t kModPictureCount = " + QByteArray::number(pictures.size()) + ";\n";

    // Rewritten only when it changes, so that an unchanged picture rebuilds nothing.
    QFile existing(QString::fromLocal8Bit(argv[1]));
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == source) {
        return 0;
    }
    existing.close();
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size() || !out.commit()) {
        std::fprintf(stderr, "%s kann nicht geschrieben werden: %s\n", argv[1],
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
