// The JSON form of a record. Any JSON that parses must write back to text
// that parses to the same writing; a record that loads must come back byte
// for byte through its own JSON, with and without all slots.

#include <cstring>
#include <memory>
#include <string_view>

#include "fuzz_support.h"
#include "model/json_value.h"
#include "model/record_json.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    JsonValue value;
    if (parseJson(text, value)) {
        const std::string written = writeJson(value);
        JsonValue again;
        FUZZ_CHECK(parseJson(written, again).isOk());
        FUZZ_CHECK(writeJson(again) == written);
    }
    auto record = std::make_unique<GameRecord>();
    if (!recordFromJson(text, *record)) {
        return 0;
    }
    for (const bool allSlots : {false, true}) {
        auto again = std::make_unique<GameRecord>();
        FUZZ_CHECK(recordFromJson(recordToJson(*record, allSlots), *again).isOk());
        FUZZ_CHECK(std::memcmp(record.get(), again.get(), sizeof(GameRecord)) == 0);
    }
    return 0;
}
