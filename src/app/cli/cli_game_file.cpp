#include "cli/cli_game_file.h"

#include "cli/cli_support.h"

#include "model/game_file.h"
#include "model/workspace.h"
#include "platform/paths.h"

namespace banmen::cli {

Status readPlayableGame(const std::string& path, GameRecord& record, std::string& folder) {
    const std::string extension = path::PathExtension(path);
    if (Status readable = checkInputFile(path); !readable) {
        return readable;
    }
    Status status;
    if (path::sameExtension(extension, ".sgw")) {
        status = ReadWorkspaceFile(record, path);
    } else if (path::sameExtension(extension, ".sgp")) {
        status = ReadProjectFile(record, path);
    } else if (path::sameExtension(extension, ".sgr")) {
        status = ReadGameFile(record, path);
    } else {
        return Status::error("not a game (the extension is not .sgw, .sgp or .sgr)");
    }
    if (status) {
        folder = path::PathFolder(path);
        if (folder.empty()) {
            folder.assign(1, '.');
        }
    }
    return status;
}

}  // namespace banmen::cli
