#pragma once
// The pictures the play screen draws with: the program's own (resources) and
// those of the game being played (model/image_files.h finds their files).

#include <array>
#include <string>

#include "media/dib_bitmap.h"
#include "model/game_record.h"

namespace banmen::play {

struct ProgramPictures {
    DibBitmap side;                          // 4000
    DibBitmap panel;                         // 4001
    DibBitmap infoFrame;                     // 4002
    DibBitmap defaultBoard;                  // 4005
    DibBitmap dice;                          // 5000, keyed
    std::array<DibBitmap, 10> looks;         // 6000 + look, keyed
    DibBitmap logo;                          // 6010, keyed
    std::array<DibBitmap, 4> finishedMarks;  // 7000 + player, keyed
    DibBitmap badges;                        // 8010, keyed
    DibBitmap turn;                          // 9000, keyed
    DibBitmap arrow;                         // "ARROW", keyed
    std::array<DibBitmap, 4> defaultPieces;  // 3001 + player, keyed

    // False when any of them is missing; the rest still load.
    bool load();
};

// The native path of image `index`'s file (FindImageFile), empty when it
// has none or the file is in neither the workspace nor the default folder.
std::string gameImagePath(const GameRecord& record, const std::string& folder, int index);

// Loads image `index` of the game (keyed with `transparent`); false, and
// the bitmap empty, when it has none or the file does not read.
bool loadGameImage(DibBitmap& bitmap, const GameRecord& record, const std::string& folder,
                   int index, Colour transparent = kNoColour);

}  // namespace banmen::play
