// Playback through SDL's disk audio driver, which writes the device's output
// to a file instead of a sound card: what the cues do is read back from the
// mixed output (16-bit stereo at 44.1 kHz).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/sound_buffer.h"
#include "media/sound_cue.h"
#include "media/sound_device.h"
#include "media/sound_test_support.h"
#include "support/test_support.h"

namespace banmen {
namespace {

constexpr int kRate = 44100;
constexpr int kThreshold = 100;
// 0.1 s of a 440 Hz tone: 44 whole cycles, so that it loops without a seam.
constexpr std::size_t kToneFrames = 4410;

// Runs of sound separated by more than `gap` quiet frames.
std::vector<test::Extent> soundingRuns(const std::vector<std::int16_t>& samples,
                                       std::size_t gap = 1000) {
    std::vector<test::Extent> runs;
    std::size_t quiet = gap + 1;
    for (std::size_t frame = 0; frame < samples.size() / 2; ++frame) {
        const bool loud = std::abs(samples[2 * frame]) > kThreshold ||
                          std::abs(samples[2 * frame + 1]) > kThreshold;
        if (loud) {
            if (quiet > gap) {
                runs.push_back({frame, frame + 1});
            }
            runs.back().end = frame + 1;
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return runs;
}

class DiskPlayback : public ::testing::Test {
  protected:
    void SetUp() override {
        output_ = dir_.file("output.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
        // Milliseconds between buffers: faster than real time, but not flat out.
        setenv("SDL_DISKAUDIODELAY", "1", 1);
        ASSERT_TRUE(OpenSoundDevice());
        const SoundDeviceFormat format = soundDeviceFormat();
        ASSERT_EQ(format.channels, 2);
        ASSERT_EQ(format.rate, kRate);
    }

    void TearDown() override { CloseSoundDevice(); }

    std::string toneFile(const std::string& name, int channels, int rate, std::size_t frames,
                         double level = 0.5) {
        const std::string path = dir_.file(name);
        test::writeBytes(path, test::pcm16Wave(test::tone(frames, channels, rate, 440, level),
                                               channels, static_cast<std::uint32_t>(rate)));
        return path;
    }

    // Waits until the device has mixed `frames` more frames.
    void playFor(std::size_t frames) {
        const std::uint64_t until = soundDeviceMixedFrames() + frames;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (soundDeviceMixedFrames() < until) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the device stopped mixing";
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Closes the device and reads what it played.
    std::vector<std::int16_t> output() {
        CloseSoundDevice();
        return test::samplesOf(test::readBytes(output_));
    }

    test::TempDir dir_;
    std::string output_;
};

TEST_F(DiskPlayback, OneShotCueEnds) {
    SoundCue cue;
    EXPECT_TRUE(cue.Load(toneFile("once.wav", 1, kRate, kToneFrames), 1));
    ASSERT_TRUE(cue.buffer().isLoaded());
    EXPECT_TRUE(cue.Play());
    EXPECT_FALSE(cue.buffer().looping());
    playFor(kToneFrames * 4);
    EXPECT_FALSE(cue.buffer().isPlaying());
    const std::vector<std::int16_t> samples = output();
    const std::vector<test::Extent> runs = soundingRuns(samples);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(static_cast<double>(runs[0].length()), kToneFrames, 3);
    // The mono sound is in both channels.
    EXPECT_GT(test::peakOf(test::channelOf(samples, 2, 0)), 15000);
    EXPECT_GT(test::peakOf(test::channelOf(samples, 2, 1)), 15000);
}

TEST_F(DiskPlayback, LoopingCueKeepsSoundingUntilStopped) {
    SoundCue cue;
    EXPECT_TRUE(cue.Load(toneFile("loop.wav", 1, kRate, kToneFrames), kRepeatLoop));
    EXPECT_TRUE(cue.Play());
    EXPECT_TRUE(cue.buffer().looping());
    playFor(kToneFrames * 10);
    EXPECT_TRUE(cue.buffer().isPlaying());
    EXPECT_TRUE(cue.Stop());
    EXPECT_FALSE(cue.buffer().isPlaying());
    playFor(kToneFrames * 5);
    const std::vector<std::int16_t> samples = output();
    const std::vector<test::Extent> runs = soundingRuns(samples);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_GE(runs[0].length(), kToneFrames * 9);
    // No gap where the sound wraps around, and silence after the stop.
    EXPECT_LE(test::longestQuietRun(samples, 2, kThreshold, runs[0]), 2u);
    EXPECT_GE(samples.size() / 2 - runs[0].end, kToneFrames * 4);
}

TEST_F(DiskPlayback, StopRewindsSoTheNextPlayIsWhole) {
    SoundCue cue;
    cue.Load(toneFile("rewind.wav", 1, kRate, kToneFrames), kRepeatLoop);
    cue.Play();
    EXPECT_EQ(cue.repeat(), kRepeatLoop);
    playFor(kToneFrames * 3 / 2);
    cue.Stop();
    playFor(kToneFrames);
    cue.Play(1);  // a count other than 0 overrides the default
    EXPECT_EQ(cue.repeat(), 1);
    EXPECT_FALSE(cue.buffer().looping());
    playFor(kToneFrames * 2);
    const std::vector<test::Extent> runs = soundingRuns(output());
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_GE(runs[0].length(), kToneFrames * 3 / 2 - 1024);
    EXPECT_NEAR(static_cast<double>(runs[1].length()), kToneFrames, 3);
}

TEST_F(DiskPlayback, AStoppedOrUnplayedCueIsSilent) {
    SoundCue unplayed;
    unplayed.Load(toneFile("a.wav", 1, kRate, kToneFrames), kRepeatLoop);
    SoundCue stopped;
    stopped.Load(toneFile("b.wav", 1, kRate, kToneFrames), kRepeatLoop);
    EXPECT_TRUE(stopped.Stop());  // stopping a sound that is not playing is fine
    const std::uint64_t before = soundDeviceMixedFrames();
    stopped.Play();
    stopped.Stop();
    // Only what the device mixed between the two calls can have sounded.
    const std::uint64_t between = soundDeviceMixedFrames() - before;
    playFor(kToneFrames * 3);
    const std::vector<test::Extent> runs = soundingRuns(output());
    ASSERT_LE(runs.size(), 1u);
    if (!runs.empty()) {
        EXPECT_LE(runs[0].length(), between);
    }
}

TEST_F(DiskPlayback, CompressedWavPlaysAtTheDeviceRate) {
    // One IMA ADPCM block: 505 samples holding 1000, at 8 kHz.
    std::vector<std::uint8_t> data(256, 0);
    data[0] = 1000 & 0xFF;
    data[1] = 1000 >> 8;
    const std::string path = dir_.file("adpcm.wav");
    test::writeBytes(
        path, test::waveFile({{"fmt ", test::formatBody(0x11, 1, 8000, 4, 256, {2, 0, 0xF9, 0x01})},
                              {"data", data}}));
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.Load(path));
    EXPECT_EQ(buffer.format().bits, 16);
    EXPECT_EQ(buffer.format().rate, 8000);
    EXPECT_EQ(buffer.size(), 505u * 2);
    EXPECT_TRUE(buffer.Play(false));
    playFor(505 * kRate / 8000 * 3);
    const std::vector<std::int16_t> samples = output();
    const std::vector<test::Extent> runs = soundingRuns(samples);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(static_cast<double>(runs[0].length()), 505.0 * kRate / 8000, 30);
    const std::size_t middle = (runs[0].begin + runs[0].end) / 2;
    EXPECT_NEAR(samples[2 * middle], 1000, 20);
}

TEST_F(DiskPlayback, StereoMp3ComesOutAsItsLeftChannel) {
    if (!test::haveTool("lame")) {
        GTEST_SKIP() << "lame is not installed";
    }
    // Two stereo files: the tone only on the left, and only on the right.
    const auto stereoMp3 = [this](const std::string& name, double left, double right) {
        const std::vector<std::int16_t> a = test::tone(kToneFrames, 1, kRate, 440, left);
        const std::vector<std::int16_t> b = test::tone(kToneFrames, 1, kRate, 440, right);
        std::vector<std::int16_t> samples;
        for (std::size_t n = 0; n < kToneFrames; ++n) {
            samples.push_back(a[n]);
            samples.push_back(b[n]);
        }
        test::writeBytes(dir_.file(name + ".wav"), test::pcm16Wave(samples, 2, kRate));
        EXPECT_TRUE(test::runQuietly("lame --quiet -m s " +
                                     test::shellQuoted(dir_.file(name + ".wav")) + " " +
                                     test::shellQuoted(dir_.file(name + ".mp3"))));
        return dir_.file(name + ".mp3");
    };
    SoundBuffer left;
    ASSERT_TRUE(left.Load(stereoMp3("left", 0.5, 0.0)));
    EXPECT_EQ(left.format().channels, 1);
    EXPECT_EQ(left.format().rate, kRate);
    SoundBuffer right;
    ASSERT_TRUE(right.Load(stereoMp3("right", 0.0, 0.5)));
    right.Play(false);
    playFor(kToneFrames * 2);
    left.Play(false);
    playFor(kToneFrames * 2);
    const std::vector<std::int16_t> samples = output();
    const std::vector<test::Extent> runs = soundingRuns(samples);
    ASSERT_EQ(runs.size(), 1u);  // the right-only file is silent
    EXPECT_NEAR(static_cast<double>(runs[0].length()), kToneFrames, 10);
    EXPECT_GT(test::peakOf(test::channelOf(samples, 2, 0)), 13000);
    EXPECT_GT(test::peakOf(test::channelOf(samples, 2, 1)), 13000);
}

TEST_F(DiskPlayback, LoadingIntoALoadedBufferFailsAndKeepsTheSound) {
    SoundBuffer buffer;
    ASSERT_TRUE(buffer.Load(toneFile("first.wav", 1, 22050, 100)));
    EXPECT_FALSE(buffer.Load(toneFile("second.wav", 2, kRate, 300)));
    EXPECT_EQ(buffer.format().channels, 1);
    EXPECT_EQ(buffer.format().rate, 22050);
    EXPECT_EQ(buffer.size(), 200u);
    buffer.Release();
    EXPECT_FALSE(buffer.isLoaded());
    EXPECT_EQ(buffer.size(), 0u);
    EXPECT_FALSE(buffer.Play(false));
    EXPECT_FALSE(buffer.Stop());
    ASSERT_TRUE(buffer.Load(dir_.file("second.wav")));
    EXPECT_EQ(buffer.format().channels, 2);
}

TEST_F(DiskPlayback, MissingOrBrokenFilesStaySilent) {
    test::writeBytes(dir_.file("broken.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
    test::writeBytes(dir_.file("broken.mp3"), std::vector<std::uint8_t>(3000, 0x55));
    for (const char* name : {"missing.wav", "broken.wav", "broken.mp3"}) {
        SoundCue cue;
        EXPECT_TRUE(cue.Load(dir_.file(name), kRepeatLoop)) << name;
        EXPECT_FALSE(cue.buffer().isLoaded()) << name;
        EXPECT_TRUE(cue.path().empty()) << name;
        EXPECT_TRUE(cue.Play()) << name;
        EXPECT_FALSE(cue.Stop()) << name;
    }
    SoundBuffer folder;
    EXPECT_FALSE(folder.Load(dir_.path()));
}

TEST_F(DiskPlayback, ReleaseWhilePlayingAndCloseWhileLoadedAreSafe) {
    const std::string path = toneFile("many.wav", 2, 22050, 2000, 0.1);
    {
        std::vector<std::unique_ptr<SoundCue>> cues;
        for (int n = 0; n < 8; ++n) {
            cues.push_back(std::make_unique<SoundCue>());
            cues.back()->Load(path, n % 2);
            cues.back()->Play();
        }
        for (int round = 0; round < 200; ++round) {
            SoundCue& cue = *cues[static_cast<std::size_t>(round) % cues.size()];
            cue.Unload();
            cue.Load(path, round % 2);
            cue.Play();
            if (round % 20 == 0) {
                playFor(256);
            }
        }
        // Destroyed while playing.
    }
    SoundCue cue;
    cue.Load(path, kRepeatLoop);
    cue.Play();
    playFor(1024);
    CloseSoundDevice();
    EXPECT_TRUE(cue.Play());  // but silent, since the device is gone
    EXPECT_FALSE(cue.buffer().isPlaying());
    EXPECT_TRUE(cue.buffer().isLoaded());
    EXPECT_FALSE(cue.Stop());
    cue.Unload();
    EXPECT_FALSE(cue.buffer().isLoaded());
    // A new device does not play sounds converted for the old one.
    ASSERT_TRUE(OpenSoundDevice());
    SoundBuffer old;
    ASSERT_TRUE(old.Load(path));
    CloseSoundDevice();
    ASSERT_TRUE(OpenSoundDevice());
    EXPECT_FALSE(old.Play(true));
    old.Release();
    EXPECT_TRUE(old.Load(path));
    EXPECT_TRUE(old.Play(true));
}

TEST_F(DiskPlayback, TheDeviceOpensOnce) {
    EXPECT_TRUE(SoundDeviceIsOpen());
    EXPECT_FALSE(OpenSoundDevice());
    CloseSoundDevice();
    EXPECT_FALSE(SoundDeviceIsOpen());
    EXPECT_EQ(soundDeviceMixedFrames(), 0u);
    SoundBuffer buffer;
    EXPECT_FALSE(buffer.Load(toneFile("tone.wav", 1, kRate, 100)));
    CloseSoundDevice();  // closing twice is harmless
    EXPECT_TRUE(OpenSoundDevice());
    EXPECT_TRUE(buffer.Load(dir_.file("tone.wav")));
}

TEST(NoSoundDevice, EveryLoadFailsQuietly) {
    test::TempDir dir;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(OpenSoundDevice());
    EXPECT_FALSE(SoundDeviceIsOpen());
    const std::string path = dir.file("tone.wav");
    test::writeBytes(path, test::pcm16Wave(test::tone(100, 1, kRate, 440, 0.5), 1, kRate));
    SoundBuffer buffer;
    EXPECT_FALSE(buffer.Load(path));
    EXPECT_FALSE(buffer.Play(true));
    SoundCue cue;
    EXPECT_TRUE(cue.Load(path, kRepeatLoop));
    EXPECT_FALSE(cue.buffer().isLoaded());
    EXPECT_TRUE(cue.Play());
    cue.Unload();
}

}  // namespace
}  // namespace banmen
