#pragma once
// Where the file of a game's image is found. An image names a bare file:
// one in the workspace's "Image Files" folder, or, for the pictures a new
// game lists from the default image folder, one there until the author
// copies it into the workspace. The workspace's own file wins.

#include <string>

#include "model/game_record.h"

namespace banmen {

// The native path of image `index`'s file: the workspace folder's "Image
// Files" first, then `defaultImageFolder`. Empty when the image is not in
// use, has no file name, names more than a bare file, or neither folder
// holds the file. `folder` may be empty (a game not yet saved).
std::string FindImageFile(const GameRecord& record, const std::string& folder, int index,
                          const std::string& defaultImageFolder);
// The same with the configured default image folder (default_folders.h).
std::string FindImageFile(const GameRecord& record, const std::string& folder, int index);

}  // namespace banmen
