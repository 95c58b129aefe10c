// The sound file resolution: which file a game sound plays from.

#include "engine/sound_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "game_builder.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::putText;
using test::TempDir;

class SoundFilesTest : public ::testing::Test {
  protected:
    SoundFilesTest() {
        std::filesystem::create_directories(game.file("Sound Files"));
        std::filesystem::create_directories(defaults.file(""));
    }

    void touch(const std::string& path) { test::writeText(path, "x"); }

    ResolvedSound resolve(std::string_view nameUtf8, std::string_view fileName) {
        return ResolveSoundFile(b.r(), sjis::lit(nameUtf8), game.path(), fileName, defaults.path());
    }

    GameBuilder b;
    TempDir game;
    TempDir defaults;
};

TEST_F(SoundFilesTest, TriesTheGameThenTheDefaultFolderThenOtherExtensions) {
    // The new-game sounds: 3 is "普通サウンド" with "Normal.mp3".
    EXPECT_EQ(resolve("普通サウンド", "Normal.mp3").index, -1);

    touch(defaults.file("Normal.wav"));
    ResolvedSound found = resolve("普通サウンド", "Normal.mp3");
    EXPECT_EQ(found.index, 3);
    EXPECT_EQ(found.path, defaults.file("Normal.wav"));

    touch(game.file("Sound Files/Normal.wav"));
    EXPECT_EQ(resolve("普通サウンド", "Normal.mp3").path, game.file("Sound Files/Normal.wav"));

    touch(defaults.file("Normal.mp3"));
    EXPECT_EQ(resolve("普通サウンド", "Normal.mp3").path, defaults.file("Normal.mp3"));

    touch(game.file("Sound Files/Normal.mp3"));
    EXPECT_EQ(resolve("普通サウンド", "Normal.mp3").path, game.file("Sound Files/Normal.mp3"));
}

TEST_F(SoundFilesTest, AWavGameSoundPlaysFromAnMp3OfTheSameTitle) {
    touch(game.file("Sound Files/bell.mp3"));
    putText(b.r().sounds[12].name, kNameMax, "鐘");
    putText(b.r().sounds[12].fileName, kNameMax, "bell.wav");
    const ResolvedSound found = resolve("鐘", "bell.wav");
    EXPECT_EQ(found.index, 12);
    EXPECT_EQ(found.path, game.file("Sound Files/bell.mp3"));
}

TEST_F(SoundFilesTest, TheNameFindsTheFirstSoundOfThatName) {
    touch(game.file("Sound Files/b.mp3"));
    putText(b.r().sounds[14].name, kNameMax, "同じ");
    putText(b.r().sounds[14].fileName, kNameMax, "a.mp3");
    putText(b.r().sounds[15].name, kNameMax, "同じ");
    putText(b.r().sounds[15].fileName, kNameMax, "b.mp3");
    const std::vector<GameSoundFile> files = GameSoundFiles(b.r(), game.path(), defaults.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].index, 14);
    EXPECT_EQ(files[0].path, game.file("Sound Files/b.mp3"));
    EXPECT_EQ(files[0].repeat, 1);
}

TEST_F(SoundFilesTest, OnlySoundsWithANameAndAFileAreLoaded) {
    touch(defaults.file("Game1.mp3"));
    touch(defaults.file("Goal.mp3"));
    touch(defaults.file("noext"));
    b.r().sounds[8].fileName[0] = 0;  // "ゴールサウンド" without a file
    putText(b.r().sounds[16].name, kNameMax, "x");
    putText(b.r().sounds[16].fileName, kNameMax, "noext");
    const std::vector<GameSoundFile> files = GameSoundFiles(b.r(), game.path(), defaults.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].index, 0);
    EXPECT_EQ(files[0].repeat, 0);  // background music loops
    EXPECT_EQ(files[1].index, 16);
    EXPECT_EQ(files[1].path, defaults.file("noext"));
}

TEST(SystemSoundsTest, NamesAndRepeats) {
    EXPECT_EQ(systemSoundFileName(SystemSound::Menu), "Menu.mp3");
    EXPECT_EQ(systemSoundFileName(SystemSound::Hanabi3), "Hanabi3.mp3");
    EXPECT_EQ(systemSoundRepeat(SystemSound::Menu), 0);
    EXPECT_EQ(systemSoundRepeat(SystemSound::Move), 1);
}

}  // namespace
}  // namespace banmen
