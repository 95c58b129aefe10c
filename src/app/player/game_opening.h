#pragma once
// Opening a game to play: a built game file (.sgr), a workspace (.sgw) or a
// project file (.sgp). A game file's record is read and checked first; then
// the whole archive is extracted into a folder the caller gives (the
// player's private temporary folder), where its pictures and sounds are
// found. A workspace or project file plays with the media beside it.
//
// What fails is told to the notifier with the editor's messages for opening
// a file ("雙六（四季彩コレクション）", the information icon): a missing file,
// an unknown extension, and a file that cannot be read as a game, including
// a game file that is cut short or holds names that would climb out of the
// folder. Nothing is written outside the extraction folder.

#include <memory>
#include <string>

#include "model/game_record.h"
#include "platform/notifier.h"
#include "platform/status.h"

namespace banmen::player {

struct OpenedGame {
    std::unique_ptr<GameRecord> record;
    std::string folder;  // where the game's media are found
    std::string title;   // for the window (UTF-8): the game's title, else the file's
};

// True for a path whose extension is ".sgr" (any case).
bool isBuiltGame(const std::string& path);

// `extractInto` is needed for a built game only. On failure `out` is left
// alone and the status says why (for standard error).
Status openGameForPlay(const std::string& path, const std::string& extractInto, Notifier& notifier,
                       OpenedGame& out);

}  // namespace banmen::player
