// Settings files: the input is the program's and the companion player's
// settings file. Reads never fail; a write that reports success must read
// back, and must keep every other value as it was.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "platform/settings/player_settings.h"
#include "platform/settings/program_settings.h"
#include "platform/settings/registry_key.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A fresh folder each time, so that no cached parse of an earlier input
    // with the same size and time stamp can stand in for this one.
    static unsigned long run = 0;
    const std::string home = fuzz::scratchFolder() + "/config" + std::to_string(++run);
    std::filesystem::create_directories(home + "/MOEGI");
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    FUZZ_CHECK(fuzz::writeFile(home + "/MOEGI/Banmen.conf", {data, size}));
    FUZZ_CHECK(fuzz::writeFile(home + "/MOEGI/Sugoroku.conf", {data, size}));

    (void)readDefImageFolder();
    (void)readDefSoundFolder();
    std::string text;
    (void)RegistryKey(kProgramKeyPath).ReadString("", "", text);

    const std::string build = readBuildFolder();
    const std::string open = readOpenFolder();
    const RecentWorkspaces recent = readRecentWorkspaces();
    const bool locked = readMapLock();
    const bool grid = readMapGrid();
    if (writeMapGrid(!grid)) {
        FUZZ_CHECK(readMapGrid() == !grid);
        FUZZ_CHECK(readBuildFolder() == build);
        FUZZ_CHECK(readOpenFolder() == open);
        FUZZ_CHECK(readRecentWorkspaces() == recent);
        FUZZ_CHECK(readMapLock() == locked);
    }
    fuzz::removeTree(home);
    return 0;
}
