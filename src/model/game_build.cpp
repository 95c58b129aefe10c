#include "model/game_build.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <string_view>

#include "model/archive_writer.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/disk_io.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

enum class MediaKind { Picture, Sound };

struct MediaReference {
    std::string reference;
    MediaKind kind;
    std::int32_t index;
};

// Every media reference of the record in the order the game file holds them.
std::vector<MediaReference> mediaReferences(const GameRecord& record) {
    std::vector<MediaReference> out;
    out.reserve(4 + kPlayerCount + 3 * kSquareCount);
    const GameSettings& settings = record.settings;
    out.push_back({"gamePicture", MediaKind::Picture, settings.gamePicture});
    out.push_back({"helpPicture", MediaKind::Picture, settings.helpPicture});
    out.push_back({"music", MediaKind::Sound, settings.music});
    for (int i = 0; i < kPlayerCount; ++i) {
        out.push_back({"player " + std::to_string(i + 1) + " picture", MediaKind::Picture,
                       record.players[i].picture});
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const SquareDef& square = record.squares[i];
        const std::string name = "square " + std::to_string(i + 1);
        out.push_back({name + " picture", MediaKind::Picture, square.picture});
        out.push_back({name + " supplementPicture", MediaKind::Picture, square.supplementPicture});
        out.push_back({name + " sound", MediaKind::Sound, square.sound});
    }
    return out;
}

// The stored file name of a reference, or why there is none.
bool storedFileName(const GameRecord& record, const MediaReference& media, std::string& name,
                    std::string& problem) {
    const bool picture = media.kind == MediaKind::Picture;
    const int count = picture ? kImageCount : kSoundCount;
    const std::string numbered =
        std::string(picture ? "image " : "sound ") + std::to_string(media.index + 1);
    if (media.index < 0 || media.index >= count) {
        problem = "there is no " + numbered;
        return false;
    }
    const auto index = static_cast<std::size_t>(media.index);
    name = std::string(picture ? fieldText(record.images[index].fileName)
                               : fieldText(record.sounds[index].fileName));
    if (name.empty()) {
        problem = numbered + " has no file name";
        return false;
    }
    return true;
}

// A folder of our own under the system's temporary folder, so that two
// builds at once never share a file; removed with its content when it goes.
class TemporaryFolder {
  public:
    TemporaryFolder() = default;
    ~TemporaryFolder() {
        if (!path_.empty()) {
            (void)DeleteTree(path_);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    Status create() {
        std::string base = path::ExpandFolderTokens("%TEMP%");
        if (base.empty()) {
            base = "/tmp";
        }
        std::string pattern = path::PathJoin(base, "banmen-build-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            return errnoStatus(errno).withContext(base);
        }
        path_ = pattern;
        return Status::ok();
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The game file while it is written: a fresh name beside the target, removed
// unless it was renamed over the target.
class TemporaryTarget {
  public:
    TemporaryTarget() = default;
    ~TemporaryTarget() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryTarget(const TemporaryTarget&) = delete;
    TemporaryTarget& operator=(const TemporaryTarget&) = delete;

    Status create(const std::string& target) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = TemporaryNameBeside(target);
            const int descriptor = disk::openForWriting(candidate, O_CREAT | O_EXCL);
            if (descriptor >= 0) {
                ::close(descriptor);
                path_ = std::move(candidate);
                return Status::ok();
            }
            if (errno != EEXIST) {
                return errnoStatus(errno).withContext(target);
            }
        }
        return errnoStatus(EEXIST).withContext(target);
    }

    // Renames the complete game file over the target and makes that durable.
    Status commit(const std::string& target) {
        if (Status replaced = ReplaceFile(path_, target, true); !replaced) {
            return replaced.withContext(target);
        }
        path_.clear();
        return Status::ok();
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Counts the entries and asks the caller whether to go on.
class ProgressSteps {
  public:
    ProgressSteps(const BuildProgress& progress, std::size_t total, BuildReport& report)
        : progress_(progress), total_(total), report_(report) {}

    bool next(const std::string& entry) {
        if (progress_ && !progress_(entry, done_, total_)) {
            report_.cancelled = true;
            return false;
        }
        ++done_;
        return true;
    }

  private:
    const BuildProgress& progress_;
    std::size_t total_;
    std::size_t done_ = 0;
    BuildReport& report_;
};

Status cancelledStatus() {
    return Status::error("the build was cancelled");
}

// Adds every referenced medium found in the workspace.
Status addMedia(ArchiveWriter& writer, const std::vector<MediaReference>& references,
                const GameRecord& record, const std::string& folder, BuildReport& report,
                ProgressSteps& steps) {
    for (const MediaReference& media : references) {
        if (media.index == -1) {
            continue;
        }
        const char* mediaFolder =
            media.kind == MediaKind::Picture ? kImageFolderName : kSoundFolderName;
        std::string stored;
        std::string problem;
        const bool named = storedFileName(record, media, stored, problem);
        const std::string shown = std::string(mediaFolder) + "/" + sjis::toUtf8Lossy(stored);
        if (!steps.next(named ? shown : media.reference)) {
            return cancelledStatus();
        }
        if (!named) {
            report.skipped.push_back({media.reference, {}, problem});
            continue;
        }
        // A bare name only: anything else would reach outside the media folder.
        std::optional<std::string> name = sjis::toUtf8(stored);
        if (!name) {
            report.skipped.push_back(
                {media.reference, shown, "the file name cannot be converted from Shift-JIS"});
            continue;
        }
        if (name->find('/') != std::string::npos || name->find('\\') != std::string::npos ||
            *name == "." || *name == "..") {
            report.skipped.push_back({media.reference, shown, "not a plain file name"});
            continue;
        }
        const std::string file = path::PathJoin(path::PathJoin(folder, mediaFolder), *name);
        FileStatusInfo info;
        if (!FileStatus(file, info)) {
            report.skipped.push_back({media.reference, shown, "not in the workspace"});
            continue;
        }
        if (info.isFolder || FileSize(file) < 0) {
            report.skipped.push_back(
                {media.reference, shown, info.isFolder ? "is a folder" : "cannot be read"});
            continue;
        }
        if (Status added = writer.AddUnder(file, mediaFolder); !added) {
            return added;
        }
        ++report.mediaAdded;
    }
    return Status::ok();
}

}  // namespace

Status BuildGame(const GameRecord& record, const WorkspaceLocation& location,
                 const std::string& targetPath, BuildReport& report,
                 const BuildProgress& progress) {
    report = {};
    if (location.projectFileName.empty()) {
        return Status::error("the workspace has no file name to name its project file after");
    }
    const std::string target = path::AbsolutePath(targetPath);
    std::string targetFolder;
    std::string targetName;
    if (target.empty() || !path::PathFolder(target, targetFolder) ||
        !path::PathFileName(target, targetName) || targetName.empty()) {
        return Status::error(targetPath + ": not a file path");
    }
    if (IsFolder(target)) {
        return Status::error(target + ": is a folder");
    }

    // A copy: the caller's record may change while the progress is shown.
    const auto copy = std::make_unique<GameRecord>(record);
    const std::vector<MediaReference> references = mediaReferences(*copy);
    const auto media = static_cast<std::size_t>(
        std::count_if(references.begin(), references.end(),
                      [](const MediaReference& m) { return m.index != -1; }));
    ProgressSteps steps(progress, 1 + media, report);
    if (!steps.next(location.projectFileName)) {
        return cancelledStatus();
    }

    TemporaryFolder temporary;
    if (Status made = temporary.create(); !made) {
        return made.withContext("making a temporary folder");
    }
    const std::string projectFile = path::PathJoin(temporary.path(), location.projectFileName);
    if (Status written = WriteProjectFile(*copy, projectFile); !written) {
        return written.withContext(projectFile);
    }

    if (Status made = CreateFolderTree(targetFolder); !made) {
        return made;
    }
    TemporaryTarget game;
    if (Status made = game.create(target); !made) {
        return made;
    }
    // On the disk before the rename, so that a crash never leaves a
    // half-written game file under the target's name.
    ArchiveWriter writer;
    writer.setDurable(true);
    if (Status created = writer.CreateArchive(game.path(), 0); !created) {
        return created;
    }
    if (Status added = writer.AddPath(projectFile); !added) {
        return added;
    }
    (void)DeleteFile(projectFile);
    if (Status added = writer.AddFolderEntry(kImageFolderName); !added) {
        return added;
    }
    if (Status added = writer.AddFolderEntry(kSoundFolderName); !added) {
        return added;
    }
    if (Status added = addMedia(writer, references, *copy, location.folder, report, steps);
        !added) {
        return added;
    }
    if (Status closed = writer.Close(); !closed) {
        return closed;
    }
    return game.commit(target);
}

Status BuildGame(Workspace& workspace, const std::string& targetPath, BuildReport& report,
                 const BuildProgress& progress) {
    Status built =
        BuildGame(workspace.record(), workspace.location(), targetPath, report, progress);
    if (built) {
        WorkspaceLocation location = workspace.location();
        location.gameFileName = path::PathFileName(path::AbsolutePath(targetPath));
        workspace.setLocation(std::move(location));
    }
    return built;
}

}  // namespace banmen
