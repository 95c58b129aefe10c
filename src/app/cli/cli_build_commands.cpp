// build, list, extract: game files.
//
// build behaves like the editor's build with the dialog's first values: the
// folder is "BuildFolder" when stored, else the workspace's; the name is
// `headerText`, else the title + ".sgr"; --out replaces both. The extension
// rule applies to either. Unlike the dialog it never asks: an existing game
// file is replaced (atomically, so a failed build keeps it). After a
// successful build the folder is stored as "BuildFolder", as the dialog
// does; the workspace file itself is never rewritten, so the chosen name
// goes into `headerText` of the built game only, not of the .sgw.

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/archive_names.h"
#include "model/archive_reader.h"
#include "model/build_dialog.h"
#include "model/game_build.h"
#include "model/record_owner.h"
#include "model/workspace.h"
#include "platform/paths.h"
#include "platform/settings/program_settings.h"

namespace banmen::cli {
namespace {

class StoredBuildFolder final : public BuildFolderSetting {
  public:
    std::string read() override { return readBuildFolder(); }
    void write(const std::string& folder) override { (void)writeBuildFolder(folder); }
};

std::string absoluteFolder(const std::string& folder) {
    std::error_code error;
    std::string absolute =
        std::filesystem::absolute(folder.empty() ? "." : folder, error).lexically_normal();
    if (error) {
        return folder;
    }
    while (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}

std::string nameProblemText(BuildNameProblem problem) {
    switch (problem) {
        case BuildNameProblem::HasSlash:
            return "the file name holds \"/\"";
        case BuildNameProblem::NotShiftJis:
            return "the file name cannot be written in Shift-JIS";
        case BuildNameProblem::TooLong:
            return "the file name is longer than " + std::to_string(kHeaderTextMax) +
                   " bytes in Shift-JIS";
        case BuildNameProblem::None:
            break;
    }
    return {};
}

// One notice per skipped file, naming its first reference and how many more
// there were (a default sound is often used by every square).
void tellSkipped(Context& context, const std::vector<SkippedMedium>& skipped) {
    std::vector<std::string> order;
    std::map<std::string, std::pair<const SkippedMedium*, int>> byFile;
    for (const SkippedMedium& medium : skipped) {
        const std::string key = medium.file.empty() ? "#" + medium.reference : medium.file;
        auto [found, added] = byFile.try_emplace(key, &medium, 0);
        if (added) {
            order.push_back(key);
        } else {
            ++found->second.second;
        }
    }
    for (const std::string& key : order) {
        const auto& [medium, more] = byFile[key];
        std::string text = "skipped ";
        text += medium->file.empty()
                    ? medium->reference
                    : medium->file + " (" + medium->reference +
                          (more > 0 ? " and " + std::to_string(more) + " more" : std::string()) +
                          ")";
        text += ": " + medium->reason;
        context.notifier.notify({}, text, NoticeIcon::Information);
    }
}

std::string attributesText(std::uint32_t attributes) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", attributes);
    return text;
}

std::string entryLine(const ArchiveEntry& entry) {
    std::string size = std::to_string(entry.dataSize);
    if (size.size() < 10) {
        size.insert(0, 10 - size.size(), ' ');
    }
    return std::string(entry.isFolder() ? "folder" : "file  ") + "  " +
           attributesText(entry.attributes) + "  " + size + "  " + displayEntryName(entry.name) +
           "\n";
}

}  // namespace

int runBuild(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    RecordOwner owner;
    Workspace workspace(owner, context.notifier);
    if (Status opened = workspace.OpenFile(path); !opened) {
        return fail(context, path, opened);
    }

    StoredBuildFolder setting;
    BuildTarget target;
    if (args.has("--out")) {
        const std::string out = args.value("--out");
        target.folder = path::PathFolder(out);
        target.fileName = path::PathFileName(out);
        if (target.fileName.empty() && out.find('/') == std::string::npos) {
            target.fileName = out;
        }
        if (target.fileName.empty()) {
            return fail(context, out, "no file name");
        }
    } else {
        BuildDialogLogic logic(owner, setting, context.notifier);
        target = logic.initialTarget(workspace.location().folder);
    }
    target.fileName = withGameExtension(target.fileName);
    target.folder = absoluteFolder(target.folder);
    const std::string targetPath = target.path();
    if (target.fileName == kGameFileExtension) {
        return fail(context, path, "the game has no title to name its game file after; give --out");
    }
    if (BuildNameProblem problem = checkBuildFileName(target.fileName);
        problem != BuildNameProblem::None) {
        return fail(context, targetPath, nameProblemText(problem));
    }
    // The built game carries the name in `headerText`, as the editor's
    // would; the workspace file is left as it is.
    storeBuildFileName(owner, target.fileName);

    BuildReport report;
    if (Status built = BuildGame(workspace, targetPath, report); !built) {
        return fail(context, targetPath, built);
    }
    setting.write(target.folder);
    tellSkipped(context, report.skipped);
    if (Status printed = writeStdout(targetPath + "\n"); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runList(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    ArchiveListing listing;
    Status listed = ListArchive(path, listing);
    std::string text;
    for (const ArchiveEntry& entry : listing.entries) {
        text += entryLine(entry);
    }
    if (Status printed = writeStdout(text); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return listed ? kExitSuccess : fail(context, path, listed);
}

int runExtract(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    const std::string destination = args.positional.size() > 1 ? args.positional[1] : "";
    if (Status extracted = ExtractArchive(path, destination); !extracted) {
        return fail(context, path, extracted);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
