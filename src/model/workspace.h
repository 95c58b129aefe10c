#pragma once
// The workspace: the author's working copy of one game, a folder holding the
// workspace file (the game record written raw, ".sgw") and the media folders
// "Image Files" and "Sound Files". Opening also reads project files (".sgp",
// a packed record) and workspace files of the previous, larger format.
//
// Paths are native (UTF-8). Names stored in the record are Shift-JIS.

#include <string>
#include <string_view>

#include "model/game_record.h"
#include "model/record_owner.h"
#include "platform/notifier.h"
#include "platform/status.h"

namespace banmen {

constexpr std::size_t kPreviousWorkspaceSize = 346720;
constexpr const char* kImageFolderName = "Image Files";
constexpr const char* kSoundFolderName = "Sound Files";
// Caption of every message this part shows.
constexpr std::string_view kOpenCaption = "雙六（四季彩コレクション）";
// The messages of opening a file, each followed by "\n\n" and the path.
constexpr std::string_view kFileNotFoundMessage = "ファイルが見つかりませんでした。";
constexpr std::string_view kCannotOpenMessage = "ファイルを開けませんでした。";
constexpr std::string_view kUnknownExtensionMessage = "未知のファイル拡張子が指定されました。";

struct WorkspaceLocation {
    std::string folder;           // no trailing separator
    std::string fileName;         // "title.sgw"
    std::string gameFileName;     // "title.sgr"
    std::string projectFileName;  // "title.sgp"

    std::string filePath() const;
    // fileName and the two names that follow from its title.
    void setFileName(std::string name);
};

// Readers fill `destination` only on success.
Status ReadWorkspaceFile(GameRecord& destination, const std::string& path);
Status ReadProjectFile(GameRecord& destination, const std::string& path);
// The record packed with unit size 1, written as WriteFileAtomically writes.
Status WriteProjectFile(const GameRecord& record, const std::string& path);
// Previous format: same fields at the same places inside larger blocks.
Status convertPreviousFormat(const std::uint8_t* bytes, std::size_t size, GameRecord& destination);

class Workspace {
  public:
    Workspace(RecordOwner& owner, Notifier& notifier);

    RecordOwner& owner() { return owner_; }
    const GameRecord& record() const { return owner_.record(); }
    const WorkspaceLocation& location() const { return location_; }
    // Where a new workspace lives before it is first saved.
    void setLocation(WorkspaceLocation location);

    // Opens a ".sgw" (either format) or ".sgp" by path. On failure the open
    // workspace is unchanged; missing files, unknown extensions and unreadable
    // project files are also told to the notifier.
    Status OpenFile(const std::string& path);

    // A new workspace with the given title (UTF-8) in `folder`; with a picture
    // path, the picture is copied in and becomes the board picture. Fails
    // (changing nothing) when the title cannot be written in Shift-JIS or
    // cannot be a file name.
    Status CreateWorkspace(std::string_view title, const std::string& picturePath,
                           const std::string& folder);

    // Saves in place (empty path) or under a new path. The file is written to
    // a temporary name and renamed over the target. A moved workspace is
    // copied whole, linked folders as the real folders they point to, and
    // its old folder is deleted only after the copy compared equal byte for
    // byte. On failure the modified flag stays set and nothing that existed
    // is lost (a target folder made for the move is removed again).
    Status SaveWorkspace(const std::string& newPath = {});

    // Back to the new-game defaults; the folder stays.
    void CloseWorkspace();

    // Copies a media file into `folder`/`mediaFolder`, choosing "name(n).ext"
    // when the name is taken. `storedName` receives the Shift-JIS name for the
    // record (at most 62 bytes).
    Status CopyIntoWorkspace(const std::string& source, std::string_view mediaFolder,
                             std::string& storedName);

  private:
    void finishReplace();

    RecordOwner& owner_;
    Notifier& notifier_;
    WorkspaceLocation location_;
};

}  // namespace banmen
