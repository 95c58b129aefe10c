#pragma once
// The default media folders: where the pictures of a new game and the sounds
// a game names but does not hold come from. A provider (the settings store)
// gives the configured folder, or an empty text; when that names no existing
// folder, the base folder's "Image Files" / "Sound Files" is used.

#include <functional>
#include <string>

namespace banmen {

using FolderProvider = std::function<std::string()>;

void setDefaultImageFolderProvider(FolderProvider provider);
void setDefaultSoundFolderProvider(FolderProvider provider);

std::string defaultImageFolder();
std::string defaultSoundFolder();

}  // namespace banmen
