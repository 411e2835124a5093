#include "app/ProgramGeneration.h"

#include "app/ModPictureData.h"
#include "app/Services.h"
#include "data/Folders.h"

namespace {

QByteArray BuiltPicture(const QString& name) {
    for (std::size_t i = 0; i < kModPictureCount; ++i) {
        if (name.compare(QLatin1String(kModPictureData[i].name), Qt::CaseInsensitive) == 0) {
            // The data lives as long as the program; nothing needs copying.
            return QByteArray::fromRawData(reinterpret_cast<const char*>(kModPictureData[i].png),
                                           static_cast<qsizetype>(kModPictureData[i].size));
        }
    }
    return {};
}

} // namespace

ModPictures ProgramModPictures() {
    ModPictures pictures;
    pictures.iconPng = BuiltPicture;
    pictures.storedPng = BuiltPicture;
    return pictures;
}

GenerationContext ProgramGenerationContext(const QString& dataFolder, const QString& modFolder) {
    GenerationContext context;
    context.dataFolder = WithTrailingSlash(dataFolder);
    context.modFolder = WithTrailingSlash(modFolder);
    context.now = QDateTime::currentDateTime();
    context.userName = GetCurrentUserName();
    context.version = GetProgramVersion();
    context.pictures = ProgramModPictures();
    return context;
}

bool CreateModification() {
    // The game test is a snapshot taken once, before anything else is gathered.
    if (IsGameRunning(GameExecutableName())) {
        return false;
    }
    const Folders& folders = AppFolders();
    return CreateModification(ProgramGenerationContext(folders.DataFolder, folders.ModFolder));
}
