#include "app/player/game_opening.h"

#include <sys/stat.h>

#include "model/archive_reader.h"
#include "model/game_file.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen::player {
namespace {

Status tell(Notifier& notifier, std::string_view message, const std::string& path,
            const Status& why) {
    notifier.notify(kOpenCaption, std::string(message) + "\n\n" + path, NoticeIcon::Information);
    return why;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool isBuiltGame(const std::string& path) {
    return path::sameExtension(path::PathExtension(path), ".sgr");
}

Status openGameForPlay(const std::string& rawPath, const std::string& extractInto,
                       Notifier& notifier, OpenedGame& out) {
    const std::string absolute = path::AbsolutePath(rawPath);
    const std::string& path = absolute.empty() ? rawPath : absolute;
    if (absolute.empty() || !isRegularFile(path)) {
        return tell(notifier, kFileNotFoundMessage, path, Status::error("file not found"));
    }
    const std::string extension = path::PathExtension(path);
    auto record = std::make_unique<GameRecord>();
    std::string folder;
    if (path::sameExtension(extension, ".sgr")) {
        if (extractInto.empty()) {
            return Status::error("no folder to extract the game into");
        }
        if (Status read = ReadGameFile(*record, path); !read) {
            return tell(notifier, kCannotOpenMessage, path, read);
        }
        if (Status extracted = ExtractArchive(path, extractInto); !extracted) {
            return tell(notifier, kCannotOpenMessage, path, extracted.withContext("extracting"));
        }
        folder = extractInto;
    } else if (path::sameExtension(extension, ".sgw") || path::sameExtension(extension, ".sgp")) {
        const bool workspace = path::sameExtension(extension, ".sgw");
        Status read = workspace ? ReadWorkspaceFile(*record, path) : ReadProjectFile(*record, path);
        if (!read) {
            return tell(notifier, kCannotOpenMessage, path, read);
        }
        folder = path::PathFolder(path);
    } else {
        return tell(notifier, kUnknownExtensionMessage, path,
                    Status::error("not a game (the extension is not .sgr, .sgw or .sgp)"));
    }
    out.title = sjis::toUtf8Lossy(fieldText(record->settings.title));
    if (out.title.empty()) {
        out.title = path::PathTitle(path::PathFileName(path));
    }
    out.record = std::move(record);
    out.folder = std::move(folder);
    return Status::ok();
}

}  // namespace banmen::player
