// The one conversion of a decoded sound into the device's format: channels
// spread or mixed down, 8 bits widened, the rate changed with the whole
// sound kept and nothing added.

#include "media/sound_conversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/sound_test_support.h"

namespace banmen {
namespace {

DecodedSound pcm16(int channels, int rate, const std::vector<std::int16_t>& samples) {
    DecodedSound sound;
    sound.format = {channels, rate, 16};
    sound.samples = test::bytesOf(samples);
    return sound;
}

// SDL converts through floats, scaling by 32767 / 32768 on the way: a sample
// may come out one step nearer to zero.
constexpr int kRounding = 1;

TEST(SoundConversion, MonoIsSpreadToBothChannelsUnchanged) {
    const std::vector<std::int16_t> samples = test::tone(1000, 1, 44100, 440, 0.5);
    std::vector<std::int16_t> out;
    ASSERT_TRUE(ConvertForDevice(pcm16(1, 44100, samples), {2, 44100}, out));
    ASSERT_EQ(out.size(), 2000u);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        ASSERT_NEAR(out[2 * n], samples[n], kRounding) << n;
        ASSERT_EQ(out[2 * n + 1], out[2 * n]) << n;
    }
}

TEST(SoundConversion, StereoAtTheDeviceRateIsCopied) {
    const std::vector<std::int16_t> samples = test::tone(500, 2, 48000, 1000, 0.9);
    std::vector<std::int16_t> out;
    ASSERT_TRUE(ConvertForDevice(pcm16(2, 48000, samples), {2, 48000}, out));
    EXPECT_EQ(out, samples);
}

TEST(SoundConversion, EightBitsAreWidened) {
    DecodedSound sound;
    sound.format = {1, 44100, 8};
    sound.samples = {0x80, 0xFF, 0x00, 0xC0};
    std::vector<std::int16_t> out;
    ASSERT_TRUE(ConvertForDevice(sound, {1, 44100}, out));
    const std::vector<std::int16_t> expected = {0, 32512, -32768, 16384};
    ASSERT_EQ(out.size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        EXPECT_NEAR(out[n], expected[n], kRounding) << n;
    }
}

TEST(SoundConversion, ResamplingKeepsTheWholeSoundAtItsOwnLength) {
    for (const int rate : {8000, 11025, 22050, 32000, 48000, 96000}) {
        for (const int bits : {8, 16}) {
            SCOPED_TRACE(std::to_string(rate) + " Hz, " + std::to_string(bits) + " bits");
            // A steady level, so that every output frame should hold it.
            DecodedSound sound;
            sound.format = {1, rate, bits};
            const std::size_t frames = static_cast<std::size_t>(rate) / 5;
            if (bits == 16) {
                sound.samples = test::bytesOf(std::vector<std::int16_t>(frames, 8000));
            } else {
                sound.samples.assign(frames, 0x80 + 31);  // 31 << 8 = 7936
            }
            std::vector<std::int16_t> out;
            ASSERT_TRUE(ConvertForDevice(sound, {2, 44100}, out));
            const std::size_t expected = (frames * 44100 + static_cast<std::size_t>(rate) / 2) /
                                         static_cast<std::size_t>(rate);
            ASSERT_EQ(out.size(), 2 * expected);
            // The level holds up to the end (past the filter's ramp at the edges).
            const std::vector<std::int16_t> left = test::channelOf(out, 2, 0);
            const int level = bits == 16 ? 8000 : 7936;
            for (std::size_t n = 200; n + 200 < left.size(); ++n) {
                ASSERT_NEAR(left[n], level, level / 20) << "frame " << n;
            }
            EXPECT_GT(left[left.size() - 30], level / 2);
        }
    }
}

// Long sounds go through the resampler in pieces; the joins must not show.
TEST(SoundConversion, ALongSoundComesOutWholeAndSmoothAcrossPieces) {
    const std::vector<std::int16_t> samples = test::tone(100000, 1, 22050, 441, 0.5);
    std::vector<std::int16_t> out;
    ASSERT_TRUE(ConvertForDevice(pcm16(1, 22050, samples), {1, 44100}, out));
    ASSERT_EQ(out.size(), 200000u);
    // A 441 Hz tone at 44100 Hz moves at most 2 pi 441 / 44100 of its
    // amplitude (about 1030) from one sample to the next.
    for (std::size_t n = 300; n + 300 < out.size(); ++n) {
        ASSERT_LE(std::abs(out[n] - out[n - 1]), 1100) << "sample " << n;
    }
}

TEST(SoundConversion, ManyChannelsAreMixedDownUpToEight) {
    for (const int channels : {3, 4, 5, 6, 7, 8}) {
        std::vector<std::int16_t> out;
        ASSERT_TRUE(ConvertForDevice(
            pcm16(channels, 22050, test::tone(2205, channels, 22050, 440, 0.5)), {2, 44100}, out))
            << channels;
        EXPECT_EQ(out.size(), 2u * 4410) << channels;
        EXPECT_GT(test::peakOf(out), 3000) << channels;
    }
}

TEST(SoundConversion, ImpossibleSoundsAreRefused) {
    std::vector<std::int16_t> out = {7};
    EXPECT_FALSE(
        ConvertForDevice(pcm16(9, 44100, std::vector<std::int16_t>(90, 1)), {2, 44100}, out));
    EXPECT_FALSE(ConvertForDevice(pcm16(1, 44100, {}), {2, 44100}, out));
    EXPECT_FALSE(ConvertForDevice(pcm16(1, 0, {1, 2}), {2, 44100}, out));
    // Rates outside what plays: one a thousand times too slow would grow
    // every byte into a thousand.
    EXPECT_FALSE(ConvertForDevice(pcm16(1, 999, {1, 2}), {2, 44100}, out));
    EXPECT_FALSE(ConvertForDevice(pcm16(1, 384001, {1, 2}), {2, 44100}, out));
    EXPECT_TRUE(ConvertForDevice(pcm16(1, 1000, std::vector<std::int16_t>(10, 5)), {1, 8000}, out));
    EXPECT_EQ(out.size(), 80u);
    out = {7};
    DecodedSound wide = pcm16(1, 44100, {1, 2});
    wide.format.bits = 24;
    EXPECT_FALSE(ConvertForDevice(wide, {2, 44100}, out));
    EXPECT_EQ(out, std::vector<std::int16_t>{7});
}

}  // namespace
}  // namespace banmen
