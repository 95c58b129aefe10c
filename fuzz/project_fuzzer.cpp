// Project files (packed blocks): the input as a ".sgp" file. Whatever
// unpacks must pack again, at its own unit size, into a block that unpacks
// to the same bytes.

#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "model/packed_block.h"
#include "model/workspace.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> unpacked;
    if (!Unpack(data, size, unpacked)) {
        return 0;
    }
    FUZZ_CHECK(unpacked.size() <= kMaxUnpackedSize);
    std::uint32_t unit = 0;
    std::memcpy(&unit, data + 12, sizeof unit);
    const int unitSize = static_cast<int>(unit);
    std::vector<std::uint8_t> packed(Pack(unitSize, unpacked.data(), unpacked.size(), nullptr));
    FUZZ_CHECK(!packed.empty());
    packed.resize(Pack(unitSize, unpacked.data(), unpacked.size(), packed.data()));
    std::vector<std::uint8_t> again;
    FUZZ_CHECK(Unpack(packed.data(), packed.size(), again).isOk());
    FUZZ_CHECK(again == unpacked);

    // The same bytes through the file reader.
    const std::string path = fuzz::scratchFolder() + "/game.sgp";
    FUZZ_CHECK(fuzz::writeFile(path, {data, size}));
    auto record = std::make_unique<GameRecord>();
    const Status read = ReadProjectFile(*record, path);
    FUZZ_CHECK(read.isOk() == (unpacked.size() == kGameRecordSize));
    if (read) {
        FUZZ_CHECK(std::memcmp(record.get(), unpacked.data(), kGameRecordSize) == 0);
    }
    return 0;
}
