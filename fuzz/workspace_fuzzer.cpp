// Workspace files: one of the current size (a sample record patched by the
// input), one of the previous size (zeros patched by the input), or the
// input itself as a file of any other size. A record that reads must come
// back byte for byte through its JSON form.

#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "model/record_json.h"
#include "model/workspace.h"
#include "support/sample_records.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The new-game defaults mostly (quick to write as JSON), the full game
    // when the first byte's bit 2 asks for it.
    static const GameRecord defaults = test::defaultRecord();
    static const GameRecord full = test::fullRecord();
    fuzz::Input input(data, size);
    std::vector<std::uint8_t> file;
    const std::uint8_t mode = input.byte();
    switch (mode % 3) {
        case 0:
            file.resize(kGameRecordSize);
            std::memcpy(file.data(), (mode & 4) != 0 ? &full : &defaults, kGameRecordSize);
            fuzz::applyPatches(input, file);
            break;
        case 1:
            file.resize(kPreviousWorkspaceSize);
            fuzz::applyPatches(input, file);
            break;
        default: {
            const auto rest = input.rest();
            file.assign(rest.begin(), rest.end());
            break;
        }
    }
    const std::string path = fuzz::scratchFolder() + "/game.sgw";
    FUZZ_CHECK(fuzz::writeFile(path, file));

    auto record = std::make_unique<GameRecord>();
    std::memset(record.get(), 0xA5, sizeof(GameRecord));
    const Status read = ReadWorkspaceFile(*record, path);
    FUZZ_CHECK(read.isOk() ==
               (file.size() == kGameRecordSize || file.size() == kPreviousWorkspaceSize));
    if (!read) {
        return 0;
    }
    if (file.size() == kGameRecordSize) {
        FUZZ_CHECK(std::memcmp(record.get(), file.data(), kGameRecordSize) == 0);
    }
    auto again = std::make_unique<GameRecord>();
    const Status loaded = recordFromJson(recordToJson(*record), *again);
    FUZZ_CHECK(loaded.isOk());
    FUZZ_CHECK(std::memcmp(record.get(), again.get(), sizeof(GameRecord)) == 0);
    return 0;
}
