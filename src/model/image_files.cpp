#include "model/image_files.h"

#include "model/default_folders.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {

std::string FindImageFile(const GameRecord& record, const std::string& folder, int index,
                          const std::string& defaultImageFolder) {
    if (!isImageRef(record, index)) {
        return {};
    }
    const std::string name = sjis::toUtf8Lossy(fieldText(record.images[index].fileName));
    // A hand-edited record must not reach files outside the two folders.
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos) {
        return {};
    }
    const std::string candidates[] = {
        folder.empty() ? std::string()
                       : path::PathJoin(path::PathJoin(folder, kImageFolderName), name),
        defaultImageFolder.empty() ? std::string() : path::PathJoin(defaultImageFolder, name),
    };
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && FileExists(candidate) && !IsFolder(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string FindImageFile(const GameRecord& record, const std::string& folder, int index) {
    return FindImageFile(record, folder, index, defaultImageFolder());
}

}  // namespace banmen
