#include "model/workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "model/default_folders.h"
#include "model/packed_block.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

class CountingOwner : public RecordOwner {
  public:
    int replaced = 0;

  protected:
    void RecordReplaced() override { ++replaced; }
};

std::vector<std::uint8_t> bytesOf(const GameRecord& record) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
    return {p, p + sizeof record};
}

std::vector<std::uint8_t> packed(const GameRecord& record) {
    std::vector<std::uint8_t> out(Pack(1, &record, sizeof record, nullptr));
    out.resize(Pack(1, &record, sizeof record, out.data()));
    return out;
}

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("BANMEN_HOME", home.path().c_str(), 1);
        setDefaultImageFolderProvider(nullptr);
        setWriteBudgetForTesting(-1);
    }
    void TearDown() override {
        setWriteBudgetForTesting(-1);
        unsetenv("BANMEN_HOME");
    }

    bool recordIs(const GameRecord& expected) {
        return std::memcmp(&owner.record(), &expected, sizeof expected) == 0;
    }

    test::TempDir home;
    test::TempDir dir;
    CountingOwner owner;
    test::CapturingNotifier notifier;
    Workspace workspace{owner, notifier};
};

TEST_F(WorkspaceTest, OpensACurrentWorkspaceFileWhateverTheCaseOfItsExtension) {
    GameRecord full = test::fullRecord();
    test::writeBytes(dir.file("Game.SGW"), bytesOf(full));
    owner.setModified(true);
    ASSERT_TRUE(workspace.OpenFile(dir.file("Game.SGW")));
    EXPECT_TRUE(recordIs(full));
    EXPECT_FALSE(owner.modified());
    EXPECT_EQ(owner.folder(), dir.path());
    EXPECT_EQ(workspace.location().folder, dir.path());
    EXPECT_EQ(workspace.location().fileName, "Game.SGW");
    EXPECT_EQ(workspace.location().gameFileName, "Game.sgr");
    EXPECT_EQ(workspace.location().projectFileName, "Game.sgp");
    EXPECT_EQ(owner.replaced, 1);
    EXPECT_TRUE(notifier.notices.empty());
}

TEST_F(WorkspaceTest, AWorkspaceFileOfAnyOtherSizeFailsWithoutMessageAndChangesNothing) {
    GameRecord before = owner.record();
    std::vector<std::uint8_t> bytes = bytesOf(test::fullRecord());
    for (std::size_t size : {std::size_t{0}, std::size_t{16}, kGameRecordSize - 1,
                             kGameRecordSize + 1, kPreviousWorkspaceSize - 1}) {
        std::vector<std::uint8_t> cut = bytes;
        cut.resize(size, 0);
        test::writeBytes(dir.file("bad.sgw"), cut);
        Status opened = workspace.OpenFile(dir.file("bad.sgw"));
        EXPECT_FALSE(opened) << size;
        EXPECT_NE(opened.reason().find("wrong size"), std::string::npos) << opened.reason();
    }
    EXPECT_TRUE(recordIs(before));
    EXPECT_TRUE(notifier.notices.empty());
    EXPECT_EQ(owner.replaced, 0);
}

TEST_F(WorkspaceTest, MissingFilesAndUnknownExtensionsAreTold) {
    EXPECT_FALSE(workspace.OpenFile(dir.file("none.sgw")));
    test::writeText(dir.file("game.txt"), "x");
    EXPECT_FALSE(workspace.OpenFile(dir.file("game.txt")));
    ASSERT_EQ(notifier.notices.size(), 2u);
    EXPECT_EQ(notifier.notices[0].caption, "雙六（四季彩コレクション）");
    EXPECT_EQ(notifier.notices[0].text,
              "ファイルが見つかりませんでした。\n\n" + dir.file("none.sgw"));
    EXPECT_EQ(notifier.notices[0].icon, NoticeIcon::Information);
    EXPECT_EQ(notifier.notices[1].text,
              "未知のファイル拡張子が指定されました。\n\n" + dir.file("game.txt"));
}

TEST_F(WorkspaceTest, OpensAProjectFile) {
    GameRecord full = test::fullRecord();
    test::writeBytes(dir.file("Game.sgp"), packed(full));
    ASSERT_TRUE(workspace.OpenFile(dir.file("Game.sgp")));
    EXPECT_TRUE(recordIs(full));
    EXPECT_EQ(workspace.location().fileName, "Game.sgp");
}

TEST_F(WorkspaceTest, EveryCutOfAProjectFileFailsWithItsMessageAndChangesNothing) {
    GameRecord before = owner.record();
    std::vector<std::uint8_t> block = packed(test::fullRecord());
    for (std::size_t size = 0; size < block.size(); size += size < 64 ? 1 : 37) {
        test::writeBytes(dir.file("cut.sgp"),
                         {block.begin(), block.begin() + static_cast<long>(size)});
        ASSERT_FALSE(workspace.OpenFile(dir.file("cut.sgp"))) << size;
    }
    EXPECT_TRUE(recordIs(before));
    ASSERT_FALSE(notifier.notices.empty());
    EXPECT_EQ(notifier.notices.back().text,
              "ファイルを開けませんでした。\n\n" + dir.file("cut.sgp"));
}

TEST_F(WorkspaceTest, AProjectFileOfAnotherSizeOrMagicFails) {
    std::vector<std::uint8_t> data(1000, 7);
    std::vector<std::uint8_t> block(Pack(1, data.data(), data.size(), nullptr));
    block.resize(Pack(1, data.data(), data.size(), block.data()));
    test::writeBytes(dir.file("small.sgp"), block);
    Status opened = workspace.OpenFile(dir.file("small.sgp"));
    EXPECT_FALSE(opened);
    EXPECT_NE(opened.reason().find("1000"), std::string::npos) << opened.reason();

    std::vector<std::uint8_t> good = packed(test::fullRecord());
    good[0] ^= 1;
    test::writeBytes(dir.file("magic.sgp"), good);
    EXPECT_FALSE(workspace.OpenFile(dir.file("magic.sgp")));
    EXPECT_EQ(owner.replaced, 0);
}

// A previous-format file holding the fields of `record` at their places
// inside the larger blocks.
std::vector<std::uint8_t> previousFormatOf(const GameRecord& record) {
    std::vector<std::uint8_t> old(kPreviousWorkspaceSize, 0);
    const auto* r = reinterpret_cast<const std::uint8_t*>(&record);
    std::memcpy(old.data(), r, 264);
    struct Block {
        std::size_t oldBase, oldSize, base, size;
        int count;
    } blocks[] = {{264, 2412, 264, sizeof(GameSettings), 1},
                  {2676, 1324, 1908, sizeof(PlayerDef), 4},
                  {7972, 1156, 4132, sizeof(PlayerStateDef), 3},
                  {11440, 1166, 4720, sizeof(PlayerDataDef), 5},
                  {17276, 1008, 5756, sizeof(SquareDef), 200},
                  {218876, 400, 207356, sizeof(ImageDef), 300},
                  {338880, 392, 269760, sizeof(SoundDef), 20}};
    for (const Block& b : blocks) {
        for (int i = 0; i < b.count; ++i) {
            std::memcpy(old.data() + b.oldBase + b.oldSize * static_cast<std::size_t>(i),
                        r + b.base + b.size * static_cast<std::size_t>(i), b.size);
        }
    }
    return old;
}

TEST_F(WorkspaceTest, APreviousFormatFileOpensWithEndConditionZero) {
    GameRecord full = test::fullRecord();
    full.settings.endCondition = 2;
    std::vector<std::uint8_t> old = previousFormatOf(full);
    // Bytes in the larger blocks' extra room and in reserved areas are not
    // carried over.
    old[2676 + 1000] = 0xAA;
    old[264 + 1308] = 0xBB;
    test::writeBytes(dir.file("old.sgw"), old);
    ASSERT_TRUE(workspace.OpenFile(dir.file("old.sgw")));
    full.settings.endCondition = 0;
    EXPECT_TRUE(recordIs(full));
}

TEST_F(WorkspaceTest, PreviousFormatTextsWithoutTerminatorAreCutAtTheirLimit) {
    GameRecord full = test::fullRecord();
    std::vector<std::uint8_t> old = previousFormatOf(full);
    std::memset(old.data() + 17276, 'n', 64);  // square 0's name fills its width
    test::writeBytes(dir.file("old.sgw"), old);
    ASSERT_TRUE(workspace.OpenFile(dir.file("old.sgw")));
    EXPECT_EQ(std::string(owner.record().squares[0].name), std::string(62, 'n'));
    EXPECT_EQ(owner.record().squares[0].name[63], '\0');
}

TEST_F(WorkspaceTest, ImportingOneNameThriceNumbersTheCopies) {
    workspace.setLocation({dir.file("ws"), "a.sgw", "a.sgr", "a.sgp"});
    test::writeText(dir.file("pic.bmp"), "picture");
    std::string stored;
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(workspace.CopyIntoWorkspace(dir.file("pic.bmp"), kImageFolderName, stored));
        names.push_back(stored);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"pic.bmp", "pic(1).bmp", "pic(2).bmp"}));
    EXPECT_EQ(test::readBytes(dir.file("ws/Image Files/pic(2).bmp")).size(), 7u);

    // A file already inside the media folder is not copied again.
    ASSERT_TRUE(workspace.CopyIntoWorkspace(dir.file("ws/Image Files/pic(1).bmp"), kImageFolderName,
                                            stored));
    EXPECT_EQ(stored, "pic(1).bmp");
    EXPECT_FALSE(test::exists(dir.file("ws/Image Files/pic(1)(1).bmp")));
}

TEST_F(WorkspaceTest, ImportStoresShiftJisNamesAndRefusesNamesThatDoNotFit) {
    workspace.setLocation({dir.file("ws"), "a.sgw", "a.sgr", "a.sgp"});
    std::string stored = "unchanged";
    test::writeText(dir.file("森の道.wav"), "w");
    ASSERT_TRUE(workspace.CopyIntoWorkspace(dir.file("森の道.wav"), kSoundFolderName, stored));
    EXPECT_EQ(stored, sjis::lit("森の道.wav"));
    EXPECT_TRUE(test::exists(dir.file("ws/Sound Files/森の道.wav")));

    stored = "unchanged";
    std::string longName = std::string(59, 'x') + ".bmp";  // 63 bytes
    test::writeText(dir.file(longName), "x");
    EXPECT_FALSE(workspace.CopyIntoWorkspace(dir.file(longName), kImageFolderName, stored));
    test::writeText(dir.file("smile😀.bmp"), "x");
    EXPECT_FALSE(workspace.CopyIntoWorkspace(dir.file("smile😀.bmp"), kImageFolderName, stored));
    EXPECT_FALSE(workspace.CopyIntoWorkspace(dir.file("none.bmp"), kImageFolderName, stored));
    EXPECT_EQ(stored, "unchanged");
    EXPECT_FALSE(test::exists(dir.file("ws/Image Files/" + longName)));

    // 58 + ".bmp" fits, but its numbered copy "(1)" would not.
    std::string edge = std::string(58, 'y') + ".bmp";
    test::writeText(dir.file(edge), "y");
    EXPECT_TRUE(workspace.CopyIntoWorkspace(dir.file(edge), kImageFolderName, stored));
    EXPECT_FALSE(workspace.CopyIntoWorkspace(dir.file(edge), kImageFolderName, stored));
}

TEST_F(WorkspaceTest, CreateWithoutPictureKeepsTheDefaults) {
    ASSERT_TRUE(workspace.CreateWorkspace("夏の雙六", "", dir.file("summer")));
    EXPECT_EQ(std::string(owner.record().settings.title), sjis::lit("夏の雙六"));
    EXPECT_EQ(owner.record().settings.gamePicture, -1);
    EXPECT_EQ(owner.record().images[0].name[0], '\0');
    EXPECT_EQ(workspace.location().fileName, "夏の雙六.sgw");
    EXPECT_EQ(workspace.location().gameFileName, "夏の雙六.sgr");
    EXPECT_EQ(workspace.location().folder, dir.file("summer"));
    EXPECT_FALSE(owner.modified());
    EXPECT_EQ(owner.replaced, 1);
}

TEST_F(WorkspaceTest, CreateWithPictureMakesItTheBoard) {
    test::writeText(dir.file("board.bmp"), "BM");
    ASSERT_TRUE(workspace.CreateWorkspace("g", dir.file("board.bmp"), dir.file("g")));
    const GameRecord& r = owner.record();
    EXPECT_EQ(r.settings.gamePicture, 0);
    EXPECT_EQ(std::string(r.images[0].name), sjis::lit("雙六絵柄"));
    EXPECT_EQ(std::string(r.images[0].fileName), "board.bmp");
    EXPECT_EQ(r.images[0].transparentColor, -1);
    EXPECT_TRUE(test::exists(dir.file("g/Image Files/board.bmp")));

    // A picture that cannot be copied is dropped.
    ASSERT_TRUE(workspace.CreateWorkspace("h", dir.file("none.bmp"), dir.file("h")));
    EXPECT_EQ(owner.record().settings.gamePicture, -1);
}

TEST_F(WorkspaceTest, CreateRefusesTitlesThatCannotBeStoredAndChangesNothing) {
    owner.record().settings.victoryCondition = 3;
    EXPECT_FALSE(workspace.CreateWorkspace("😀", "", dir.file("x")));
    EXPECT_FALSE(workspace.CreateWorkspace("a/b", "", dir.file("x")));
    EXPECT_FALSE(workspace.CreateWorkspace("", "", dir.file("x")));
    EXPECT_FALSE(workspace.CreateWorkspace(".", "", dir.file("x")));
    EXPECT_FALSE(workspace.CreateWorkspace("..", "", dir.file("x")));
    EXPECT_EQ(owner.record().settings.victoryCondition, 3);
}

TEST_F(WorkspaceTest, SaveInPlaceWritesTheRawRecordAndClearsTheModifiedFlag) {
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("g")));
    owner.SetText(*owner.field(ObjectKind::Game, 0, kFieldBankName), "bank");
    EXPECT_TRUE(owner.modified());
    ASSERT_TRUE(workspace.SaveWorkspace());
    EXPECT_FALSE(owner.modified());
    EXPECT_EQ(test::readBytes(dir.file("g/g.sgw")), bytesOf(owner.record()));

    CountingOwner other;
    Workspace reopened(other, notifier);
    ASSERT_TRUE(reopened.OpenFile(dir.file("g/g.sgw")));
    EXPECT_EQ(std::memcmp(&other.record(), &owner.record(), sizeof(GameRecord)), 0);
}

TEST_F(WorkspaceTest, AFailedSaveKeepsThePreviousFileAndTheModifiedFlag) {
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("g")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    std::vector<std::uint8_t> saved = test::readBytes(dir.file("g/g.sgw"));
    owner.SetText(*owner.field(ObjectKind::Game, 0, kFieldBankName), "changed");

    setWriteBudgetForTesting(100000);  // the disk fills in the middle of the write
    Status result = workspace.SaveWorkspace();
    setWriteBudgetForTesting(-1);
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason().find("No space left on device"), std::string::npos)
        << result.reason();
    EXPECT_TRUE(owner.modified());
    EXPECT_EQ(test::readBytes(dir.file("g/g.sgw")), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("g")), fs::directory_iterator()), 1);
}

TEST_F(WorkspaceTest, SavingUnderANewFolderCarriesTheMediaAndRemovesTheOldFolder) {
    test::writeText(dir.file("board.bmp"), "BM");
    ASSERT_TRUE(workspace.CreateWorkspace("g", dir.file("board.bmp"), dir.file("old")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    fs::create_directories(dir.file("old/Sound Files"));
    test::writeText(dir.file("old/Sound Files/bgm.mp3"), "mp3");

    ASSERT_TRUE(workspace.SaveWorkspace(dir.file("new/place/renamed.sgw")));
    EXPECT_FALSE(test::exists(dir.file("old")));
    EXPECT_TRUE(test::exists(dir.file("new/place/Image Files/board.bmp")));
    EXPECT_TRUE(test::exists(dir.file("new/place/Sound Files/bgm.mp3")));
    EXPECT_EQ(test::readBytes(dir.file("new/place/renamed.sgw")), bytesOf(owner.record()));
    EXPECT_EQ(workspace.location().folder, dir.file("new/place"));
    EXPECT_EQ(workspace.location().fileName, "renamed.sgw");
    EXPECT_EQ(workspace.location().gameFileName, "renamed.sgr");
    EXPECT_EQ(owner.folder(), dir.file("new/place"));
}

TEST_F(WorkspaceTest, AFailedCopyToANewFolderDeletesNothing) {
    test::writeText(dir.file("board.bmp"), std::string(50000, 'b'));
    ASSERT_TRUE(workspace.CreateWorkspace("g", dir.file("board.bmp"), dir.file("old")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    owner.setModified(true);

    setWriteBudgetForTesting(20000);
    Status result = workspace.SaveWorkspace(dir.file("new/g.sgw"));
    setWriteBudgetForTesting(-1);
    EXPECT_FALSE(result);
    EXPECT_TRUE(owner.modified());
    EXPECT_TRUE(test::exists(dir.file("old/g.sgw")));
    EXPECT_EQ(test::readBytes(dir.file("old/Image Files/board.bmp")).size(), 50000u);
    EXPECT_EQ(workspace.location().folder, dir.file("old"));
}

TEST_F(WorkspaceTest, LinkedMediaFoldersAreCopiedAsWhatTheyPointTo) {
    test::TempDir shared;
    fs::create_directories(shared.file("pictures"));
    fs::create_directories(shared.file("sounds"));
    test::writeText(shared.file("pictures/board.bmp"), "BM board");
    test::writeText(shared.file("sounds/bgm.mp3"), "mp3");
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("old")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    fs::create_directory_symlink(shared.file("pictures"), dir.file("old/Image Files"));
    fs::create_directory_symlink(shared.file("sounds"), dir.file("old/Sound Files"));

    ASSERT_TRUE(workspace.SaveWorkspace(dir.file("new/g.sgw")));
    EXPECT_FALSE(test::exists(dir.file("old")));
    EXPECT_FALSE(fs::is_symlink(dir.file("new/Image Files")));
    EXPECT_EQ(test::readText(dir.file("new/Image Files/board.bmp")), "BM board");
    EXPECT_EQ(test::readText(dir.file("new/Sound Files/bgm.mp3")), "mp3");
    // What the links pointed to stays where it was.
    EXPECT_EQ(test::readText(shared.file("pictures/board.bmp")), "BM board");
}

TEST_F(WorkspaceTest, ACopyThatLosesAFileKeepsTheOldWorkspace) {
    // Same-sized pictures of the same name in both media folders; in the
    // target, "Sound Files" is a link to "Image Files", so the second copy
    // overwrites the first and only the comparison can tell.
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("old")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    fs::create_directories(dir.file("old/Image Files"));
    fs::create_directories(dir.file("old/Sound Files"));
    test::writeText(dir.file("old/Image Files/x.bmp"), "picture");
    test::writeText(dir.file("old/Sound Files/x.bmp"), "sounds!");
    fs::create_directories(dir.file("new/Image Files"));
    fs::create_directory_symlink(dir.file("new/Image Files"), dir.file("new/Sound Files"));
    owner.setModified(true);

    Status result = workspace.SaveWorkspace(dir.file("new/g.sgw"));
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason().find("the copy is incomplete"), std::string::npos) << result.reason();
    EXPECT_EQ(test::readText(dir.file("old/Image Files/x.bmp")), "picture");
    EXPECT_EQ(test::readText(dir.file("old/Sound Files/x.bmp")), "sounds!");
    EXPECT_TRUE(test::exists(dir.file("old/g.sgw")));
    EXPECT_EQ(workspace.location().folder, dir.file("old"));
    EXPECT_TRUE(owner.modified());
}

TEST_F(WorkspaceTest, ALinkThatCannotBeCopiedFailsAndLeavesNoHalfCopy) {
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("ws")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    fs::create_directories(dir.file("ws/Image Files"));
    fs::create_directory_symlink(dir.file("ws"), dir.file("ws/Image Files/loop"));
    EXPECT_FALSE(workspace.SaveWorkspace(dir.file("other/g.sgw")));
    EXPECT_FALSE(test::exists(dir.file("other")));
    EXPECT_TRUE(test::exists(dir.file("ws/g.sgw")));
}

TEST_F(WorkspaceTest, ASiblingFolderWhoseNameStartsLikeTheWorkspacesIsNotInsideIt) {
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("ws")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    ASSERT_TRUE(workspace.SaveWorkspace(dir.file("ws2/g.sgw")));
    EXPECT_TRUE(test::exists(dir.file("ws2/g.sgw")));
    EXPECT_FALSE(test::exists(dir.file("ws")));
}

TEST_F(WorkspaceTest, SavingIntoAFolderInsideTheWorkspaceIsRefused) {
    ASSERT_TRUE(workspace.CreateWorkspace("g", "", dir.file("ws")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    EXPECT_FALSE(workspace.SaveWorkspace(dir.file("ws/inner/g.sgw")));
    EXPECT_TRUE(test::exists(dir.file("ws/g.sgw")));
    EXPECT_FALSE(test::exists(dir.file("ws/inner")));
}

TEST_F(WorkspaceTest, SavingAWorkspaceOpenedFromAProjectFileWritesAWorkspaceFileBesideIt) {
    GameRecord full = test::fullRecord();
    std::vector<std::uint8_t> block = packed(full);
    test::writeBytes(dir.file("Game.sgp"), block);
    ASSERT_TRUE(workspace.OpenFile(dir.file("Game.sgp")));
    ASSERT_TRUE(workspace.SaveWorkspace());
    EXPECT_EQ(test::readBytes(dir.file("Game.sgp")), block);
    EXPECT_EQ(test::readBytes(dir.file("Game.sgw")), bytesOf(full));
    EXPECT_EQ(workspace.location().fileName, "Game.sgw");
}

TEST_F(WorkspaceTest, CloseRestoresTheDefaultsAndKeepsTheFolder) {
    GameRecord full = test::fullRecord();
    test::writeBytes(dir.file("Game.sgw"), bytesOf(full));
    ASSERT_TRUE(workspace.OpenFile(dir.file("Game.sgw")));
    owner.setModified(true);
    workspace.CloseWorkspace();
    EXPECT_TRUE(recordIs(test::defaultRecord()));
    EXPECT_FALSE(owner.modified());
    EXPECT_EQ(owner.folder(), dir.path());
    EXPECT_EQ(owner.replaced, 2);
}

}  // namespace
}  // namespace banmen
