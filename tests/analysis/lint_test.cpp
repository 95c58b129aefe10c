// The linter's findings on small boards made here: each code where its fault
// is, nothing on a clean board.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "analysis/lint.h"
#include "analysis_test_support.h"
#include "media/bmp_writer.h"
#include "model/game_build.h"
#include "platform/sjis.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::putText;
using test::TempDir;

// "code:object" for each finding, the object as s/p/i/n and its index.
std::vector<std::string> summary(const std::vector<Finding>& findings) {
    std::vector<std::string> out;
    for (const Finding& f : findings) {
        std::string text(findingCodeName(f.code));
        const std::pair<char, std::int32_t> places[] = {
            {'s', f.square}, {'p', f.player}, {'i', f.image}, {'n', f.sound}};
        for (const auto& [letter, index] : places) {
            if (index >= 0) {
                text += std::string(":") + letter + std::to_string(index);
            }
        }
        out.push_back(text);
    }
    return out;
}

void writePicture(const std::string& path, std::int32_t width, std::int32_t height) {
    BitmapInfo info;
    info.width = width;
    info.height = height;
    info.bitCount = 24;
    const std::vector<std::uint8_t> bits(DibStride(width, 24) * static_cast<std::size_t>(height));
    const std::vector<std::uint8_t> packed = PackDib(info, bits.data());
    ASSERT_TRUE(WriteTwoBlocks(path, BmpFileHeader(info, packed.size()), packed));
}

void addImage(GameRecord& r, int m, std::string_view name, std::string_view file) {
    putText(r.images[m].name, kNameMax, name);
    putText(r.images[m].fileName, kNameMax, file);
}

void addSound(GameRecord& r, int n, std::string_view name, std::string_view file) {
    putText(r.sounds[n].name, kNameMax, name);
    putText(r.sounds[n].fileName, kNameMax, file);
}

class LintTest : public ::testing::Test {
  protected:
    LintTest() {
        test::cleanLine(b_, 5, 2);
        std::filesystem::create_directories(dir_.file("Image Files"));
        std::filesystem::create_directories(dir_.file("Sound Files"));
        std::filesystem::create_directories(dir_.file("defaults/images"));
        std::filesystem::create_directories(dir_.file("defaults/sounds"));
    }

    GameMedia media() const {
        return GameMedia::inFolder(dir_.path(), dir_.file("defaults/images"),
                                   dir_.file("defaults/sounds"));
    }
    std::vector<std::string> lint() { return summary(LintGame(b_.r(), media())); }

    GameBuilder b_;
    TempDir dir_;
};

TEST_F(LintTest, ACleanBoardWithItsMediaHasNoFinding) {
    writePicture(dir_.file("Image Files/board.bmp"), 800, 600);
    writePicture(dir_.file("defaults/images/piece.bmp"), 32, 32);
    test::writeText(dir_.file("Sound Files/step.wav"), "RIFF");
    test::writeText(dir_.file("defaults/sounds/Goal.mp3"), "ID3");
    addImage(b_.r(), 0, "board", "board.bmp");
    addImage(b_.r(), 1, "piece", "piece.bmp");  // found in the default folder
    addSound(b_.r(), 0, "step", "step.wav");
    addSound(b_.r(), 8, "goal", "Goal.wav");  // found by its title as .mp3
    b_.r().settings.gamePicture = 0;
    b_.r().players[0].picture = 1;
    b_.r().squares[5].sound = 8;
    EXPECT_TRUE(lint().empty()) << testing::PrintToString(lint());
}

TEST_F(LintTest, TheShapeOfTheBoard) {
    GameRecord& r = b_.r();
    r.settings.playerCount = 4;
    r.players[2].startSquare = -1;  // noStart
    r.players[3].startSquare = 10;  // noGoal: 10 and 11 only lead to each other
    b_.square(10, kSquareNormal, {11});
    b_.square(11, kSquareNormal, {10});
    putText(r.squares[10].description, kNameMax, "a");
    putText(r.squares[11].description, kNameMax, "b");
    b_.square(20, kSquareNormal, {1});  // unreachable, without a description
    b_.square(3, kSquareNormal);        // deadEnd in the middle of the race
    putText(r.squares[3].description, kNameMax, "c");
    r.squares[2].nextSquares[1] = 4;  // a way round the dead end
    b_.square(6, kSquareRetire);      // no next square, but the race ends there
    putText(r.squares[6].description, kNameMax, "d");
    r.squares[1].nextSquares[1] = 6;
    // jumpLoop: 4 -> 5 is fine (5 is the goal, which has no arrival jump),
    // but 30 -> 31 -> 30 and 32 -> 32 are circles.
    for (int s : {30, 31, 32}) {
        b_.square(s, kSquareNormal, {5});
        putText(r.squares[s].description, kNameMax, "e");
        r.squares[4].dieJumps[s - 30] = s;
    }
    r.squares[30].arrivalJump = 31;
    r.squares[31].arrivalJump = 30;
    r.squares[32].arrivalJump = 32;
    r.squares[4].arrivalJump = 5;

    EXPECT_EQ(lint(), (std::vector<std::string>{"noStart:p2", "noGoal:s10:p3", "unreachable:s20",
                                                "deadEnd:s3", "jumpLoop:s30", "jumpLoop:s32",
                                                "noDescription:s20"}));
}

TEST_F(LintTest, ReferencesToFreeSlots) {
    GameRecord& r = b_.r();
    r.settings.gamePicture = 7;    // a free image
    r.settings.music = 25;         // outside the sound slots
    r.players[1].startSquare = 9;  // a free square: also no start for the player
    r.squares[2].nextSquares[2] = 150;
    r.squares[3].dieJumps[5] = -7;
    r.squares[4].sound = 19;
    std::memset(&r.squares[199], 0, sizeof r.squares[199]);
    r.squares[199].picture = 3;  // a free square's references do not count

    const std::vector<Finding> findings = LintGame(r, media());
    EXPECT_EQ(summary(findings),
              (std::vector<std::string>{"noStart:p1", "freeReference", "freeReference",
                                        "freeReference:p1", "freeReference:s2", "freeReference:s3",
                                        "freeReference:s4"}));
    EXPECT_EQ(sjis::toUtf8Lossy(findings[4].message),
              "マス3 [S2] の次のマス３が使われていないマス151 を指しています");
    EXPECT_EQ(sjis::toUtf8Lossy(findings[2].message),
              "ゲーム全般 の音楽が範囲外の番号 25 を指しています");
}

TEST_F(LintTest, MediaThatIsMissingOrDoesNotLoad) {
    GameRecord& r = b_.r();
    writePicture(dir_.file("Image Files/small.bmp"), 640, 480);
    test::writeText(dir_.file("Image Files/broken.bmp"), "BM but not a picture");
    addImage(r, 0, "board", "small.bmp");  // badPicture: a board not 800 x 600
    addImage(r, 1, "piece", "small.bmp");  // any size is fine for other pictures
    addImage(r, 2, "gone", "gone.bmp");    // missingMedia
    addImage(r, 4, "broken", "broken.bmp");
    addImage(r, 5, "nameless", "");
    writePicture(dir_.file("outside.bmp"), 8, 8);
    addImage(r, 6, "escape", "../outside.bmp");  // only bare file names are looked for
    addSound(r, 3, "lost", "lost.mp3");
    r.settings.gamePicture = 0;

    const std::vector<Finding> findings = LintGame(r, media());
    EXPECT_EQ(summary(findings),
              (std::vector<std::string>{"missingMedia:i2", "missingMedia:i5", "missingMedia:i6",
                                        "missingMedia:n3", "badPicture:i0", "badPicture:i4"}));
    EXPECT_EQ(sjis::toUtf8Lossy(findings[4].message),
              "イメージ1 [board] は盤面の絵柄ですが、大きさが 640 × 480 です（800 × 600 "
              "にして下さい）");
}

TEST_F(LintTest, AGameFileIsCheckedAgainstTheMediaItHolds) {
    GameRecord& r = b_.r();
    writePicture(dir_.file("Image Files/board.bmp"), 800, 600);
    test::writeText(dir_.file("Sound Files/bgm.mp3"), "ID3");
    addImage(r, 0, "board", "board.bmp");
    addSound(r, 0, "bgm", "bgm.mp3");
    addSound(r, 1, "unused", "unused.mp3");  // not referenced: left out of the build
    r.settings.gamePicture = 0;
    r.settings.music = 0;
    WorkspaceLocation where;
    where.folder = dir_.path();
    where.projectFileName = "game.sgp";
    BuildReport built;
    ASSERT_TRUE(BuildGame(r, where, dir_.file("out/game.sgr"), built));
    std::filesystem::remove_all(dir_.file("Image Files"));
    std::filesystem::remove_all(dir_.file("Sound Files"));

    GameMedia media;
    ASSERT_TRUE(GameMedia::inGameFile(dir_.file("out/game.sgr"), dir_.file("defaults/images"),
                                      dir_.file("defaults/sounds"), media));
    EXPECT_EQ(summary(LintGame(r, media)), (std::vector<std::string>{"missingMedia:n1"}));
    EXPECT_FALSE(GameMedia::inGameFile(dir_.file("nothing.sgr"), "", "", media));
}

}  // namespace
}  // namespace banmen
