#include "model/workspace.h"

#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <vector>

#include "model/packed_block.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

// Native paths are taken relative to the working folder when they are not
// absolute, so that folder and file name can always be split.
std::string absolutePath(const std::string& raw) {
    std::string path = path::AbsolutePath(raw);
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// True when `inner` is `outer` itself or lies below it.
bool isInside(const std::string& inner, const std::string& outer) {
    if (inner == outer) {
        return true;
    }
    std::string prefix = outer == "/" ? outer : outer + "/";
    return inner.compare(0, prefix.size(), prefix) == 0;
}

std::string withExtension(const std::string& fileName, const char* extension) {
    std::string title;
    if (!path::PathTitle(fileName, title)) {
        title = fileName;
    }
    return title + extension;
}

// The outermost folder of `folder` (itself included) that does not exist
// yet; empty when it exists.
std::string firstMissingFolder(const std::string& folder) {
    std::string missing;
    std::string current = folder;
    while (!current.empty() && !FileExists(current)) {
        missing = current;
        std::string parent;
        if (!path::PathFolder(current, parent) || parent == current) {
            break;
        }
        current = parent;
    }
    return missing;
}

// Folders a save makes, removed again unless the save succeeds: a failed
// save leaves no half-made workspace behind.
class NewFolders {
  public:
    NewFolders() = default;
    ~NewFolders() {
        for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
            (void)DeleteTree(*it);
        }
    }
    NewFolders(const NewFolders&) = delete;
    NewFolders& operator=(const NewFolders&) = delete;

    // Creates `folder` with its missing parents.
    Status create(const std::string& folder) {
        std::string root = firstMissingFolder(folder);
        Status made = CreateFolderTree(folder);
        if (!root.empty() && FileExists(root)) {
            roots_.push_back(std::move(root));
        }
        return made;
    }
    void keep() { roots_.clear(); }

  private:
    std::vector<std::string> roots_;
};

void tell(Notifier& notifier, std::string_view message, const std::string& path) {
    notifier.notify(kOpenCaption, std::string(message) + "\n\n" + path, NoticeIcon::Information);
}

}  // namespace

std::string WorkspaceLocation::filePath() const {
    return path::PathJoin(folder, fileName);
}

void WorkspaceLocation::setFileName(std::string name) {
    fileName = std::move(name);
    gameFileName = withExtension(fileName, ".sgr");
    projectFileName = withExtension(fileName, ".sgp");
}

Status ReadWorkspaceFile(GameRecord& destination, const std::string& path) {
    if (!path::sameExtension(path::PathExtension(path), ".sgw")) {
        return Status::error("not a workspace file (extension is not .sgw)");
    }
    FileStatusInfo info;
    if (!FileStatus(path, info)) {
        return Status::error("file not found");
    }
    if (info.isFolder) {
        return Status::error("is a folder");
    }
    if (info.size != kGameRecordSize && info.size != kPreviousWorkspaceSize) {
        return Status::error("wrong size: " + std::to_string(info.size) +
                             " bytes (a workspace file has " + std::to_string(kGameRecordSize) +
                             " bytes, or " + std::to_string(kPreviousWorkspaceSize) +
                             " in the previous format)");
    }
    std::vector<std::uint8_t> bytes;
    if (Status read = ReadWholeFile(path, bytes); !read) {
        return read;
    }
    if (bytes.size() == kPreviousWorkspaceSize) {
        return convertPreviousFormat(bytes.data(), bytes.size(), destination);
    }
    if (bytes.size() != kGameRecordSize) {
        return Status::error("wrong size: the file changed while it was read");
    }
    std::memcpy(&destination, bytes.data(), kGameRecordSize);
    return Status::ok();
}

Status ReadProjectFile(GameRecord& destination, const std::string& path) {
    std::vector<std::uint8_t> packed;
    if (Status read = ReadWholeFile(path, packed); !read) {
        return read;
    }
    std::vector<std::uint8_t> bytes;
    if (Status unpacked = Unpack(packed.data(), packed.size(), bytes); !unpacked) {
        return unpacked;
    }
    if (bytes.size() != kGameRecordSize) {
        return Status::error("the packed record has " + std::to_string(bytes.size()) +
                             " bytes instead of " + std::to_string(kGameRecordSize));
    }
    std::memcpy(&destination, bytes.data(), kGameRecordSize);
    return Status::ok();
}

Status WriteProjectFile(const GameRecord& record, const std::string& path) {
    // A copy, so that the record cannot change under the packer.
    auto copy = std::make_unique<GameRecord>(record);
    std::vector<std::uint8_t> packed(Pack(1, copy.get(), sizeof(GameRecord), nullptr));
    const std::size_t size = Pack(1, copy.get(), sizeof(GameRecord), packed.data());
    if (size == 0) {
        return Status::error("packing the game record failed");
    }
    return WriteFileAtomically(path, packed.data(), size);
}

Workspace::Workspace(RecordOwner& owner, Notifier& notifier) : owner_(owner), notifier_(notifier) {}

void Workspace::setLocation(WorkspaceLocation location) {
    location_ = std::move(location);
    owner_.setFolder(location_.folder);
}

void Workspace::finishReplace() {
    owner_.setModified(false);
    owner_.setFolder(location_.folder);
    owner_.setNotifications(true);
    owner_.notifyRecordReplaced();
}

Status Workspace::OpenFile(const std::string& rawPath) {
    std::string path = absolutePath(rawPath);
    std::string folder, fileName;
    if (path.empty() || !FileExists(path) || !path::PathFolder(path, folder) ||
        !path::PathFileName(path, fileName)) {
        tell(notifier_, kFileNotFoundMessage, path.empty() ? rawPath : path);
        return Status::error("file not found");
    }
    std::string extension = path::PathExtension(fileName);

    auto scratch = std::make_unique<GameRecord>();
    if (path::sameExtension(extension, ".sgw")) {
        if (Status read = ReadWorkspaceFile(*scratch, path); !read) {
            return read;
        }
    } else if (path::sameExtension(extension, ".sgp")) {
        if (Status read = ReadProjectFile(*scratch, path); !read) {
            tell(notifier_, kCannotOpenMessage, path);
            return read;
        }
    } else {
        tell(notifier_, kUnknownExtensionMessage, path);
        return Status::error("unknown file extension (expected .sgw or .sgp)");
    }

    owner_.replaceRecord(*scratch);
    location_.folder = folder;
    location_.setFileName(fileName);
    finishReplace();
    return Status::ok();
}

Status Workspace::CreateWorkspace(std::string_view title, const std::string& picturePath,
                                  const std::string& folder) {
    auto storedTitle = sjis::fromUtf8(title);
    if (!storedTitle) {
        return Status::error("the title cannot be written in Shift-JIS");
    }
    std::string titleText(title);
    // "." and ".." would name hidden files ("..sgw") the author never sees.
    if (titleText.empty() || titleText == "." || titleText == ".." ||
        titleText.find('/') != std::string::npos) {
        return Status::error("the title cannot be used as a file name");
    }
    std::string target = absolutePath(folder);
    if (target.empty()) {
        return Status::error("no folder given");
    }

    owner_.ApplyNewGameDefaults();
    location_.folder = target;
    location_.setFileName(titleText + ".sgw");
    owner_.setFolder(target);
    // Cut at a character boundary so the stored title never ends in half a
    // double-byte character.
    storedTitle->resize(sjis::safeCutLength(*storedTitle, kNameMax));
    owner_.SetText(*owner_.field(ObjectKind::Game, 0, kFieldTitle), *storedTitle);

    if (!picturePath.empty() && CreateFolderTree(target)) {
        std::string stored;
        if (CopyIntoWorkspace(picturePath, kImageFolderName, stored)) {
            owner_.SetText(*owner_.field(ObjectKind::Image, 0, kFieldName), sjis::lit("雙六絵柄"));
            owner_.SetText(*owner_.field(ObjectKind::Image, 0, kFieldFileName), stored);
            owner_.SetNumber(*owner_.field(ObjectKind::Image, 0, kFieldImageMark), 0);
            owner_.SetNumber(*owner_.field(ObjectKind::Image, 0, kFieldTransparentColor), -1);
            owner_.SetNumber(*owner_.field(ObjectKind::Game, 0, kFieldPicture), 0);
        }
    }
    finishReplace();
    return Status::ok();
}

Status Workspace::SaveWorkspace(const std::string& newPath) {
    std::string targetFolder = location_.folder;
    std::string targetName = location_.fileName;
    if (!newPath.empty()) {
        std::string target = absolutePath(newPath);
        if (target.empty() || !path::PathFolder(target, targetFolder) ||
            !path::PathFileName(target, targetName)) {
            return Status::error("not a file path: " + newPath);
        }
    }
    // The raw record under a ".sgp" name could never be opened again: a
    // workspace opened from a project file is saved as "title.sgw" beside it.
    if (path::sameExtension(path::PathExtension(targetName), ".sgp")) {
        targetName = withExtension(targetName, ".sgw");
    }
    if (targetFolder.empty() || targetName.empty()) {
        return Status::error("the workspace has no folder or file name");
    }

    const std::string oldFolder = location_.folder;
    const bool moving = targetFolder != oldFolder;
    if (moving && !oldFolder.empty() && isInside(targetFolder, oldFolder)) {
        return Status::error("cannot move the workspace into a folder inside itself");
    }
    NewFolders made;
    if (!oldFolder.empty()) {
        if (Status created = made.create(oldFolder); !created) {
            return created;
        }
    }
    if (Status created = made.create(targetFolder); !created) {
        return created;
    }
    if (moving && !oldFolder.empty()) {
        // Linked media folders are copied as the real folders they point to,
        // and the copy is compared byte for byte through the links: only a
        // complete copy lets the old folder go.
        Status copied = CopyTree(oldFolder, targetFolder);
        if (copied) {
            copied = CompareTreeCopy(oldFolder, targetFolder).withContext("the copy is incomplete");
        }
        if (!copied) {
            // A half copy in a folder made for it goes with that folder.
            return copied.withContext("copying the workspace to " + targetFolder);
        }
    }

    const std::string targetPath = path::PathJoin(targetFolder, targetName);
    if (Status written = WriteFileAtomically(targetPath, &owner_.record(), kGameRecordSize);
        !written) {
        return written.withContext(targetPath);
    }
    made.keep();
    // Only now, with the complete workspace at its new place, is the old
    // folder given up. A failure to delete it loses nothing.
    if (moving && !oldFolder.empty()) {
        (void)DeleteTree(oldFolder);
    }
    location_.folder = targetFolder;
    location_.setFileName(targetName);
    owner_.setFolder(targetFolder);
    owner_.setModified(false);
    return Status::ok();
}

void Workspace::CloseWorkspace() {
    owner_.ApplyNewGameDefaults();
    finishReplace();
}

Status Workspace::CopyIntoWorkspace(const std::string& rawSource, std::string_view mediaFolder,
                                    std::string& storedName) {
    std::string source = absolutePath(rawSource);
    if (source.empty() || !FileExists(source) || IsFolder(source)) {
        return Status::error("file not found");
    }
    std::string fileName = path::PathFileName(source);
    std::string extension = path::PathExtension(fileName);
    std::string title = extension.empty() ? fileName : path::PathTitle(fileName);

    std::string destinationFolder = path::PathJoin(location_.folder, mediaFolder);
    if (Status made = CreateFolderTree(destinationFolder); !made) {
        return made;
    }
    std::string chosen = fileName;
    std::string destination = path::PathJoin(destinationFolder, chosen);
    bool alreadyThere = sameFile(destination, source);
    // Linux folders can hold millions of names; the counter gives up long
    // before that would matter.
    for (int counter = 1; !alreadyThere && FileExists(destination); ++counter) {
        if (counter > 100000) {
            return Status::error("no free file name for " + fileName);
        }
        chosen = title + "(" + std::to_string(counter) + ")" + extension;
        destination = path::PathJoin(destinationFolder, chosen);
    }
    auto stored = sjis::fromUtf8(chosen);
    if (!stored) {
        return Status::error("the file name " + chosen + " cannot be written in Shift-JIS");
    }
    if (stored->size() > kNameMax) {
        return Status::error("the file name " + chosen + " is longer than " +
                             std::to_string(kNameMax) + " bytes");
    }
    if (!alreadyThere) {
        if (Status copied = CopyFile(source, destination); !copied) {
            return copied.withContext(destination);
        }
    }
    storedName = *stored;
    return Status::ok();
}

}  // namespace banmen
