// "banmen-cli probe" on sounds: the format after decoding, as text or JSON,
// without any audio device; or the one failure line and exit status 1.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/sound_test_support.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using Result = test::CliResult;

class SoundProbe : public ::testing::Test {
  protected:
    Result probe(const std::string& file, bool json) {
        std::vector<std::string> args = {"probe", file};
        if (json) {
            args.emplace_back("--json");
        }
        // No audio device may be used: an unknown driver would make one fail.
        return test::runCli(args, {{"SDL_AUDIODRIVER", "no-such-driver"}});
    }

    test::TempDir dir_;
};

TEST_F(SoundProbe, PrintsTheDecodedFormat) {
    const std::string path = dir_.file("Tone.WAV");
    test::writeBytes(path, test::pcm16Wave(test::tone(1234, 2, 22050, 440, 0.5), 2, 22050));
    const Result text = probe(path, false);
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "channels: 2\nrate: 22050\nbits: 16\nsamples: 1234\n");
    const Result json = probe(path, true);
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"channels\":2,\"rate\":22050,\"bits\":16,\"samples\":1234}\n");
    EXPECT_EQ(json.err, "");
}

TEST_F(SoundProbe, CompressedWavIsReportedAfterConversion) {
    std::vector<std::uint8_t> data(512, 0);  // two IMA ADPCM blocks
    const std::string path = dir_.file("adpcm.wav");
    test::writeBytes(
        path, test::waveFile({{"fmt ", test::formatBody(0x11, 1, 8000, 4, 256, {2, 0, 0xF9, 0x01})},
                              {"data", data}}));
    const Result json = probe(path, true);
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"channels\":1,\"rate\":8000,\"bits\":16,\"samples\":1010}\n");
}

TEST_F(SoundProbe, TellsWhyASoundDoesNotLoad) {
    const std::string path = dir_.file("short.wav");
    test::writeBytes(path, test::waveFile({{"fmt ", {1, 0, 1, 0}}, {"data", {1, 2}}}));
    const Result result = probe(path, true);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "banmen-cli: " + path + ": format chunk too short (4 bytes)\n");
    const Result missing = probe(dir_.file("missing.mp3"), false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "banmen-cli: " + dir_.file("missing.mp3") + ": file not found\n");
}

}  // namespace
}  // namespace banmen
