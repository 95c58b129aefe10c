// MP3 decoding: files made by lame at several rates, mono and stereo, with
// their "Info" header frame; the left channel kept; bounded output; hostile
// input refused without harm.

#include "media/mp3_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/sound_decoder.h"
#include "media/sound_test_support.h"
#include "support/test_support.h"

namespace banmen {
namespace {

bool hasInfoFrame(const std::vector<std::uint8_t>& file) {
    const auto find = [&file](std::string_view id) {
        return std::search(file.begin(), file.end(), id.begin(), id.end()) != file.end();
    };
    return find("Info") || find("Xing");
}

// An MPEG-1 Layer II stream: mono, 44.1 kHz, 128 kbit/s frames of 417 bytes
// whose bit allocation is all zero (silence).
std::vector<std::uint8_t> layerTwoStream(int frames) {
    std::vector<std::uint8_t> stream;
    for (int n = 0; n < frames; ++n) {
        const std::uint8_t header[] = {0xFF, 0xFD, 0x80, 0xC0};
        stream.insert(stream.end(), std::begin(header), std::end(header));
        stream.resize(stream.size() + 417 - 4, 0);
    }
    return stream;
}

class LameFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::haveTool("lame")) {
            GTEST_SKIP() << "lame is not installed";
        }
    }

    // A 440 Hz tone encoded by lame, `left` and `right` its levels (a mono
    // file takes `left`).
    std::vector<std::uint8_t> encode(int channels, int rate, std::size_t frames, double left,
                                     double right, const std::string& options = {}) {
        std::vector<std::int16_t> samples;
        const std::vector<std::int16_t> a = test::tone(frames, 1, rate, 440, left);
        const std::vector<std::int16_t> b = test::tone(frames, 1, rate, 440, right);
        for (std::size_t n = 0; n < frames; ++n) {
            samples.push_back(a[n]);
            if (channels == 2) {
                samples.push_back(b[n]);
            }
        }
        const std::string name = "t" + std::to_string(count_++);
        const std::string source = dir_.file(name + ".wav");
        const std::string target = dir_.file(name + ".mp3");
        test::writeBytes(source,
                         test::pcm16Wave(samples, channels, static_cast<std::uint32_t>(rate)));
        if (!test::runQuietly("lame --quiet " + options + " " + test::shellQuoted(source) + " " +
                              test::shellQuoted(target))) {
            ADD_FAILURE() << "lame failed";
            return {};
        }
        return test::readBytes(target);
    }

    test::TempDir dir_;
    int count_ = 0;
};

TEST_F(LameFiles, MonoAndStereoAtSeveralRatesDecodeToTheirExactLength) {
    // Low rates need a bit rate whose frames have room for the Info frame.
    for (const int rate : {8000, 11025, 16000, 22050, 24000, 32000, 44100, 48000}) {
        for (const int channels : {1, 2}) {
            SCOPED_TRACE(std::to_string(rate) + " Hz, " + std::to_string(channels) + " ch");
            const auto frames = static_cast<std::size_t>(rate) * 3 / 10;
            const std::vector<std::uint8_t> file =
                encode(channels, rate, frames, 0.5, 0.5, rate < 32000 ? "-b 64" : "");
            ASSERT_TRUE(hasInfoFrame(file));
            DecodedSound sound;
            const Status status = DecodeMp3(file, sound);
            ASSERT_TRUE(status) << status.reason();
            EXPECT_EQ(sound.format.channels, 1);
            EXPECT_EQ(sound.format.rate, rate);
            EXPECT_EQ(sound.format.bits, 16);
            // Neither the Info frame nor the encoder's delay and padding play.
            EXPECT_EQ(sound.frameCount(), frames);
            const int peak = test::peakOf(test::samplesOf(sound.samples));
            EXPECT_GT(peak, 32767 * 0.4);
            EXPECT_LT(peak, 32767 * 0.6);
        }
    }
}

TEST_F(LameFiles, StereoKeepsTheLeftChannel) {
    for (const char* mode : {"-m j", "-m s"}) {
        SCOPED_TRACE(mode);
        DecodedSound leftOnly;
        ASSERT_TRUE(DecodeMp3(encode(2, 44100, 8000, 0.5, 0.0, mode), leftOnly));
        EXPECT_GT(test::peakOf(test::samplesOf(leftOnly.samples)), 32767 * 0.4);
        DecodedSound rightOnly;
        ASSERT_TRUE(DecodeMp3(encode(2, 44100, 8000, 0.0, 0.5, mode), rightOnly));
        EXPECT_EQ(rightOnly.format.channels, 1);
        EXPECT_LT(test::peakOf(test::samplesOf(rightOnly.samples)), 32767 * 0.02);
    }
}

TEST_F(LameFiles, UpperCaseExtensionIsDecodedAsMp3) {
    const std::vector<std::uint8_t> file = encode(1, 44100, 2205, 0.5, 0.5);
    for (const char* name : {"A.MP3", "b.Mp3", "c.mp3"}) {
        test::writeBytes(dir_.file(name), file);
        DecodedSound sound;
        const Status status = DecodeSoundFile(dir_.file(name), sound);
        EXPECT_TRUE(status) << name << ": " << status.reason();
        EXPECT_EQ(sound.frameCount(), 2205u) << name;
    }
    // Any other extension is read as WAVE, which this is not.
    test::writeBytes(dir_.file("d.wav"), file);
    test::writeBytes(dir_.file("e.mp3.bak"), file);
    DecodedSound sound;
    EXPECT_FALSE(DecodeSoundFile(dir_.file("d.wav"), sound));
    EXPECT_FALSE(DecodeSoundFile(dir_.file("e.mp3.bak"), sound));
}

TEST_F(LameFiles, OutputBeyondTheLimitFails) {
    const std::vector<std::uint8_t> file = encode(2, 44100, 44100, 0.5, 0.5);
    DecodedSound sound;
    EXPECT_EQ(DecodeMp3(file, sound, 44100 * 2 - 2).reason(), "sound too long");
    EXPECT_TRUE(sound.samples.empty());
    EXPECT_TRUE(DecodeMp3(file, sound, 44100 * 2));
    EXPECT_EQ(sound.frameCount(), 44100u);
}

TEST_F(LameFiles, EveryTruncationFailsOrYieldsAShorterSound) {
    const std::vector<std::uint8_t> whole = encode(2, 44100, 4410, 0.5, 0.5);
    DecodedSound full;
    ASSERT_TRUE(DecodeMp3(whole, full));
    std::size_t firstSuccess = whole.size();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        DecodedSound sound;
        if (DecodeMp3(std::span(whole).first(length), sound)) {
            firstSuccess = std::min(firstSuccess, length);
            ASSERT_EQ(sound.format.rate, 44100);
            ASSERT_EQ(sound.format.channels, 1);
            ASSERT_LE(sound.frameCount(), full.frameCount() + 1152);
        }
    }
    // Nothing plays before the first audio frame after the Info frame is whole.
    EXPECT_GT(firstSuccess, 400u);
}

TEST(Mp3Failures, HostileInputFails) {
    DecodedSound sound;
    EXPECT_FALSE(DecodeMp3({}, sound));
    EXPECT_FALSE(DecodeMp3(std::vector<std::uint8_t>(5000, 0), sound));
    EXPECT_FALSE(DecodeMp3(std::vector<std::uint8_t>(5000, 0xFF), sound));
    const std::string text(3000, 'x');
    EXPECT_FALSE(DecodeMp3(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), sound));
    // A bare ID3v2 tag with nothing after it.
    const std::vector<std::uint8_t> id3 = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 10,
                                           0,   0,   0,   0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeMp3(id3, sound));
    EXPECT_TRUE(sound.samples.empty());
}

TEST(Mp3Failures, OtherLayersAreRefused) {
    DecodedSound sound;
    const Status status = DecodeMp3(layerTwoStream(20), sound);
    EXPECT_EQ(status.reason(), "not MPEG audio Layer III (layer 2)");
}

TEST(Mp3Failures, RandomBytesNeverYieldABrokenSound) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    for (int round = 0; round < 100; ++round) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(100 + round * 37));
        std::generate(bytes.begin(), bytes.end(), next);
        DecodedSound sound;
        if (DecodeMp3(bytes, sound)) {
            EXPECT_EQ(sound.format.channels, 1);
            EXPECT_GT(sound.format.rate, 0);
            EXPECT_GT(sound.frameCount(), 0u);
        }
    }
}

}  // namespace
}  // namespace banmen
