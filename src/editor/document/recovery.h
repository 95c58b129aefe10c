#pragma once
// Recovery after a crash: while a workspace is modified, its record is
// written now and then to a file of its own outside the workspace, so that
// a process that dies loses only the edits made since. The user's ".sgw" is
// never written here.
//
// Layout: $XDG_STATE_HOME/banmen/recovery/ (default ~/.local/state/...)
// holds, per workspace, "KEY.sgw" (the record, 273,760 bytes, as a
// workspace file) and "KEY.note" (which workspace it belongs to and when it
// was written, as text). KEY is a hash of the workspace file's absolute
// path; the note's path is compared as well, so two workspaces never share
// a recovery even if their keys collide. Both files are written atomically.
//
// No Qt: plain files over the platform layer.

#include <filesystem>
#include <string>
#include <vector>

#include "model/game_record.h"
#include "platform/status.h"

namespace banmen {

// Where recovery files live; "" when no folder can be named.
std::string recoveryFolder();

// The note written beside a recovery record.
struct RecoveryNote {
    std::string workspacePath;  // absolute, native (UTF-8)
    std::string writtenAt;      // local time, "2024-05-01 12:34:56"
};
std::string formatRecoveryNote(const RecoveryNote& note);
// False when the text is not a note (no workspace line).
bool parseRecoveryNote(std::string_view text, RecoveryNote& note);

class RecoveryFile {
  public:
    // The recovery of the workspace file at `workspacePath`, kept in
    // `folder` (by default recoveryFolder()).
    explicit RecoveryFile(const std::string& workspacePath, std::string folder = recoveryFolder());

    const std::string& workspacePath() const { return workspacePath_; }
    const std::string& recordPath() const { return recordPath_; }
    const std::string& notePath() const { return notePath_; }

    // Writes the record, then the note, each atomically; the folder is made
    // when missing.
    Status write(const GameRecord& record) const;
    // A recovery of this workspace is there (record and a note naming it).
    bool exists() const;
    // It exists and was written no earlier than the workspace file was (or
    // the workspace file is missing): it holds changes the file lacks.
    bool pending() const;
    // The recovered record; `out` is untouched on failure.
    Status read(GameRecord& out) const;
    // Removes both files; a missing one is no failure.
    void remove() const;

  private:
    std::string workspacePath_;
    std::string recordPath_;
    std::string notePath_;
};

// Recoveries of workspaces whose file does not exist (never saved, or gone),
// newest first.
std::vector<RecoveryNote> orphanRecoveries(const std::string& folder = recoveryFolder());

}  // namespace banmen
