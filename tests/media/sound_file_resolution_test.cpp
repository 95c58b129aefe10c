// The sound file resolution: a game sound is found by its name, then its
// file is looked for in six places in order, so that a sound imported as
// WAV also plays from an MP3 of the same title and the other way round.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound_files.h"
#include "model/text_field.h"
#include "support/test_support.h"

namespace banmen {
namespace {

class SoundFileResolution : public ::testing::Test {
  protected:
    void SetUp() override {
        record_ = std::make_unique<GameRecord>();
        game_ = dir_.file("game");
        sounds_ = game_ + "/Sound Files";
        defaults_ = dir_.file("default sounds");
        std::filesystem::create_directories(sounds_);
        std::filesystem::create_directories(defaults_);
    }

    void setSound(int index, std::string_view name, std::string_view file, std::int32_t repeat) {
        SoundDef& sound = record_->sounds[index];
        storeFieldText(sound.name, 62, name);
        storeFieldText(sound.fileName, 62, file);
        sound.repeat = repeat;
    }

    ResolvedSound resolve(std::string_view name, std::string_view file) const {
        return ResolveSoundFile(*record_, name, game_, file, defaults_);
    }

    test::TempDir dir_;
    std::unique_ptr<GameRecord> record_;
    std::string game_;
    std::string sounds_;
    std::string defaults_;
};

TEST_F(SoundFileResolution, SixCandidatesInOrder) {
    setSound(4, "jingle", "tune.snd", 1);
    const std::vector<std::string> candidates = {
        sounds_ + "/tune.snd",   defaults_ + "/tune.snd", sounds_ + "/tune.mp3",
        defaults_ + "/tune.mp3", sounds_ + "/tune.wav",   defaults_ + "/tune.wav",
    };
    for (const std::string& path : candidates) {
        test::writeBytes(path, {1});
    }
    for (const std::string& expected : candidates) {
        const ResolvedSound found = resolve("jingle", "tune.snd");
        EXPECT_EQ(found.index, 4);
        EXPECT_EQ(found.path, expected);
        std::filesystem::remove(expected);
    }
    const ResolvedSound none = resolve("jingle", "tune.snd");
    EXPECT_EQ(none.index, -1);
    EXPECT_TRUE(none.path.empty());
}

TEST_F(SoundFileResolution, WavImportPlaysFromAnMp3OfTheSameTitleAndBack) {
    setSound(0, "a", "a.wav", 0);
    setSound(1, "b", "b.mp3", 0);
    test::writeBytes(sounds_ + "/a.mp3", {1});
    test::writeBytes(defaults_ + "/b.wav", {1});
    EXPECT_EQ(resolve("a", "a.wav").path, sounds_ + "/a.mp3");
    EXPECT_EQ(resolve("b", "b.mp3").path, defaults_ + "/b.wav");
}

TEST_F(SoundFileResolution, TheSoundIsFoundByName) {
    setSound(2, "twice", "x.wav", 1);
    setSound(7, "twice", "y.wav", 1);
    test::writeBytes(sounds_ + "/z.wav", {1});
    // The first sound of that name; the file name is the one given.
    const ResolvedSound found = resolve("twice", "z.wav");
    EXPECT_EQ(found.index, 2);
    EXPECT_EQ(found.path, sounds_ + "/z.wav");
    EXPECT_EQ(resolve("unknown", "z.wav").index, -1);
    EXPECT_EQ(resolve("", "z.wav").index, -1);
}

TEST_F(SoundFileResolution, ShiftJisFileNamesFindUtf8Files) {
    setSound(0, "\x83\x51\x81\x5b\x83\x80", "\x89\xb9.wav", 1);  // "ゲーム", "音.wav"
    test::writeBytes(defaults_ + "/\xe9\x9f\xb3.mp3", {1});      // "音.mp3"
    const ResolvedSound found = resolve("\x83\x51\x81\x5b\x83\x80", "\x89\xb9.wav");
    EXPECT_EQ(found.index, 0);
    EXPECT_EQ(found.path, defaults_ + "/\xe9\x9f\xb3.mp3");
}

TEST_F(SoundFileResolution, GameSoundsNeedANameAFileAndAFoundFile) {
    setSound(0, "music", "Game1.mp3", 0);
    setSound(3, "normal", "Normal.mp3", 1);
    setSound(5, "nofile", "", 1);
    setSound(6, "missing", "Missing.mp3", 1);
    test::writeBytes(defaults_ + "/Game1.mp3", {1});
    test::writeBytes(sounds_ + "/Normal.wav", {1});
    test::writeBytes(sounds_ + "/.mp3", {1});  // what an empty file name would try
    const std::vector<GameSoundFile> files = GameSoundFiles(*record_, game_, defaults_);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].index, 0);
    EXPECT_EQ(files[0].path, defaults_ + "/Game1.mp3");
    EXPECT_EQ(files[0].repeat, 0);
    EXPECT_EQ(files[1].index, 3);
    EXPECT_EQ(files[1].path, sounds_ + "/Normal.wav");
    EXPECT_EQ(files[1].repeat, 1);
}

}  // namespace
}  // namespace banmen
