// WAV files: our RIFF walker, the libsndfile path for every format that is
// not 8- or 16-bit PCM, and the conversion for the device that every loaded
// sound goes through.

#include "fuzz_support.h"
#include "media/sound_conversion.h"
#include "media/wav_reader.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedSound sound;
    if (!ReadWav({data, size}, sound)) {
        return 0;
    }
    FUZZ_CHECK(sound.format.bits == 8 || sound.format.bits == 16);
    FUZZ_CHECK(sound.format.channels > 0 && sound.format.rate > 0);
    FUZZ_CHECK(!sound.samples.empty());
    FUZZ_CHECK(sound.samples.size() % static_cast<std::size_t>(sound.format.frameBytes()) == 0);
    std::vector<std::int16_t> converted;
    if (ConvertForDevice(sound, {2, 48000}, converted)) {
        FUZZ_CHECK(!converted.empty() && converted.size() % 2 == 0);
    }
    return 0;
}
