// Loading sounds (read, decode, convert once for the device) against the
// time the sound plays. The counter "x_realtime" is the playing time over
// the median load time; the aim is at least 200. "Load" goes through a
// sound buffer on SDL's dummy audio driver (44.1 kHz stereo output);
// "Decode" stops before the conversion for the device.
//
// The MP3 files are our default sounds in the build's "Sound Files"; the
// WAVE files are written at start-up: 10 s of tone in several formats.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "media/sound_buffer.h"
#include "media/sound_decoder.h"
#include "media/sound_device.h"
#include "media/sound_test_support.h"
#include "platform/base_folder.h"
#include "support/test_support.h"

namespace banmen {
namespace {

enum class Stage { load, decode };

// 10 s of sound in each format, written once.
struct WaveFiles {
    WaveFiles();

    test::TempDir dir;
    std::string pcm16Stereo44;
    std::string pcm16Mono22;
    std::string pcm8Mono11;
    std::string imaAdpcmMono22;
    std::string ulawMono8;
};

WaveFiles::WaveFiles() {
    pcm16Stereo44 = dir.file("pcm16-stereo-44k.wav");
    test::writeBytes(pcm16Stereo44,
                     test::pcm16Wave(test::tone(441000, 2, 44100, 440, 0.5), 2, 44100));
    pcm16Mono22 = dir.file("pcm16-mono-22k.wav");
    test::writeBytes(pcm16Mono22,
                     test::pcm16Wave(test::tone(220500, 1, 22050, 440, 0.5), 1, 22050));
    std::mt19937 random(3);
    pcm8Mono11 = dir.file("pcm8-mono-11k.wav");
    std::vector<std::uint8_t> bytes(110250);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(96 + random() % 64);
    }
    test::writeBytes(pcm8Mono11, test::waveFile({{"fmt ", test::formatBody(1, 1, 11025, 8, 1)},
                                                 {"data", bytes}}));
    // IMA ADPCM: 505 samples per 256-byte block; any codes are valid.
    imaAdpcmMono22 = dir.file("ima-mono-22k.wav");
    std::vector<std::uint8_t> blocks(437 * 256);
    for (std::size_t n = 0; n < blocks.size(); ++n) {
        blocks[n] = n % 256 < 4 ? 0 : static_cast<std::uint8_t>(random());
    }
    test::writeBytes(
        imaAdpcmMono22,
        test::waveFile({{"fmt ", test::formatBody(0x11, 1, 22050, 4, 256, {2, 0, 0xF9, 0x01})},
                        {"data", blocks}}));
    ulawMono8 = dir.file("ulaw-mono-8k.wav");
    std::vector<std::uint8_t> law(80000);
    for (auto& b : law) {
        b = static_cast<std::uint8_t>(random());
    }
    test::writeBytes(
        ulawMono8,
        test::waveFile({{"fmt ", test::formatBody(7, 1, 8000, 8, 1, {0, 0})}, {"data", law}}));
}

const WaveFiles& waveFiles() {
    static const WaveFiles files;
    return files;
}

bool openDevice() {
    static const bool open = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        return OpenSoundDevice();
    }();
    return open;
}

double median(std::vector<double>& values) {
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void BM_Sound(benchmark::State& state, Stage stage, std::string path) {
    if (path.front() != '/') {
        path = BaseFolder() + "/Sound Files/" + path;
    }
    if (stage == Stage::load && !openDevice()) {
        state.SkipWithError("no audio device (SDL dummy driver)");
        return;
    }
    DecodedSound probe;
    if (!DecodeSoundFile(path, probe)) {
        state.SkipWithError(("cannot decode " + path).c_str());
        return;
    }
    const double playSeconds =
        static_cast<double>(probe.frameCount()) / static_cast<double>(probe.format.rate);
    std::vector<double> seconds;
    bool ok = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (stage == Stage::load) {
            SoundBuffer buffer;
            ok = buffer.Load(path) && ok;
            benchmark::DoNotOptimize(buffer);
        } else {
            DecodedSound sound;
            ok = DecodeSoundFile(path, sound).isOk() && ok;
            benchmark::DoNotOptimize(sound.samples.data());
        }
        const auto end = std::chrono::steady_clock::now();
        const double elapsed = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
    }
    if (!ok) {
        state.SkipWithError("a load failed");
        return;
    }
    const double loadSeconds = median(seconds);
    state.counters["play_s"] = playSeconds;
    state.counters["median_ms"] = loadSeconds * 1e3;
    state.counters["x_realtime"] = loadSeconds > 0 ? playSeconds / loadSeconds : 0;
}

void registerAll() {
    const WaveFiles& wav = waveFiles();
    const std::pair<const char*, std::string> sounds[] = {
        {"mp3_Game1_16s", "Game1.mp3"},
        {"mp3_Menu_8s", "Menu.mp3"},
        {"mp3_Goal_2s", "Goal.mp3"},
        {"mp3_Click", "Click.mp3"},
        {"wav_pcm16_stereo_44k", wav.pcm16Stereo44},
        {"wav_pcm16_mono_22k", wav.pcm16Mono22},
        {"wav_pcm8_mono_11k", wav.pcm8Mono11},
        {"wav_ima_adpcm_22k", wav.imaAdpcmMono22},
        {"wav_ulaw_8k", wav.ulawMono8},
    };
    for (const auto& [name, path] : sounds) {
        for (const Stage stage : {Stage::load, Stage::decode}) {
            const std::string title =
                std::string(stage == Stage::load ? "BM_SoundLoad/" : "BM_SoundDecode/") + name;
            benchmark::RegisterBenchmark(title.c_str(), BM_Sound, stage, path)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

[[maybe_unused]] const bool registered = (registerAll(), true);

}  // namespace
}  // namespace banmen
