#pragma once
// The game's board picture (settings `gamePicture`), loaded from the
// workspace's "Image Files" folder or the default image folder (a new
// game's pictures) and kept until its name changes or the whole record is
// replaced.

#include <QImage>
#include <string>

#include "model/game_record.h"

namespace banmen {

// The native path of the board picture, or empty when the game has none or
// its file is not found.
std::string boardPicturePath(const GameRecord& record, const std::string& folder);

class BoardPicture {
  public:
    // A null image when there is no picture or it cannot be read.
    const QImage& image(const GameRecord& record, const std::string& folder);
    // Forces a reload on the next call (the file may have changed).
    void invalidate();

  private:
    std::string key_;
    bool loaded_ = false;
    QImage image_;
};

}  // namespace banmen
