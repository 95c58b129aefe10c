// WAVE files: the chunk walker, PCM kept as stored, every other format
// converted to 16-bit PCM, and hostile files refused without harm.

#include "media/wav_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "media/sound_decoder.h"
#include "media/sound_test_support.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::formatBody;
using test::waveFile;

std::vector<std::uint8_t> pcm8Data(std::size_t count) {
    std::vector<std::uint8_t> data(count);
    for (std::size_t n = 0; n < count; ++n) {
        data[n] = static_cast<std::uint8_t>(n * 7);
    }
    return data;
}

// One IMA ADPCM block of 505 mono samples: a header holding the first sample
// (1000) and step index 0, then 252 bytes of zero codes, each of which
// leaves the sample unchanged at that step.
std::vector<std::uint8_t> imaAdpcmFile() {
    std::vector<std::uint8_t> data(256, 0);
    data[0] = 1000 & 0xFF;
    data[1] = 1000 >> 8;
    return waveFile({{"fmt ", formatBody(0x11, 1, 8000, 4, 256, {2, 0, 0xF9, 0x01})},
                     {"fact", {0xF9, 0x01, 0, 0}},
                     {"data", data}});
}

DecodedSound readOk(const std::vector<std::uint8_t>& file) {
    DecodedSound sound;
    const Status status = ReadWav(file, sound);
    EXPECT_TRUE(status) << status.reason();
    return sound;
}

std::string failureOf(const std::vector<std::uint8_t>& file) {
    DecodedSound sound;
    sound.format.rate = 1234;  // must survive a failure
    const Status status = ReadWav(file, sound);
    EXPECT_FALSE(status);
    EXPECT_EQ(sound.format.rate, 1234);
    return status.reason();
}

TEST(WavPcm, SixteenBitStereoIsKeptAsStored) {
    const std::vector<std::int16_t> samples = test::tone(300, 2, 22050, 440, 0.5);
    const DecodedSound sound = readOk(test::pcm16Wave(samples, 2, 22050));
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.rate, 22050);
    EXPECT_EQ(sound.format.bits, 16);
    EXPECT_EQ(sound.frameCount(), 300u);
    EXPECT_EQ(sound.samples, test::bytesOf(samples));
}

TEST(WavPcm, EightBitIsKeptUnchangedWithAnyChannelCount) {
    const std::vector<std::uint8_t> data = pcm8Data(5 * 40);
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(1, 5, 11025, 8, 5)}, {"data", data}}));
    EXPECT_EQ(sound.format.channels, 5);
    EXPECT_EQ(sound.format.bits, 8);
    EXPECT_EQ(sound.frameCount(), 40u);
    EXPECT_EQ(sound.samples, data);
}

TEST(WavPcm, OddSizedChunksArePaddedAndUnknownChunksSkipped) {
    // An odd "LIST" chunk before the format, an odd "junk" between format and
    // data, an odd data chunk (8-bit mono), and a trailing chunk.
    const std::vector<std::uint8_t> data = pcm8Data(7);
    const DecodedSound sound = readOk(waveFile({{"LIST", {'a', 'b', 'c'}},
                                                {"fmt ", formatBody(1, 1, 8000, 8, 1)},
                                                {"junk", {1}},
                                                {"data", data},
                                                {"smpl", {1, 2, 3, 4}}}));
    EXPECT_EQ(sound.samples, data);
}

TEST(WavPcm, DataBeforeFormatIsFound) {
    const std::vector<std::uint8_t> data = pcm8Data(10);
    const DecodedSound sound =
        readOk(waveFile({{"data", data}, {"fmt ", formatBody(1, 1, 8000, 8, 1)}}));
    EXPECT_EQ(sound.samples, data);
}

TEST(WavPcm, LongerFormatChunkAndExtraSizeAreAccepted) {
    const std::vector<std::uint8_t> data = pcm8Data(4);
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(1, 1, 8000, 8, 1, {0, 0})}, {"data", data}}));
    EXPECT_EQ(sound.samples, data);
}

TEST(WavPcm, PartialLastFrameIsDropped) {
    const std::vector<std::uint8_t> data = pcm8Data(9);  // 16-bit stereo: 2 frames + 1 byte
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(1, 2, 8000, 16, 4)}, {"data", data}}));
    EXPECT_EQ(sound.frameCount(), 2u);
    EXPECT_EQ(sound.samples.size(), 8u);
}

TEST(WavPcm, FormSizeBeyondTheFileIsTakenAsTheFileEnd) {
    std::vector<std::uint8_t> file =
        waveFile({{"fmt ", formatBody(1, 1, 8000, 8, 1)}, {"data", pcm8Data(6)}});
    file[4] = file[5] = file[6] = file[7] = 0xFF;  // as streaming writers leave it
    EXPECT_EQ(readOk(file).samples.size(), 6u);
}

TEST(WavPcm, FormSizeCuttingTheDataChunkFails) {
    std::vector<std::uint8_t> file =
        waveFile({{"fmt ", formatBody(1, 1, 8000, 8, 1)}, {"data", pcm8Data(6)}});
    file[4] = static_cast<std::uint8_t>(file.size() - 8 - 2);
    EXPECT_EQ(failureOf(file), "data chunk truncated");
}

TEST(WavFailures, StructureProblemsAreRefused) {
    const auto format = formatBody(1, 1, 8000, 8, 1);
    EXPECT_EQ(failureOf({}), "not a RIFF WAVE file");
    EXPECT_EQ(failureOf({'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}),
              "not a RIFF WAVE file");
    std::vector<std::uint8_t> rifx = waveFile({{"fmt ", format}, {"data", pcm8Data(4)}});
    rifx[3] = 'X';
    EXPECT_EQ(failureOf(rifx), "not a RIFF WAVE file");
    EXPECT_EQ(failureOf(waveFile({})), "no format chunk");
    EXPECT_EQ(failureOf(waveFile({{"data", pcm8Data(4)}})), "no format chunk");
    EXPECT_EQ(failureOf(waveFile({{"fmt ", format}})), "no data chunk");
    EXPECT_EQ(failureOf(waveFile({{"fmt ", format}, {"data", {}}})), "empty data chunk");
    EXPECT_EQ(failureOf(waveFile({{"fmt ", format}, {"data", {1}, 100}})), "data chunk truncated");
    EXPECT_EQ(failureOf(waveFile({{"fmt ", format, 30}})), "format chunk truncated");
    // A skipped chunk that claims more than the file ends the walk.
    EXPECT_EQ(failureOf(waveFile({{"fmt ", format}, {"LIST", {1, 2}, 1000}, {"data", {1}}})),
              "no data chunk");
}

TEST(WavFailures, FormatChunksTooShortAreRefused) {
    const auto pcm = formatBody(1, 1, 8000, 8, 1);
    for (std::size_t size = 0; size < 16; ++size) {
        const std::vector<std::uint8_t> shortFormat(pcm.begin(),
                                                    pcm.begin() + static_cast<long>(size));
        EXPECT_EQ(failureOf(waveFile({{"fmt ", shortFormat}, {"data", pcm8Data(4)}})),
                  "format chunk too short (" + std::to_string(size) + " bytes)");
    }
    // A compressed format needs its extra size field: 16 bytes are not enough.
    const auto ulaw = formatBody(7, 1, 8000, 8, 1);
    EXPECT_EQ(failureOf(waveFile({{"fmt ", ulaw}, {"data", pcm8Data(4)}})),
              "format chunk too short for format 7 (16 bytes)");
    const auto ulaw17 = formatBody(7, 1, 8000, 8, 1, {0});
    EXPECT_FALSE(failureOf(waveFile({{"fmt ", ulaw17}, {"data", pcm8Data(4)}})).empty());
}

TEST(WavFailures, ImpossibleFormatsAreRefused) {
    EXPECT_FALSE(
        failureOf(waveFile({{"fmt ", formatBody(1, 0, 8000, 8, 1)}, {"data", {1, 2}}})).empty());
    EXPECT_FALSE(
        failureOf(waveFile({{"fmt ", formatBody(1, 1, 0, 8, 1)}, {"data", {1, 2}}})).empty());
    EXPECT_FALSE(
        failureOf(waveFile({{"fmt ", formatBody(1, 1, 5'000'000, 8, 1)}, {"data", {1, 2}}}))
            .empty());
    EXPECT_EQ(failureOf(waveFile({{"fmt ", formatBody(1, 2, 8000, 16, 4)}, {"data", {1, 2, 3}}})),
              "data chunk shorter than one frame");
    // A format tag that no decoder knows.
    EXPECT_FALSE(
        failureOf(waveFile({{"fmt ", formatBody(0x4321, 1, 8000, 8, 1, {0, 0})}, {"data", {1, 2}}}))
            .empty());
}

// Found by fuzzing: 1.4 KB of 8-bit mono declaring 1 Hz lasted 23 minutes
// and took about 250 MB once resampled for the device.
TEST(WavFailures, SampleRatesOutsideTheRangeThatPlaysAreRefused) {
    const std::vector<std::uint8_t> data = pcm8Data(1400);
    for (const std::uint32_t rate : {1u, 999u, 384001u}) {
        const std::string reason =
            failureOf(waveFile({{"fmt ", formatBody(1, 1, rate, 8, 1)}, {"data", data}}));
        EXPECT_EQ(reason, "unsupported sample rate " + std::to_string(rate) +
                              " Hz (1000 to 384000 Hz are played)");
    }
    for (const std::uint32_t rate : {1000u, 384000u}) {
        EXPECT_EQ(
            readOk(waveFile({{"fmt ", formatBody(1, 1, rate, 8, 1)}, {"data", data}})).format.rate,
            static_cast<int>(rate));
    }
    // The same bound for compressed data, which is converted before playing.
    EXPECT_EQ(failureOf(waveFile({{"fmt ", formatBody(7, 1, 1, 8, 1, {0, 0})}, {"data", data}})),
              "unsupported sample rate 1 Hz (1000 to 384000 Hz are played)");
}

TEST(WavFailures, EveryTruncationFails) {
    for (const std::vector<std::uint8_t>& whole :
         {waveFile(
              {{"LIST", {'x'}}, {"fmt ", formatBody(1, 2, 8000, 16, 4)}, {"data", pcm8Data(64)}}),
          imaAdpcmFile()}) {
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::vector<std::uint8_t> cut(whole.begin(),
                                                whole.begin() + static_cast<long>(length));
            DecodedSound sound;
            EXPECT_FALSE(ReadWav(cut, sound)) << "length " << length;
        }
        DecodedSound sound;
        EXPECT_TRUE(ReadWav(whole, sound));
    }
}

TEST(WavFailures, FlippedBytesAndGarbageNeverYieldABrokenSound) {
    std::mt19937 random(5);
    const auto check = [](const std::vector<std::uint8_t>& file) {
        DecodedSound sound;
        if (ReadWav(file, sound)) {
            ASSERT_GE(sound.format.channels, 1);
            ASSERT_TRUE(sound.format.bits == 8 || sound.format.bits == 16);
            ASSERT_GT(sound.frameCount(), 0u);
            ASSERT_EQ(sound.samples.size() % static_cast<std::size_t>(sound.format.frameBytes()),
                      0u);
        }
    };
    for (const std::vector<std::uint8_t>& whole :
         {waveFile({{"fmt ", formatBody(1, 2, 8000, 16, 4)}, {"data", pcm8Data(64)}}),
          imaAdpcmFile()}) {
        for (std::size_t at = 0; at < whole.size(); ++at) {
            for (const int mask : {0x01, 0x80, 0xFF}) {
                std::vector<std::uint8_t> flipped = whole;
                flipped[at] = static_cast<std::uint8_t>(flipped[at] ^ mask);
                check(flipped);
            }
        }
    }
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> garbage(static_cast<std::size_t>(random() % 600));
        for (auto& byte : garbage) {
            byte = static_cast<std::uint8_t>(random());
        }
        if (garbage.size() >= 12 && round % 2 == 0) {
            std::memcpy(garbage.data(), "RIFF", 4);
            std::memcpy(garbage.data() + 8, "WAVE", 4);
        }
        check(garbage);
    }
}

TEST(WavConversion, ImaAdpcmBecomesSixteenBitPcm) {
    const DecodedSound sound = readOk(imaAdpcmFile());
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.rate, 8000);
    EXPECT_EQ(sound.format.bits, 16);
    ASSERT_EQ(sound.frameCount(), 505u);
    for (const std::int16_t sample : test::samplesOf(sound.samples)) {
        ASSERT_EQ(sample, 1000);
    }
}

TEST(WavConversion, LawCodesBecomeFullScaleSamples) {
    // 0x80 and 0x00 are the loudest positive and negative u-law codes; 0xAA
    // and 0x2A their A-law counterparts.
    const auto extra = std::vector<std::uint8_t>{0, 0};
    for (const auto& [tag, positive, negative] :
         {std::tuple{7u, std::uint8_t{0x80}, std::uint8_t{0x00}},
          std::tuple{6u, std::uint8_t{0xAA}, std::uint8_t{0x2A}}}) {
        const std::vector<std::uint8_t> data = {positive, negative, positive, negative, positive};
        const DecodedSound sound =
            readOk(waveFile({{"fmt ", formatBody(tag, 1, 8000, 8, 1, extra)}, {"data", data}}));
        EXPECT_EQ(sound.format.bits, 16);
        const std::vector<std::int16_t> samples = test::samplesOf(sound.samples);
        ASSERT_EQ(samples.size(), 5u) << "tag " << tag;
        for (std::size_t n = 0; n < samples.size(); ++n) {
            EXPECT_GT(n % 2 == 0 ? samples[n] : -samples[n], 30000) << "tag " << tag << " at " << n;
        }
    }
}

TEST(WavConversion, FloatIsScaledAndClipped) {
    std::vector<std::uint8_t> data;
    for (const float value : {0.5f, -0.5f, 2.0f, -1.0f, 0.0f}) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        test::putU32(data, bits);
    }
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(3, 1, 44100, 32, 4, {0, 0})}, {"data", data}}));
    const std::vector<std::int16_t> samples = test::samplesOf(sound.samples);
    ASSERT_EQ(samples.size(), 5u);
    EXPECT_NEAR(samples[0], 16384, 2);
    EXPECT_NEAR(samples[1], -16384, 2);
    EXPECT_EQ(samples[2], 32767);
    EXPECT_LE(samples[3], -32767);
    EXPECT_EQ(samples[4], 0);
}

// Found by fuzzing: NaN reached a float-to-integer cast (undefined).
TEST(WavConversion, NotANumberPlaysAsSilence) {
    std::vector<std::uint8_t> data;
    for (const std::uint32_t bits : {0x7FC00000u, 0xFFC00001u, 0x3F000000u, 0x7F800000u}) {
        test::putU32(data, bits);  // NaN, negative NaN, 0.5, +infinity
    }
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(3, 1, 44100, 32, 4, {0, 0})}, {"data", data}}));
    const std::vector<std::int16_t> samples = test::samplesOf(sound.samples);
    ASSERT_EQ(samples.size(), 4u);
    EXPECT_EQ(samples[0], 0);
    EXPECT_EQ(samples[1], 0);
    EXPECT_NEAR(samples[2], 16384, 2);
    EXPECT_EQ(samples[3], 32767);
}

TEST(WavConversion, TwentyFourBitPcmBecomesSixteenBit) {
    // 0x400000 is half scale; 0xC00000 minus half scale; stereo.
    const std::vector<std::uint8_t> data = {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0,
                                            0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00};
    const DecodedSound sound =
        readOk(waveFile({{"fmt ", formatBody(1, 2, 48000, 24, 6)}, {"data", data}}));
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.bits, 16);
    EXPECT_EQ(test::samplesOf(sound.samples), (std::vector<std::int16_t>{16384, -16384, 32767, 0}));
}

// WAVE files written by sox in each format a user may bring.
class SoxFormats : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::haveTool("sox")) {
            GTEST_SKIP() << "sox is not installed";
        }
    }

    // Converts a half-scale 440 Hz tone with sox; empty when sox refuses.
    std::string make(const std::string& name, const std::string& encoding, int channels, int rate,
                     std::size_t frames) {
        const std::string source = dir_.file(name + ".src.wav");
        test::writeBytes(source, test::pcm16Wave(test::tone(frames, channels, rate, 440, 0.5),
                                                 channels, static_cast<std::uint32_t>(rate)));
        const std::string target = dir_.file(name + ".wav");
        if (!test::runQuietly("sox " + test::shellQuoted(source) + " " + encoding + " " +
                              test::shellQuoted(target))) {
            return {};
        }
        return target;
    }

    test::TempDir dir_;
};

TEST_F(SoxFormats, EveryFormatLoadsWithItsChannelsRateAndLevel) {
    struct Case {
        const char* encoding;
        int channels;
        int rate;
        int bits;  // after loading
    };
    const Case cases[] = {
        {"-e signed -b 16", 2, 44100, 16},
        {"-e unsigned -b 8", 1, 11025, 8},
        {"-e unsigned -b 8", 2, 22050, 8},
        {"-e ima-adpcm", 1, 22050, 16},
        {"-e ima-adpcm", 2, 44100, 16},
        {"-e ms-adpcm", 1, 8000, 16},
        {"-e ms-adpcm", 2, 22050, 16},
        {"-e u-law", 1, 8000, 16},
        {"-e u-law", 2, 44100, 16},
        {"-e a-law", 1, 8000, 16},
        {"-e a-law", 2, 16000, 16},
        {"-e gsm-full-rate", 1, 8000, 16},
        {"-e floating-point -b 32", 2, 48000, 16},
        {"-e floating-point -b 64", 1, 32000, 16},
        {"-e signed -b 24", 2, 44100, 16},
        {"-e signed -b 32", 1, 96000, 16},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + std::to_string(c.channels) + " ch " +
                     std::to_string(c.rate) + " Hz");
        const std::size_t frames = static_cast<std::size_t>(c.rate) / 4;
        const std::string path =
            make("f" + std::to_string(index++), c.encoding, c.channels, c.rate, frames);
        ASSERT_FALSE(path.empty()) << "sox failed";
        DecodedSound sound;
        const Status status = DecodeSoundFile(path, sound);
        ASSERT_TRUE(status) << status.reason();
        EXPECT_EQ(sound.format.channels, c.channels);
        EXPECT_EQ(sound.format.rate, c.rate);
        EXPECT_EQ(sound.format.bits, c.bits);
        // Block codecs round up to whole blocks (GSM: 320 samples).
        EXPECT_GE(sound.frameCount(), frames - 1);
        EXPECT_LE(sound.frameCount(), frames + 1024);
        if (c.bits == 16) {
            const int peak = test::peakOf(test::samplesOf(sound.samples));
            EXPECT_GT(peak, 32767 * 0.35);
            EXPECT_LT(peak, 32767 * 0.7);
        } else {
            int peak = 0;
            for (const std::uint8_t sample : sound.samples) {
                peak = std::max(peak, std::abs(sample - 128));
            }
            EXPECT_NEAR(peak, 64, 3);
        }
    }
}

TEST_F(SoxFormats, EveryTruncationOfCompressedFilesFails) {
    for (const char* encoding : {"-e ms-adpcm", "-e gsm-full-rate"}) {
        const std::string path = make(encoding + 3, encoding, 1, 8000, 400);
        ASSERT_FALSE(path.empty());
        const std::vector<std::uint8_t> whole = test::readBytes(path);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            DecodedSound sound;
            EXPECT_FALSE(ReadWav(std::span(whole).first(length), sound))
                << encoding << " " << length;
        }
    }
}

}  // namespace
}  // namespace banmen
