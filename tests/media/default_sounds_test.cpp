// Our own default sounds, as the build installs them into the base folder's
// "Sound Files": every name the engine and a new game ask for is there,
// decodes, is mono and neither silent nor clipped, and the music loops
// without a step where it wraps around.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/sound_files.h"
#include "media/sound_decoder.h"
#include "media/sound_test_support.h"
#include "model/text_field.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

const std::string kFolder = std::string(BANMEN_BIN_DIR) + "/Sound Files/";

std::vector<std::int16_t> decode(const std::string& name) {
    DecodedSound sound;
    const Status status = DecodeSoundFile(kFolder + name, sound);
    EXPECT_TRUE(status) << name << ": " << status.reason();
    EXPECT_EQ(sound.format.channels, 1) << name;
    EXPECT_EQ(sound.format.bits, 16) << name;
    return test::samplesOf(sound.samples);
}

TEST(DefaultSounds, EverySystemSoundAndNewGameSoundIsInstalled) {
    std::vector<std::string> names;
    for (const SystemSound sound :
         {SystemSound::Menu, SystemSound::Click, SystemSound::Dice, SystemSound::Move,
          SystemSound::Hanabi1, SystemSound::Hanabi2, SystemSound::Hanabi3}) {
        names.emplace_back(systemSoundFileName(sound));
    }
    const GameRecord record = test::defaultRecord();
    for (const SoundDef& sound : record.sounds) {
        if (inUse(sound)) {
            names.emplace_back(fieldText(sound.fileName));
        }
    }
    ASSERT_EQ(names.size(), 7u + 9u);
    for (const std::string& name : names) {
        const std::vector<std::int16_t> samples = decode(name);
        EXPECT_GT(samples.size(), 22050u / 20) << name;
        EXPECT_LT(samples.size(), 22050u * 20) << name;
        const int peak = test::peakOf(samples);
        EXPECT_GT(peak, 32767 / 5) << name;
        EXPECT_LT(peak, 32767 * 9 / 10) << name;
    }
}

TEST(DefaultSounds, MusicLoopsWithoutAStep) {
    for (const char* name : {"Menu.mp3", "Game1.mp3", "Game2.mp3"}) {
        const std::vector<std::int16_t> samples = decode(name);
        ASSERT_GT(samples.size(), 2u);
        double steps = 0;
        for (std::size_t n = 1; n < samples.size(); ++n) {
            steps += std::abs(samples[n] - samples[n - 1]);
        }
        const double meanStep = steps / static_cast<double>(samples.size() - 1);
        EXPECT_LE(std::abs(samples.back() - samples.front()), 2 * meanStep) << name;
    }
}

}  // namespace
}  // namespace banmen
