// Game files (archives): the input is listed, then extracted into a fresh
// folder that holds a link named "Image Files" to a folder beside it.
// Nothing may be written outside the destination, through the link or
// anywhere else, and an archive that extracts must also list.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "model/archive_reader.h"

using namespace banmen;
namespace fs = std::filesystem;

namespace {

const std::string kKeep = "left alone";

// Everything under `root` with its size (folders -1), links as links.
std::string snapshot(const std::string& root) {
    std::string out;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const fs::path& path = it->path();
        out += path.string();
        if (it->is_symlink()) {
            out += " -> " + fs::read_symlink(path, error).string();
        } else if (it->is_regular_file()) {
            out += " " + std::to_string(it->file_size());
        }
        out += "\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string world = fuzz::scratchFolder() + "/world";
    static const bool made = [&] {
        fs::create_directories(world + "/outside");
        return fuzz::writeFile(world + "/outside/keep.txt",
                               {reinterpret_cast<const std::uint8_t*>(kKeep.data()), kKeep.size()});
    }();
    FUZZ_CHECK(made);
    static const std::string outsideBefore = snapshot(world + "/outside");

    const std::string archive = world + "/game.sgr";
    const std::string destination = world + "/dest";
    fuzz::removeTree(destination);
    FUZZ_CHECK(::mkdir(destination.c_str(), 0777) == 0);
    FUZZ_CHECK(::symlink("../outside", (destination + "/Image Files").c_str()) == 0);
    FUZZ_CHECK(fuzz::writeFile(archive, {data, size}));

    ArchiveListing listing;
    const Status listed = ListArchive(archive, listing);
    const Status extracted = ExtractArchive(archive, destination);
    FUZZ_CHECK(!extracted || listed);

    FUZZ_CHECK(snapshot(world + "/outside") == outsideBefore);
    // The link may be replaced by a file of its name, but never followed.
    std::error_code error;
    if (fs::is_symlink(destination + "/Image Files", error)) {
        FUZZ_CHECK(fs::read_symlink(destination + "/Image Files", error) == "../outside");
    }
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(world)) {
        const std::string name = entry.path().filename().string();
        FUZZ_CHECK(name == "game.sgr" || name == "dest" || name == "outside");
        ++entries;
    }
    FUZZ_CHECK(entries == 3);
    return 0;
}
