#pragma once
// Reading the game record inside a built game file (".sgr") without
// extracting anything to disk.

#include <string>

#include "model/game_record.h"
#include "platform/status.h"

namespace banmen {

// The first root file entry whose name ends in ".sgp" (any case) is the
// packed record. `destination` changes only on success.
Status ReadGameFile(GameRecord& destination, const std::string& path);

}  // namespace banmen
