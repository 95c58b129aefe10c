// MP3 files through libmpg123, then the conversion for the device.

#include "fuzz_support.h"
#include "media/mp3_decoder.h"
#include "media/sound_conversion.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedSound sound;
    if (!DecodeMp3({data, size}, sound)) {
        return 0;
    }
    FUZZ_CHECK(sound.format.channels == 1 && sound.format.bits == 16);
    FUZZ_CHECK(sound.format.rate > 0 && !sound.samples.empty());
    FUZZ_CHECK(sound.samples.size() <= kMaxDecodedBytes);
    std::vector<std::int16_t> converted;
    if (ConvertForDevice(sound, {2, 48000}, converted)) {
        FUZZ_CHECK(!converted.empty());
    }
    return 0;
}
