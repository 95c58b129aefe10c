#pragma once
// The game record a play command plays: a workspace (.sgw, either format), a
// project file (.sgp) or a built game file (.sgr).
//
// A .sgr is read in place (ReadGameFile): its root ".sgp" entry is unpacked.
// The media inside the archive are not extracted, so such a game plays
// without its own sounds.

#include <string>

#include "model/game_record.h"
#include "platform/status.h"

namespace banmen::cli {

// `folder` receives the folder against which the game's media are resolved.
Status readPlayableGame(const std::string& path, GameRecord& record, std::string& folder);

}  // namespace banmen::cli
