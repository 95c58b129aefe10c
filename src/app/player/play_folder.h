#pragma once
// The player's private temporary folder, where a game file is extracted:
// "$TMPDIR/banmen-player-XXXXXX" (else /tmp), readable by its owner only.
// It holds the owner file "banmen-player.pid" ("PID START\n": the process id
// and the process's start time in clock ticks since boot, so that a process
// id used again by another program is told apart) and the folder "game",
// into which the archive goes (so no entry of a game can replace the owner
// file).
//
// The folder is removed when the object goes. A player that was killed
// leaves it behind; the next player removes it at its start
// (removeStalePlayFolders). Only folders that are clearly a player's are
// touched: named so, owned by this user, not a link, with an owner file
// that reads as above, naming a process that no longer runs.

#include <string>

#include "platform/status.h"

namespace banmen::player {

inline constexpr char kPlayFolderPrefix[] = "banmen-player-";
inline constexpr char kOwnerFileName[] = "banmen-player.pid";
inline constexpr char kGameFolderName[] = "game";

// $TMPDIR when it is an absolute path, else /tmp.
std::string temporaryParent();

class PlayFolder {
  public:
    PlayFolder() = default;
    ~PlayFolder();
    PlayFolder(const PlayFolder&) = delete;
    PlayFolder& operator=(const PlayFolder&) = delete;

    // Makes a new folder under `parent` with its owner file and its empty
    // game folder. Fails (leaving nothing) when any of it cannot be written.
    Status create(const std::string& parent = temporaryParent());
    // Removes the folder now (also done by the destructor).
    void remove();

    const std::string& path() const { return path_; }
    // Where the game goes.
    std::string gameFolder() const;

  private:
    std::string path_;
};

// Removes the folders under `parent` that players which stopped running
// left behind; the number removed. Nothing is removed when the running
// processes cannot be told (no /proc).
int removeStalePlayFolders(const std::string& parent = temporaryParent());

}  // namespace banmen::player
