#include "editor/play/draw/play_pictures.h"

#include "model/image_files.h"

namespace banmen::play {

bool ProgramPictures::load() {
    bool all = side.LoadResource(4000);
    all = panel.LoadResource(4001) && all;
    all = infoFrame.LoadResource(4002) && all;
    all = defaultBoard.LoadResource(4005) && all;
    all = dice.LoadResource(5000, kMagenta) && all;
    for (std::size_t k = 0; k < looks.size(); ++k) {
        all = looks[k].LoadResource(6000 + static_cast<int>(k), kMagenta) && all;
    }
    all = logo.LoadResource(6010, kMagenta) && all;
    for (std::size_t p = 0; p < finishedMarks.size(); ++p) {
        all = finishedMarks[p].LoadResource(7000 + static_cast<int>(p), kMagenta) && all;
        all = defaultPieces[p].LoadResource(3001 + static_cast<int>(p), kMagenta) && all;
    }
    all = badges.LoadResource(8010, kMagenta) && all;
    all = turn.LoadResource(9000, kMagenta) && all;
    all = arrow.LoadResource("ARROW", kMagenta) && all;
    return all;
}

std::string gameImagePath(const GameRecord& record, const std::string& folder, int index) {
    return FindImageFile(record, folder, index);
}

bool loadGameImage(DibBitmap& bitmap, const GameRecord& record, const std::string& folder,
                   int index, Colour transparent) {
    bitmap.Free();
    const std::string path = gameImagePath(record, folder, index);
    return !path.empty() && bitmap.LoadFile(path, transparent);
}

}  // namespace banmen::play
