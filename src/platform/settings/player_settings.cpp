#include "platform/settings/player_settings.h"

#include "model/default_folders.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings/registry_key.h"

namespace banmen {

namespace {

std::string existingFolderOr(const char* valueName, const char* fallbackName) {
    std::string folder;
    (void)RegistryKey(kPlayerKeyPath).ReadString("", valueName, folder);
    if (!folder.empty() && IsFolder(folder)) {
        return folder;
    }
    return path::PathJoin(BaseFolder(), fallbackName);
}

}  // namespace

std::string readDefImageFolder() {
    return existingFolderOr("DefImageFolder", "Image Files");
}

std::string readDefSoundFolder() {
    return existingFolderOr("DefSoundFolder", "Sound Files");
}

void installDefaultFolderProviders() {
    setDefaultImageFolderProvider(&readDefImageFolder);
    setDefaultSoundFolderProvider(&readDefSoundFolder);
}

}  // namespace banmen
