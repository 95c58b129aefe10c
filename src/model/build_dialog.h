#pragma once
// What the build dialog decides, without the dialog: its first values, the
// checks of "ビルド", the extension rule, what it stores, and the overwrite
// question. The editor's dialog shows the texts below and calls this; so
// does banmen-cli's build for its defaults.

#include <string>
#include <string_view>

#include "model/game_record.h"
#include "model/record_owner.h"
#include "platform/notifier.h"

namespace banmen {

// The dialog's texts.
inline constexpr std::string_view kBuildDialogTitle = " 盤面工房 ビルド";
inline constexpr std::string_view kBuildExplanation = "この雙六をビルドします。";
inline constexpr std::string_view kBuildRegisterNote =
    "出来上がったファイルは「雙六(四季彩コレクション)」に登録して遊ぶことが出来ます。";
inline constexpr std::string_view kBuildFileNameLabel = "ファイル名";
inline constexpr std::string_view kBuildFolderLabel = "保存先";
inline constexpr std::string_view kBuildBrowseButton = "...";
inline constexpr std::string_view kBuildBrowseTitle = "保存先のフォルダーを選択して下さい";
inline constexpr std::string_view kBuildButton = "ビルド";
inline constexpr std::string_view kBuildCancelButton = "ｷｬﾝｾﾙ";
// Its messages, all with this caption.
inline constexpr std::string_view kBuildCaption = "盤面工房";
inline constexpr std::string_view kBuildNoFileName = "ファイル名を入力して下さい。";
inline constexpr std::string_view kBuildNoFolder = "保存先を入力して下さい。";
inline constexpr std::string_view kBuildOverwrite = "ファイルを上書きしますか？　　";
// Refusals of names that `headerText` cannot hold.
inline constexpr std::string_view kBuildNameNotShiftJis =
    "ファイル名に使えない文字が含まれています。";
inline constexpr std::string_view kBuildNameTooLong =
    "ファイル名が長すぎます。259バイト（全角129文字）までにして下さい。";
inline constexpr std::string_view kBuildNameHasSlash = "ファイル名に「/」は使えません。";

inline constexpr std::string_view kGameFileExtension = ".sgr";

// Where "BuildFolder" lives: the settings store in the program, a map in
// tests. The model itself knows no settings store.
class BuildFolderSetting {
  public:
    virtual ~BuildFolderSetting() = default;
    // "" when no folder is stored.
    virtual std::string read() = 0;
    // Failures are ignored, as with every settings write.
    virtual void write(const std::string& folder) = 0;
};

// Native (UTF-8) folder and file name.
struct BuildTarget {
    std::string folder;
    std::string fileName;

    std::string path() const;
};

// Why `headerText` cannot hold a file name (extension included).
enum class BuildNameProblem { None, HasSlash, NotShiftJis, TooLong };
BuildNameProblem checkBuildFileName(std::string_view fileName);

// Stores a checked file name in `headerText`, marking the workspace modified
// when that changes it.
void storeBuildFileName(RecordOwner& owner, std::string_view fileName);

// The file name with ".sgr" appended unless its extension is ".sgr" in any
// case ("a" and "a.txt" get it; "a.SGR" keeps its own).
std::string withGameExtension(std::string_view fileName);

enum class BuildDialogResult { StayOpen, Confirmed, Cancelled };

class BuildDialogLogic {
  public:
    BuildDialogLogic(RecordOwner& owner, BuildFolderSetting& setting, Notifier& notifier);

    // The first values: the workspace folder, or "BuildFolder" when that is
    // stored and not empty; `headerText` (the file of the last build), or
    // the title followed by ".sgr" when that is empty.
    BuildTarget initialTarget(const std::string& workspaceFolder) const;

    // "ビルド" with what the fields hold. An empty name or folder is told to
    // the user and the dialog stays open; so is a name that `headerText`
    // cannot hold (not Shift-JIS, over 259 bytes, holding "/"). Otherwise the
    // name gets the extension rule, is stored in `headerText` (marking the
    // workspace modified when it changes) and the folder in "BuildFolder";
    // an existing file at the target is overwritten only if the user says
    // OK. `target` then holds the chosen folder and name.
    BuildDialogResult accept(std::string_view fileName, std::string_view folder,
                             BuildTarget& target);

  private:
    BuildDialogResult refuse(std::string_view text);

    RecordOwner& owner_;
    BuildFolderSetting& setting_;
    Notifier& notifier_;
};

}  // namespace banmen
