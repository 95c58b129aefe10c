#pragma once
// Building a workspace into a game file (".sgr"): an archive holding the
// packed record as the root entry `projectFileName`, the folder entries
// "Image Files" and "Sound Files", then one file entry per media reference,
// in this order: gamePicture, helpPicture, music, the pictures of players
// 0..3, then for each of the 200 square slots (free ones too) its picture,
// supplementPicture and sound. A medium used by several references is stored
// once per reference. References of -1 are no media.
//
// Only the workspace's own "Image Files" and "Sound Files" are searched; a
// reference whose file is not there (a default sound, say) is skipped and
// reported in BuildReport.
//
// The game file is written under a temporary name beside the target and
// renamed over it only when complete: a failed build leaves an existing game
// file as it was. The packed record goes through a temporary file in its own
// folder under $TMPDIR (else /tmp), removed on every way out.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "model/game_record.h"
#include "model/workspace.h"
#include "platform/status.h"

namespace banmen {

// A reference whose medium was left out. Players, squares, images and
// sounds are numbered from 1, as the editor shows them.
struct SkippedMedium {
    std::string reference;  // "gamePicture", "player 2 picture", "square 17 sound"...
    std::string file;       // the file looked for, relative: "Sound Files/a.wav" (UTF-8)
    std::string reason;     // "not in the workspace", "no file name"...
};

struct BuildReport {
    std::size_t mediaAdded = 0;  // file entries for media, duplicates counted
    std::vector<SkippedMedium> skipped;
    bool cancelled = false;  // the progress callback stopped the build
};

// Called before each entry the build packs: the project file, then every
// media reference that is not -1 (skipped ones too), with the entry's name
// ("title.sgp", "Image Files/a.bmp"), how many came before it and how many
// there are. Returning false cancels the build, which then fails with
// `cancelled` set and leaves nothing at the target.
using BuildProgress =
    std::function<bool(const std::string& entry, std::size_t done, std::size_t total)>;

// Builds `record` as found in the workspace at `location` into `targetPath`
// (native). The target's folder is created when missing. Fails when packing
// fails, when the workspace has no project file name, and when the game file
// or the packed record cannot be written (a full disk, a medium that cannot
// be read through, a name Shift-JIS cannot hold); the reason says which. A
// game file without all it should hold is never left at the target, so
// these are failures rather than entries quietly left out. A medium that is
// missing, unreadable from the start or not a plain file name is skipped.
Status BuildGame(const GameRecord& record, const WorkspaceLocation& location,
                 const std::string& targetPath, BuildReport& report,
                 const BuildProgress& progress = {});

// The same for the open workspace; on success its `gameFileName` becomes the
// target's file name.
Status BuildGame(Workspace& workspace, const std::string& targetPath, BuildReport& report,
                 const BuildProgress& progress = {});

}  // namespace banmen
