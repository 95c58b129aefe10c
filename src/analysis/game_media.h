#pragma once
// Where the linter looks for the files that a game's images and sounds name
// (bare Shift-JIS file names in the record): the game's own "Image Files" and
// "Sound Files" (the folders of a workspace, or the entries of a built game
// file), then the default image and sound folders, which hold the pictures of
// a new game and the default sounds.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_record.h"
#include "platform/status.h"

namespace banmen {

class GameMedia {
  public:
    // The media of a workspace or project file in `folder` (native paths).
    static GameMedia inFolder(std::string folder, std::string defaultImages,
                              std::string defaultSounds);
    // The media stored in a built game file (".sgr").
    static Status inGameFile(const std::string& path, std::string defaultImages,
                             std::string defaultSounds, GameMedia& out);

    // The content of image `image`'s picture file, found as play finds it
    // (image_files.h); false when no such file is found or it cannot be read.
    bool readPicture(const GameRecord& record, int image, std::vector<std::uint8_t>& out) const;
    // Whether the file of sound `sound` is found where play looks for it: the
    // file name, then its title as ".mp3" and as ".wav" (sound_files.h).
    bool hasSound(const GameRecord& record, int sound) const;

  private:
    bool inArchive_ = false;
    std::string folder_;
    std::string defaultImages_;
    std::string defaultSounds_;
    // A game file's media by their Shift-JIS names inside their folder.
    std::map<std::string, std::vector<std::uint8_t>, std::less<>> pictures_;
    std::set<std::string, std::less<>> sounds_;
};

}  // namespace banmen
