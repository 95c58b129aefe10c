// Every save, walked through every disk operation it makes with that
// operation failing (a full disk, a failing disk): each failure must be
// reported, and must leave what was on the disk before exactly as it was,
// with no temporary file left behind and nothing outside the target touched.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "media/bmp_writer.h"
#include "model/archive_reader.h"
#include "model/archive_writer.h"
#include "model/game_build.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/notifier.h"
#include "platform/settings/program_settings.h"
#include "support/fault_walk.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using test::snapshotTree;
using test::TreeSnapshot;

std::string bytesOf(const GameRecord& record) {
    return {reinterpret_cast<const char*>(&record), sizeof record};
}

class SaveFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TMPDIR", (scene + "/tmp").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (scene + "/config").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TMPDIR");
        unsetenv("XDG_CONFIG_HOME");
    }

    // A fresh scene: an old workspace with its media, a folder beside it
    // that no save may touch, and an empty temporary folder.
    void makeScene() {
        fs::remove_all(scene);
        fs::create_directories(scene + "/ws/Image Files");
        fs::create_directories(scene + "/ws/Sound Files");
        fs::create_directories(scene + "/beside");
        fs::create_directories(scene + "/tmp");
        test::writeText(scene + "/ws/game.sgw", bytesOf(*oldRecord));
        test::writeText(scene + "/ws/Image Files/a.bmp", "picture");
        test::writeText(scene + "/ws/Sound Files/s.wav", "sound");
        test::writeText(scene + "/beside/keep.txt", "keep");
    }

    // Opens the old workspace and changes its record.
    void openAndChange() {
        ASSERT_TRUE(workspace.OpenFile(scene + "/ws/game.sgw"));
        owner.replaceRecord(*newRecord);
        owner.setModified(true);
    }

    test::TempDir root;
    const std::string scene = root.file("scene");
    std::unique_ptr<GameRecord> oldRecord = std::make_unique<GameRecord>(test::defaultRecord());
    std::unique_ptr<GameRecord> newRecord = std::make_unique<GameRecord>(test::fullRecord());
    RecordOwner owner;
    SilentNotifier notifier;
    Workspace workspace{owner, notifier};
};

TEST_F(SaveFaults, SavingInPlace) {
    for (const int error : {ENOSPC, EIO}) {
        TreeSnapshot before;
        const std::uint64_t operations =
            test::walkFaults({[&] {
                                  makeScene();
                                  openAndChange();
                                  before = snapshotTree(scene);
                              },
                              [&] { return workspace.SaveWorkspace(); },
                              [&](const Status&) {
                                  EXPECT_EQ(snapshotTree(scene), before);
                                  EXPECT_TRUE(owner.modified());
                              }},
                             error);
        EXPECT_GE(operations, 4u);  // create, write, flush, rename, folder flush
        EXPECT_EQ(test::readText(scene + "/ws/game.sgw"), bytesOf(*newRecord));
        EXPECT_FALSE(owner.modified());
    }
}

TEST_F(SaveFaults, SavingAsIntoANewFolderMovesTheWorkspace) {
    const std::string target = scene + "/beside/new/place/moved.sgw";
    TreeSnapshot before;
    const std::uint64_t operations =
        test::walkFaults({[&] {
                              makeScene();
                              openAndChange();
                              before = snapshotTree(scene);
                          },
                          [&] { return workspace.SaveWorkspace(target); },
                          [&](const Status&) {
                              EXPECT_EQ(snapshotTree(scene), before);
                              EXPECT_EQ(workspace.location().folder, scene + "/ws");
                              EXPECT_TRUE(owner.modified());
                          }});
    // Three folders and two files copied, each flushed, then the record.
    EXPECT_GE(operations, 3 + 2 * 5 + 5u);
    EXPECT_FALSE(fs::exists(scene + "/ws"));
    EXPECT_EQ(test::readText(target), bytesOf(*newRecord));
    EXPECT_EQ(test::readText(scene + "/beside/new/place/Image Files/a.bmp"), "picture");
    EXPECT_EQ(test::readText(scene + "/beside/new/place/Sound Files/s.wav"), "sound");
    EXPECT_EQ(workspace.location().folder, scene + "/beside/new/place");
}

// Into a folder that holds another workspace: what the move copied may stay,
// but nothing that was there is lost and the old workspace is whole.
TEST_F(SaveFaults, SavingAsOverAnotherWorkspaceLosesNothing) {
    const std::string other = scene + "/beside/other";
    TreeSnapshot oldWorkspace;
    test::walkFaults(
        {[&] {
             makeScene();
             fs::create_directories(other + "/Image Files");
             test::writeText(other + "/moved.sgw", "the other workspace");
             test::writeText(other + "/Image Files/b.bmp", "its picture");
             openAndChange();
             oldWorkspace = snapshotTree(scene + "/ws");
         },
         [&] { return workspace.SaveWorkspace(other + "/moved.sgw"); },
         [&](const Status&) {
             EXPECT_EQ(snapshotTree(scene + "/ws"), oldWorkspace);
             EXPECT_EQ(test::readText(other + "/moved.sgw"), "the other workspace");
             EXPECT_EQ(test::readText(other + "/Image Files/b.bmp"), "its picture");
             EXPECT_EQ(test::readText(scene + "/beside/keep.txt"), "keep");
             EXPECT_EQ(test::temporaryNames(snapshotTree(scene)), std::vector<std::string>{});
             for (const auto& [path, content] : snapshotTree(other)) {
                 if (path.starts_with("Image Files/a") || path.starts_with("Sound Files/s")) {
                     EXPECT_EQ(content, path.starts_with("Image") ? "picture" : "sound") << path;
                 }
             }
         }});
    EXPECT_EQ(test::readText(other + "/moved.sgw"), bytesOf(*newRecord));
    EXPECT_EQ(test::readText(other + "/Image Files/b.bmp"), "its picture");
    EXPECT_FALSE(fs::exists(scene + "/ws"));
}

TEST_F(SaveFaults, WritingAProjectFile) {
    const std::string path = scene + "/ws/game.sgp";
    TreeSnapshot before;
    test::walkFaults({[&] {
                          makeScene();
                          test::writeText(path, "previous project");
                          before = snapshotTree(scene);
                      },
                      [&] { return WriteProjectFile(*newRecord, path); },
                      [&](const Status&) { EXPECT_EQ(snapshotTree(scene), before); }});
    auto read = std::make_unique<GameRecord>();
    ASSERT_TRUE(ReadProjectFile(*read, path));
    EXPECT_EQ(bytesOf(*read), bytesOf(*newRecord));
}

TEST_F(SaveFaults, BuildingAGameFile) {
    const std::string target = scene + "/out/game.sgr";
    WorkspaceLocation location;
    location.folder = scene + "/ws";
    location.setFileName("game.sgw");
    std::memcpy(oldRecord->images[0].fileName, "a.bmp", 6);
    oldRecord->settings.gamePicture = 0;
    TreeSnapshot before;
    test::walkFaults({[&] {
                          makeScene();
                          fs::create_directories(scene + "/out");
                          test::writeText(target, "previous game");
                          before = snapshotTree(scene);
                      },
                      [&] {
                          BuildReport report;
                          return BuildGame(*oldRecord, location, target, report);
                      },
                      [&](const Status&) { EXPECT_EQ(snapshotTree(scene), before); }});
    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(target, listing));
    ASSERT_EQ(listing.entries.size(), 4u);
    EXPECT_EQ(listing.entries[3].name, "Image Files\\a.bmp");
    EXPECT_TRUE(fs::is_empty(scene + "/tmp"));
}

// Extraction keeps what it wrote before a failure, but never leaves a file
// half written, nor a temporary one, and never spoils a file it replaces.
TEST_F(SaveFaults, ExtractingAGameFile) {
    const std::string archive = scene + "/game.sgr";
    const std::string destination = scene + "/dest";
    const auto makeArchive = [&] {
        test::writeText(scene + "/tmp/game.sgp", "project bytes");
        test::writeText(scene + "/tmp/a.bmp", "new picture");
        ArchiveWriter writer;
        ASSERT_TRUE(writer.CreateArchive(archive, 0));
        ASSERT_TRUE(writer.AddPath(scene + "/tmp/game.sgp"));
        ASSERT_TRUE(writer.AddFolderEntry("Image Files"));
        ASSERT_TRUE(writer.AddUnder(scene + "/tmp/a.bmp", "Image Files"));
        ASSERT_TRUE(writer.Close());
        fs::remove(scene + "/tmp/game.sgp");
        fs::remove(scene + "/tmp/a.bmp");
    };
    TreeSnapshot outside;
    test::walkFaults({[&] {
                          makeScene();
                          makeArchive();
                          fs::create_directories(destination + "/Image Files");
                          test::writeText(destination + "/Image Files/a.bmp", "old picture");
                          test::writeText(destination + "/keep.txt", "keep");
                          outside = snapshotTree(scene);
                      },
                      [&] { return ExtractArchive(archive, destination); },
                      [&](const Status&) {
                          TreeSnapshot now = snapshotTree(scene);
                          EXPECT_EQ(test::temporaryNames(now), std::vector<std::string>{});
                          const std::string picture = now["dest/Image Files/a.bmp"];
                          EXPECT_TRUE(picture == "old picture" || picture == "new picture");
                          if (now.count("dest/game.sgp") != 0) {
                              EXPECT_EQ(now["dest/game.sgp"], "project bytes");
                          }
                          now.erase("dest/game.sgp");
                          now["dest/Image Files/a.bmp"] = "old picture";
                          EXPECT_EQ(now, outside);
                      }});
    EXPECT_EQ(test::readText(destination + "/game.sgp"), "project bytes");
    EXPECT_EQ(test::readText(destination + "/Image Files/a.bmp"), "new picture");
}

TEST_F(SaveFaults, WritingASetting) {
    TreeSnapshot before;
    test::walkFaults(
        {[&] {
             makeScene();
             ASSERT_TRUE(writeBuildFolder("/somewhere"));
             ASSERT_TRUE(writeMapGrid(true));
             before = snapshotTree(scene);
         },
         [&] { return writeMapGrid(false) ? Status::ok() : Status::error("not written"); },
         [&](const Status&) { EXPECT_EQ(snapshotTree(scene), before); }});
    EXPECT_FALSE(readMapGrid());
    EXPECT_EQ(readBuildFolder(), "/somewhere");
}

TEST_F(SaveFaults, SavingAPicture) {
    const std::string path = scene + "/ws/Image Files/a.bmp";
    BitmapInfo info;
    info.width = 2;
    info.height = 2;
    info.bitCount = 24;
    const std::vector<std::uint8_t> pixels(DibStride(2, 24) * 2, 0x7F);
    const std::vector<std::uint8_t> packed = PackDib(info, pixels.data());
    const std::vector<std::uint8_t> header = BmpFileHeader(info, packed.size());
    TreeSnapshot before;
    test::walkFaults({[&] {
                          makeScene();
                          before = snapshotTree(scene);
                      },
                      [&] { return WriteTwoBlocks(path, header, packed); },
                      [&](const Status&) { EXPECT_EQ(snapshotTree(scene), before); }});
    EXPECT_EQ(test::readText(path).size(), header.size() + packed.size());
}

}  // namespace
}  // namespace banmen
