// new, info, convert: whole workspaces.

#include <algorithm>
#include <memory>
#include <string>

#include "cli/cli_commands.h"
#include "media/dib_bitmap.h"
#include "model/enum_texts.h"
#include "model/game_file.h"
#include "model/game_record.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen::cli {
namespace {

template <typename Slot, std::size_t N>
int countInUse(const Slot (&table)[N]) {
    int count = 0;
    for (const Slot& slot : table) {
        count += inUse(slot) ? 1 : 0;
    }
    return count;
}

std::string enumLine(std::string_view label, std::int32_t value, std::string_view text) {
    std::string line = std::string(label) + ": ";
    line += text.empty() ? "unknown (" + std::to_string(value) + ")" : std::string(text);
    return line + "\n";
}

std::string formatOf(const std::string& path) {
    if (path::sameExtension(path::PathExtension(path), ".sgr")) {
        return "game file";
    }
    if (path::sameExtension(path::PathExtension(path), ".sgp")) {
        return "project file (packed)";
    }
    return FileSize(path) == static_cast<std::int64_t>(kPreviousWorkspaceSize)
               ? "workspace, previous format"
               : "workspace";
}

std::string summary(const GameRecord& record, const std::string& path) {
    std::string text = "format: " + formatOf(path) + "\n";
    text += "title: " + sjis::toUtf8Lossy(fieldText(record.settings.title)) + "\n";
    // A count outside 1..4 (a hand-edited record) is played with the nearest
    // real number of players; those are the ones listed.
    const std::int32_t stored = record.settings.playerCount;
    const int count = std::clamp<int>(stored, 1, kPlayerCount);
    std::string names;
    for (int i = 0; i < count; ++i) {
        names += (i == 0 ? "" : ", ") + sjis::toUtf8Lossy(fieldText(record.players[i].name));
    }
    text += "players: " + std::to_string(count) + " (" + names;
    if (stored != count) {
        text += "; the record says " + std::to_string(stored);
    }
    text += ")\n";
    text += "squares: " + std::to_string(countInUse(record.squares)) + "\n";
    text += "images: " + std::to_string(countInUse(record.images)) + "\n";
    text += "sounds: " + std::to_string(countInUse(record.sounds)) + "\n";
    const GameSettings& settings = record.settings;
    text +=
        enumLine("end condition", settings.endCondition, endConditionText(settings.endCondition));
    text += enumLine("victory condition", settings.victoryCondition,
                     victoryConditionText(settings.victoryCondition));
    return text;
}

// What `new` made, taken away again when it fails afterwards: the folder if
// it made it, else the copied picture and the media folders it made.
class NewWorkspaceUndo {
  public:
    explicit NewWorkspaceUndo(const std::string& folder)
        : folder_(path::AbsolutePath(folder)),
          folderExisted_(FileExists(folder_)),
          imagesExisted_(FileExists(mediaFolder(kImageFolderName))),
          soundsExisted_(FileExists(mediaFolder(kSoundFolderName))) {}

    void pictureCopied(const std::string& path) { picture_ = path; }

    void undo() const {
        if (!folderExisted_) {
            (void)DeleteTree(folder_);
            return;
        }
        if (!picture_.empty()) {
            (void)DeleteFile(picture_);
        }
        if (!imagesExisted_) {
            (void)RemoveFolder(mediaFolder(kImageFolderName));
        }
        if (!soundsExisted_) {
            (void)RemoveFolder(mediaFolder(kSoundFolderName));
        }
    }

    std::string mediaFolder(const char* name) const { return path::PathJoin(folder_, name); }

  private:
    std::string folder_;
    bool folderExisted_;
    bool imagesExisted_;
    bool soundsExisted_;
    std::string picture_;
};

}  // namespace

int runNew(const Arguments& args, Context& context) {
    const std::string& title = args.positional[0];
    const std::string& folder = args.positional[1];
    const std::string picture = args.value("--picture");
    // Named in failures before the workspace exists.
    const std::string target = path::PathJoin(folder, title + ".sgw");

    if (std::optional<std::string> stored = sjis::fromUtf8(title);
        stored && stored->size() > kNameMax) {
        return fail(context, target,
                    "the title is " + std::to_string(stored->size()) +
                        " bytes in Shift-JIS, the limit is " + std::to_string(kNameMax));
    }
    if (FileExists(target)) {
        return fail(context, target, "already exists (new never overwrites a workspace)");
    }
    // The picture must be one the program can show, before anything is made.
    if (!picture.empty()) {
        if (Status readable = checkInputFile(picture); !readable) {
            return fail(context, picture, readable);
        }
        DibBitmap bitmap;
        Status why;
        if (!bitmap.LoadFile(picture, kNoColour, &why)) {
            return fail(context, picture, why);
        }
    }

    RecordOwner owner;
    Workspace workspace(owner, context.notifier);
    NewWorkspaceUndo undo(folder);
    if (Status created = workspace.CreateWorkspace(title, picture, folder); !created) {
        undo.undo();
        return fail(context, target, created);
    }
    // The workspace drops a picture it cannot copy; here that is a failure.
    if (!picture.empty() && owner.record().settings.gamePicture != 0) {
        undo.undo();
        return fail(context, picture,
                    "cannot be copied into the workspace's \"" + std::string(kImageFolderName) +
                        "\" folder (a name of at most 62 bytes in Shift-JIS is needed)");
    }
    if (!picture.empty()) {
        const std::string copied =
            path::PathJoin(undo.mediaFolder(kImageFolderName),
                           sjis::toUtf8Lossy(fieldText(owner.record().images[0].fileName)));
        // A picture already in the folder was not copied: it stays.
        if (!sameFile(copied, picture)) {
            undo.pictureCopied(copied);
        }
    }
    const std::string written = workspace.location().filePath();
    for (const char* media : {kImageFolderName, kSoundFolderName}) {
        if (Status made = CreateFolderTree(undo.mediaFolder(media)); !made) {
            undo.undo();
            return fail(context, written, made);
        }
    }
    if (Status saved = workspace.SaveWorkspace(); !saved) {
        undo.undo();
        return fail(context, written, saved);
    }
    if (Status printed = writeStdout(written + "\n"); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runInfo(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    RecordOwner owner;
    if (Status opened = openRecordFile(path, owner, context); !opened) {
        return fail(context, path, opened);
    }
    if (Status printed = writeStdout(summary(owner.record(), path)); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runConvert(const Arguments& args, Context& context) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    if (Status writable = checkOutput(out, args.has("--force"), {in}); !writable) {
        return fail(context, out, writable);
    }
    if (Status readable = checkInputFile(in); !readable) {
        return fail(context, in, readable);
    }
    FileStatusInfo info;
    if (!FileStatus(in, info)) {
        return fail(context, in, "file not found");
    }
    if (info.size == kGameRecordSize) {
        return fail(context, in, "already in the current format");
    }
    if (info.size != kPreviousWorkspaceSize) {
        return fail(context, in,
                    "wrong size: " + std::to_string(info.size) +
                        " bytes (a previous-format workspace has " +
                        std::to_string(kPreviousWorkspaceSize) + " bytes)");
    }
    std::vector<std::uint8_t> bytes;
    if (Status read = ReadWholeFile(in, bytes); !read) {
        return fail(context, in, read);
    }
    auto record = std::make_unique<GameRecord>();
    if (Status converted = convertPreviousFormat(bytes.data(), bytes.size(), *record); !converted) {
        return fail(context, in, converted);
    }
    if (Status written = writeOutput(out, record.get(), kGameRecordSize); !written) {
        return fail(context, outputName(out), written);
    }
    return kExitSuccess;
}

Status openRecordFile(const std::string& path, RecordOwner& owner, Context& context) {
    const std::string extension = path::PathExtension(path);
    if (!path::sameExtension(extension, ".sgw") && !path::sameExtension(extension, ".sgp") &&
        !path::sameExtension(extension, ".sgr")) {
        if (Status readable = checkInputFile(path); !readable) {
            return readable;
        }
        return Status::error("unknown file extension (expected .sgw, .sgp or .sgr)");
    }
    // A game file is read in place: nothing of it is extracted.
    if (path::sameExtension(extension, ".sgr")) {
        if (Status readable = checkInputFile(path); !readable) {
            return readable;
        }
        auto record = std::make_unique<GameRecord>();
        if (Status read = ReadGameFile(*record, path); !read) {
            return read;
        }
        owner.replaceRecord(*record);
        return Status::ok();
    }
    Workspace workspace(owner, context.notifier);
    return workspace.OpenFile(path);
}

}  // namespace banmen::cli
