#include "model/default_folders.h"

#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen {
namespace {

FolderProvider& imageProvider() {
    static FolderProvider provider;
    return provider;
}

FolderProvider& soundProvider() {
    static FolderProvider provider;
    return provider;
}

std::string resolve(const FolderProvider& provider, const char* fallbackName) {
    if (provider) {
        std::string configured = provider();
        if (!configured.empty() && IsFolder(configured)) {
            return configured;
        }
    }
    return path::PathJoin(BaseFolder(), fallbackName);
}

}  // namespace

void setDefaultImageFolderProvider(FolderProvider provider) {
    imageProvider() = std::move(provider);
}

void setDefaultSoundFolderProvider(FolderProvider provider) {
    soundProvider() = std::move(provider);
}

std::string defaultImageFolder() {
    return resolve(imageProvider(), "Image Files");
}

std::string defaultSoundFolder() {
    return resolve(soundProvider(), "Sound Files");
}

}  // namespace banmen
