// The mix: voices summed with clipping, looping and one-shot voices, stop
// and rewind, and voices started, stopped and dropped while another thread
// mixes.

#include "media/sound_mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

namespace banmen {
namespace {

std::shared_ptr<SoundVoice> rampVoice(std::size_t count, std::int16_t first = 1) {
    std::vector<std::int16_t> samples(count);
    std::iota(samples.begin(), samples.end(), first);
    return std::make_shared<SoundVoice>(std::move(samples));
}

std::vector<std::int16_t> mixed(SoundMixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames * static_cast<std::size_t>(mixer.channels()), -1);
    mixer.mix(out.data(), frames);
    return out;
}

TEST(SoundMixer, NothingPlayingIsSilence) {
    SoundMixer mixer(2);
    EXPECT_EQ(mixed(mixer, 5), std::vector<std::int16_t>(10, 0));
    EXPECT_EQ(mixer.mixedFrames(), 5u);
}

TEST(SoundMixer, OneShotVoicePlaysOnceThenEnds) {
    SoundMixer mixer(1);
    const auto voice = rampVoice(5);
    mixer.play(voice, false);
    EXPECT_TRUE(mixer.isPlaying(*voice));
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{1, 2, 3}));
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{4, 5, 0, 0}));
    EXPECT_FALSE(mixer.isPlaying(*voice));
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{0, 0, 0}));
    // It can be played again, from its start.
    mixer.play(voice, false);
    EXPECT_EQ(mixed(mixer, 6), (std::vector<std::int16_t>{1, 2, 3, 4, 5, 0}));
}

TEST(SoundMixer, LoopingVoiceWrapsAcrossCallsUntilStopped) {
    SoundMixer mixer(1);
    const auto voice = rampVoice(3);
    mixer.play(voice, true);
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{1, 2, 3, 1}));
    EXPECT_EQ(mixed(mixer, 7), (std::vector<std::int16_t>{2, 3, 1, 2, 3, 1, 2}));
    EXPECT_TRUE(mixer.isPlaying(*voice));
    mixer.stop(*voice);
    EXPECT_FALSE(mixer.isPlaying(*voice));
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{0, 0, 0}));
}

TEST(SoundMixer, StopRewindsAndPlayRestartsFromTheBeginning) {
    SoundMixer mixer(2);
    const auto voice = rampVoice(8);  // 4 stereo frames
    mixer.play(voice, false);
    EXPECT_EQ(mixed(mixer, 1), (std::vector<std::int16_t>{1, 2}));
    mixer.stop(*voice);
    mixer.play(voice, false);
    EXPECT_EQ(mixed(mixer, 2), (std::vector<std::int16_t>{1, 2, 3, 4}));
    // Playing a voice that is playing restarts it; it is not mixed twice.
    mixer.play(voice, false);
    EXPECT_EQ(mixed(mixer, 5), (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 0, 0}));
}

TEST(SoundMixer, VoicesAreSummedAndClipped) {
    SoundMixer mixer(1);
    const auto loud = std::make_shared<SoundVoice>(std::vector<std::int16_t>{30000, -30000, 100});
    const auto louder =
        std::make_shared<SoundVoice>(std::vector<std::int16_t>{30000, -30000, -300});
    mixer.play(loud, false);
    mixer.play(louder, false);
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{32767, -32768, -200, 0}));
}

TEST(SoundMixer, LongRequestsAreMixedInPasses) {
    SoundMixer mixer(2);
    const auto voice = rampVoice(7000, -3500);
    mixer.play(voice, true);
    const std::vector<std::int16_t> out = mixed(mixer, 10000);
    for (std::size_t n = 0; n < out.size(); ++n) {
        ASSERT_EQ(out[n], static_cast<std::int16_t>(-3500 + static_cast<int>(n % 7000))) << n;
    }
}

TEST(SoundMixer, StopAllSilencesEverything) {
    SoundMixer mixer(1);
    const auto a = rampVoice(4);
    const auto b = rampVoice(4);
    mixer.play(a, true);
    mixer.play(b, false);
    mixer.stopAll();
    EXPECT_FALSE(mixer.isPlaying(*a));
    EXPECT_FALSE(mixer.isPlaying(*b));
    EXPECT_EQ(mixed(mixer, 2), (std::vector<std::int16_t>{0, 0}));
}

TEST(SoundMixer, VoicesComeAndGoWhileAnotherThreadMixes) {
    SoundMixer mixer(2);
    std::atomic<bool> done = false;
    std::thread audio([&] {
        std::vector<std::int16_t> out(2 * 256);
        while (!done) {
            mixer.mix(out.data(), 256);
        }
    });
    for (int round = 0; round < 3000; ++round) {
        auto voice = std::make_shared<SoundVoice>(std::vector<std::int16_t>(600, 1000));
        mixer.play(voice, round % 2 == 0);
        if (round % 3 != 0) {
            std::this_thread::yield();
        }
        // Released while it may be playing, as a sound buffer does.
        mixer.stop(*voice);
        voice.reset();
    }
    done = true;
    audio.join();
    std::vector<std::int16_t> out(2 * 16);
    mixer.mix(out.data(), 16);
    EXPECT_EQ(out, std::vector<std::int16_t>(32, 0));
    EXPECT_GT(mixer.mixedFrames(), 0u);
}

}  // namespace
}  // namespace banmen
