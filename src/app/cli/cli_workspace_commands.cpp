// new, info, convert: whole workspaces.

#include <memory>
#include <string>

#include "cli/cli_commands.h"
#include "model/enum_texts.h"
#include "model/game_file.h"
#include "model/game_record.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen::cli {
namespace {

// Reasons from the workspace may already start with the path they concern.
std::string withoutPath(const std::string& reason, const std::string& path) {
    const std::string prefix = path + ": ";
    return reason.compare(0, prefix.size(), prefix) == 0 ? reason.substr(prefix.size()) : reason;
}

template <typename Slot, std::size_t N>
int countInUse(const Slot (&slots)[N]) {
    int count = 0;
    for (const Slot& slot : slots) {
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
    const std::int32_t count = record.settings.playerCount;
    text += "players: " + std::to_string(count);
    std::string names;
    for (int i = 0; i < kPlayerCount && i < count; ++i) {
        names += (i == 0 ? "" : ", ") + sjis::toUtf8Lossy(fieldText(record.players[i].name));
    }
    text += count > 0 ? " (" + names + ")\n" : "\n";
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
    if (!picture.empty() && (!FileExists(picture) || IsFolder(picture))) {
        return fail(context, picture, "file not found");
    }

    RecordOwner owner;
    Workspace workspace(owner, context.notifier);
    if (Status created = workspace.CreateWorkspace(title, picture, folder); !created) {
        return fail(context, target, created);
    }
    // The workspace drops a picture it cannot copy; here that is a failure.
    if (!picture.empty() && owner.record().settings.gamePicture != 0) {
        return fail(context, picture,
                    "cannot be copied into the workspace's \"" + std::string(kImageFolderName) +
                        "\" folder (a name of at most 62 bytes in Shift-JIS is needed)");
    }
    const std::string written = workspace.location().filePath();
    if (Status saved = workspace.SaveWorkspace(); !saved) {
        return fail(context, written, withoutPath(saved.reason(), written));
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
    FileStatusInfo info;
    if (!FileStatus(in, info)) {
        return fail(context, in, "file not found");
    }
    if (info.isFolder) {
        return fail(context, in, "is a folder");
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
    // A game file is read in place: nothing of it is extracted.
    if (path::sameExtension(path::PathExtension(path), ".sgr")) {
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
