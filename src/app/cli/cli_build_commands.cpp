// build, list, extract: game files.
//
// build takes the editor's build dialog's first values, without the stored
// "BuildFolder" (which belongs to the dialog): the workspace's folder, and
// `headerText` (the last build's name), else the title + ".sgr". --out
// replaces both, or only the folder when it names an existing folder. The
// extension rule applies either way. A game file at --out is replaced only
// with --force; the default target, the build's own product, is rebuilt in
// place. Either way the game file is written beside the target and renamed
// over it, so a failed build keeps the old one. The workspace file is never
// rewritten: the chosen name goes into `headerText` of the built game only.
//
// extract writes into DIR, or into a new folder beside the game file named
// after it ("game.sgr" -> "game/"), so that the built copies never replace
// the pictures of the workspace the game was built from. Files already in
// the folder are replaced only with --force, and never the game file itself.

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
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen::cli {
namespace {

// The command line neither reads nor writes the dialog's "BuildFolder".
class NoBuildFolder final : public BuildFolderSetting {
  public:
    std::string read() override { return {}; }
    void write(const std::string&) override {}
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

    NoBuildFolder noSetting;
    BuildDialogLogic logic(owner, noSetting, context.notifier);
    BuildTarget target = logic.initialTarget(workspace.location().folder);
    const bool explicitTarget = args.has("--out");
    if (explicitTarget) {
        const std::string out = args.value("--out");
        if (IsFolder(out)) {
            target.folder = out;
        } else {
            target.folder = path::PathFolder(out);
            target.fileName = path::PathFileName(out);
            if (target.fileName.empty() && out.find('/') == std::string::npos) {
                target.fileName = out;
            }
            if (target.fileName.empty()) {
                return fail(context, out, "no file name");
            }
        }
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
    if (explicitTarget) {
        if (Status writable = checkOutput(targetPath, args.has("--force"), {path}); !writable) {
            return fail(context, targetPath, writable);
        }
    }
    // The built game carries the name in `headerText`, as the editor's
    // would; the workspace file is left as it is.
    storeBuildFileName(owner, target.fileName);

    BuildReport report;
    if (Status built = BuildGame(workspace, targetPath, report); !built) {
        return fail(context, targetPath, built);
    }
    tellSkipped(context, report.skipped);
    if (Status printed = writeStdout(targetPath + "\n"); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runList(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    if (Status readable = checkInputFile(path); !readable) {
        return fail(context, path, readable);
    }
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
    if (Status readable = checkInputFile(path); !readable) {
        return fail(context, path, readable);
    }
    std::string destination;
    if (args.positional.size() > 1) {
        destination = args.positional[1];
    } else {
        // "game.sgr" -> "game/" beside it.
        const std::string absolute = path::AbsolutePath(path);
        const std::string name = path::PathFileName(absolute);
        const std::string title = path::PathTitle(name);
        if (title.empty() || title == name) {
            return fail(context, path, "has no extension to name a folder after; give DIR");
        }
        destination = path::PathJoin(path::PathFolder(absolute), title);
    }
    // Look before anything is written: the game file itself is never
    // replaced, other files only with --force.
    std::vector<std::string> targets;
    if (Status listed = ExtractionTargets(path, destination, targets); !listed) {
        return fail(context, path, listed);
    }
    for (const std::string& target : targets) {
        if (Status writable = checkOutput(target, args.has("--force"), {path}); !writable) {
            return fail(context, target, writable);
        }
    }
    if (Status extracted = ExtractArchive(path, destination); !extracted) {
        return fail(context, path, extracted);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
