#include "model/game_build.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "model/archive_reader.h"
#include "model/game_file.h"
#include "model/packed_block.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;
using ::testing::HasSubstr;

using Bytes = std::vector<std::uint8_t>;

void setText(char* field, std::size_t limit, const std::string& utf8) {
    storeFieldText(field, limit, *sjis::fromUtf8(utf8));
}

// Every media reference of the record to -1.
void clearReferences(GameRecord& record) {
    record.settings.gamePicture = -1;
    record.settings.helpPicture = -1;
    record.settings.music = -1;
    for (PlayerDef& player : record.players) {
        player.picture = -1;
    }
    for (SquareDef& square : record.squares) {
        square.picture = -1;
        square.supplementPicture = -1;
        square.sound = -1;
    }
}

std::vector<std::string> entryNames(const std::string& archive) {
    ArchiveListing listing;
    EXPECT_TRUE(ListArchive(archive, listing));
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : listing.entries) {
        names.push_back(sjis::toUtf8Lossy(entry.name));
    }
    return names;
}

std::set<std::string> filesBelow(const std::string& root) {
    std::set<std::string> out;
    if (!fs::exists(root)) {
        return out;
    }
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        out.insert(fs::relative(item.path(), root).string());
    }
    return out;
}

class GameBuildTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setWriteBudgetForTesting(-1);
        setenv("TMPDIR", temporary.path().c_str(), 1);
        setenv("BANMEN_HOME", home.path().c_str(), 1);
        location.folder = workspaceDir.path();
        location.setFileName("すごろく.sgw");
        fs::create_directories(workspaceDir.file(kImageFolderName));
        fs::create_directories(workspaceDir.file(kSoundFolderName));
        record = std::make_unique<GameRecord>(test::defaultRecord());
        clearReferences(*record);
    }
    void TearDown() override {
        setWriteBudgetForTesting(-1);
        unsetenv("TMPDIR");
        unsetenv("BANMEN_HOME");
    }

    // Image `index` named `file`, with a file of its own content.
    void image(int index, const std::string& file, bool createFile = true) {
        setText(record->images[index].name, kNameMax, "絵" + std::to_string(index));
        setText(record->images[index].fileName, kNameMax, file);
        if (createFile) {
            test::writeText(workspaceDir.file(std::string(kImageFolderName) + "/" + file),
                            "image " + file + std::string(static_cast<std::size_t>(index), '#'));
        }
    }
    void sound(int index, const std::string& file, bool createFile = true) {
        setText(record->sounds[index].name, kNameMax, "音" + std::to_string(index));
        setText(record->sounds[index].fileName, kNameMax, file);
        if (createFile) {
            test::writeText(workspaceDir.file(std::string(kSoundFolderName) + "/" + file),
                            "sound " + file);
        }
    }

    Status build(const std::string& target) { return BuildGame(*record, location, target, report); }

    TempDir home;
    TempDir workspaceDir;
    TempDir targetDir;
    TempDir temporary;
    WorkspaceLocation location;
    std::unique_ptr<GameRecord> record;
    BuildReport report;
};

TEST_F(GameBuildTest, RoundTripGivesBackTheRecordAndEveryMediumByteForByte) {
    *record = test::fullRecord();
    setText(record->headerText, kHeaderTextMax, "春.sgr");
    // A deleted square slot still brings its media.
    std::memset(record->squares[150].name, 0, sizeof record->squares[150].name);
    record->squares[150].supplementPicture = 299;
    std::set<std::string> referenced;
    for (int m = 0; m < kImageCount; ++m) {
        const std::string file = sjis::toUtf8Lossy(fieldText(record->images[m].fileName));
        writeBytes(workspaceDir.file("Image Files/" + file),
                   Bytes(500 + 7 * static_cast<std::size_t>(m), static_cast<std::uint8_t>(m)));
    }
    for (int n = 0; n < kSoundCount; ++n) {
        const std::string file = sjis::toUtf8Lossy(fieldText(record->sounds[n].fileName));
        if (!file.empty()) {
            writeBytes(workspaceDir.file("Sound Files/" + file),
                       Bytes(3000 + static_cast<std::size_t>(n), static_cast<std::uint8_t>(n + 1)));
        }
    }

    const std::string target = targetDir.file("春.sgr");
    ASSERT_TRUE(build(target));
    EXPECT_TRUE(report.skipped.empty());

    ASSERT_TRUE(ExtractArchive(target, targetDir.file("out")));
    const std::string extracted = targetDir.file("out");
    RecordOwner owner;
    test::CapturingNotifier notifier;
    Workspace opened(owner, notifier);
    ASSERT_TRUE(opened.OpenFile(extracted + "/" + location.projectFileName));
    EXPECT_EQ(std::memcmp(&owner.record(), record.get(), sizeof(GameRecord)), 0);

    auto game = std::make_unique<GameRecord>();
    ASSERT_TRUE(ReadGameFile(*game, target));
    EXPECT_EQ(std::memcmp(game.get(), record.get(), sizeof(GameRecord)), 0);

    // Exactly the referenced media, each as in the workspace.
    std::set<std::string> expected = {location.projectFileName, "Image Files", "Sound Files"};
    auto addImage = [&](std::int32_t index) {
        if (index >= 0) {
            expected.insert("Image Files/" +
                            sjis::toUtf8Lossy(fieldText(record->images[index].fileName)));
        }
    };
    auto addSound = [&](std::int32_t index) {
        if (index >= 0) {
            expected.insert("Sound Files/" +
                            sjis::toUtf8Lossy(fieldText(record->sounds[index].fileName)));
        }
    };
    addImage(record->settings.gamePicture);
    addImage(record->settings.helpPicture);
    addSound(record->settings.music);
    for (const PlayerDef& player : record->players) {
        addImage(player.picture);
    }
    for (const SquareDef& square : record->squares) {
        addImage(square.picture);
        addImage(square.supplementPicture);
        addSound(square.sound);
    }
    EXPECT_EQ(filesBelow(extracted), expected);
    EXPECT_TRUE(expected.count("Image Files/picture300.bmp"));
    for (const std::string& file : expected) {
        if (file.find('/') != std::string::npos) {
            EXPECT_EQ(readBytes(extracted + "/" + file), readBytes(workspaceDir.file(file)))
                << file;
        }
    }
}

TEST_F(GameBuildTest, EntriesComeInTheDocumentedOrderOncePerReference) {
    const char* files[] = {"game.bmp", "help.bmp", "p0.bmp",  "p1.bmp",   "p2.bmp",
                           "p3.bmp",   "s0.bmp",   "s0x.bmp", "s199.bmp", "s199x.bmp"};
    for (int i = 0; i < 10; ++i) {
        image(i, files[i]);
    }
    sound(0, "music.wav");
    sound(1, "s0.wav");
    sound(2, "s199.wav");
    record->settings.gamePicture = 0;
    record->settings.helpPicture = 1;
    record->settings.music = 0;
    for (int p = 0; p < kPlayerCount; ++p) {
        record->players[p].picture = 2 + p;
    }
    record->squares[0] = {};  // a free slot: still walked
    record->squares[0].picture = 6;
    record->squares[0].supplementPicture = 7;
    record->squares[0].sound = 1;
    record->squares[7].picture = 0;  // the game picture again
    record->squares[199].picture = 8;
    record->squares[199].supplementPicture = 9;
    record->squares[199].sound = 2;
    record->squares[199].nextSquares[0] = -1;

    const std::string target = targetDir.file("g.sgr");
    ASSERT_TRUE(build(target));
    EXPECT_EQ(report.mediaAdded, 14u);
    EXPECT_EQ(entryNames(target),
              (std::vector<std::string>{
                  "すごろく.sgp", "Image Files", "Sound Files", "Image Files\\game.bmp",
                  "Image Files\\help.bmp", "Sound Files\\music.wav", "Image Files\\p0.bmp",
                  "Image Files\\p1.bmp", "Image Files\\p2.bmp", "Image Files\\p3.bmp",
                  "Image Files\\s0.bmp", "Image Files\\s0x.bmp", "Sound Files\\s0.wav",
                  "Image Files\\game.bmp", "Image Files\\s199.bmp", "Image Files\\s199x.bmp",
                  "Sound Files\\s199.wav"}));
    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(target, listing));
    EXPECT_EQ(listing.flags, 0u);
    EXPECT_EQ(listing.entries[0].attributes & 0x10u, 0u);
    EXPECT_EQ(listing.entries[1].attributes, 0x10u);
    EXPECT_EQ(listing.entries[2].attributes, 0x10u);
}

TEST_F(GameBuildTest, MissingMediaAreSkippedAndReported) {
    image(0, "here.bmp");
    image(1, "gone.bmp", false);
    setText(record->images[2].name, kNameMax, "名前だけ");
    image(3, "..", false);
    sound(4, "default.wav", false);
    record->settings.gamePicture = 0;
    record->settings.helpPicture = 1;
    record->settings.music = 4;
    record->players[2].picture = 2;
    record->squares[3].picture = 3;
    record->squares[4].picture = 500;
    record->squares[5].sound = 4;
    ASSERT_TRUE(build(targetDir.file("g.sgr")));
    EXPECT_EQ(report.mediaAdded, 1u);
    ASSERT_EQ(report.skipped.size(), 6u);
    EXPECT_EQ(report.skipped[0].reference, "helpPicture");
    EXPECT_EQ(report.skipped[0].file, "Image Files/gone.bmp");
    EXPECT_EQ(report.skipped[0].reason, "not in the workspace");
    EXPECT_EQ(report.skipped[1].reference, "music");
    EXPECT_EQ(report.skipped[1].file, "Sound Files/default.wav");
    EXPECT_EQ(report.skipped[2].reference, "player 3 picture");
    EXPECT_EQ(report.skipped[2].reason, "image 3 has no file name");
    EXPECT_EQ(report.skipped[3].reference, "square 4 picture");
    EXPECT_EQ(report.skipped[3].reason, "not a plain file name");
    EXPECT_EQ(report.skipped[4].reference, "square 5 picture");
    EXPECT_EQ(report.skipped[4].reason, "there is no image 501");
    EXPECT_EQ(report.skipped[5].reference, "square 6 sound");
    EXPECT_EQ(entryNames(targetDir.file("g.sgr")),
              (std::vector<std::string>{"すごろく.sgp", "Image Files", "Sound Files",
                                        "Image Files\\here.bmp"}));
}

TEST_F(GameBuildTest, AFileNameClimbingOutOfTheMediaFolderIsNotFollowed) {
    test::writeText(workspaceDir.file("secret.txt"), "secret");
    image(0, "..\\secret.txt", false);
    image(1, "../secret.txt", false);
    record->settings.gamePicture = 0;
    record->settings.helpPicture = 1;
    ASSERT_TRUE(build(targetDir.file("g.sgr")));
    EXPECT_EQ(report.mediaAdded, 0u);
    EXPECT_EQ(report.skipped.size(), 2u);
}

TEST_F(GameBuildTest, TheTemporaryProjectFileIsGoneAndTheTargetFolderIsMade) {
    image(0, "a.bmp");
    record->settings.gamePicture = 0;
    const std::string target = targetDir.file("new/folder/g.sgr");
    ASSERT_TRUE(build(target));
    EXPECT_TRUE(fs::is_regular_file(target));
    EXPECT_TRUE(fs::is_empty(temporary.path()));
    EXPECT_EQ(filesBelow(targetDir.file("new/folder")), (std::set<std::string>{"g.sgr"}));
}

TEST_F(GameBuildTest, AFailedBuildLeavesThePreviousGameFileAndNoTemporaryFiles) {
    image(0, "a.bmp");
    writeBytes(workspaceDir.file("Image Files/big.bmp"), Bytes(200000, 0x42));
    setText(record->images[1].name, kNameMax, "big");
    setText(record->images[1].fileName, kNameMax, "big.bmp");
    sound(0, "m.wav");
    record->settings.gamePicture = 0;
    record->settings.helpPicture = 1;
    record->settings.music = 0;
    const std::string target = targetDir.file("g.sgr");
    ASSERT_TRUE(build(target));
    const Bytes good = readBytes(target);

    setText(record->settings.title, kNameMax, "changed");
    for (std::int64_t budget :
         {std::int64_t{0}, std::int64_t{100}, std::int64_t{3000}, std::int64_t{20000},
          std::int64_t{150000}, static_cast<std::int64_t>(good.size()) - 1}) {
        SCOPED_TRACE(budget);
        setWriteBudgetForTesting(budget);
        Status built = build(target);
        setWriteBudgetForTesting(-1);
        EXPECT_FALSE(built);
        EXPECT_THAT(built.reason(), HasSubstr("No space left on device"));
        EXPECT_EQ(readBytes(target), good);
        EXPECT_EQ(filesBelow(targetDir.path()), (std::set<std::string>{"g.sgr"}));
        EXPECT_TRUE(fs::is_empty(temporary.path()));
    }
    ASSERT_TRUE(build(target));
    EXPECT_NE(readBytes(target), good);
}

TEST_F(GameBuildTest, ProgressNamesEachEntryAndACancelLeavesNothing) {
    image(0, "a.bmp");
    image(1, "gone.bmp", false);
    sound(0, "m.wav");
    record->settings.gamePicture = 0;
    record->settings.helpPicture = 1;
    record->settings.music = 0;
    record->squares[4].sound = 0;
    const std::string target = targetDir.file("g.sgr");
    std::vector<std::string> seen;
    std::vector<std::size_t> counts;
    ASSERT_TRUE(BuildGame(*record, location, target, report,
                          [&](const std::string& entry, std::size_t done, std::size_t total) {
                              seen.push_back(entry);
                              counts.push_back(done);
                              EXPECT_EQ(total, 5u);
                              return true;
                          }));
    // A skipped medium is a step too.
    EXPECT_EQ(seen,
              (std::vector<std::string>{"すごろく.sgp", "Image Files/a.bmp", "Image Files/gone.bmp",
                                        "Sound Files/m.wav", "Sound Files/m.wav"}));
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(report.cancelled);
    const Bytes good = readBytes(target);

    for (std::size_t stop = 0; stop < seen.size(); ++stop) {
        SCOPED_TRACE(stop);
        setText(record->settings.title, kNameMax, "changed");
        const Status built = BuildGame(
            *record, location, target, report,
            [&](const std::string&, std::size_t done, std::size_t) { return done < stop; });
        EXPECT_FALSE(built);
        EXPECT_TRUE(report.cancelled);
        EXPECT_EQ(readBytes(target), good);
        EXPECT_EQ(filesBelow(targetDir.path()), (std::set<std::string>{"g.sgr"}));
        EXPECT_TRUE(fs::is_empty(temporary.path()));
    }
}

TEST_F(GameBuildTest, TwoBuildsAtOnceKeepTheirTemporaryFilesApart) {
    writeBytes(workspaceDir.file("Image Files/a.bmp"), Bytes(3 << 20, 0x11));
    setText(record->images[0].name, kNameMax, "a");
    setText(record->images[0].fileName, kNameMax, "a.bmp");
    record->settings.gamePicture = 0;
    GameRecord other = *record;
    setText(other.settings.title, kNameMax, "other");
    BuildReport otherReport;
    Status first;
    Status second;
    {
        std::thread a([&] { first = build(targetDir.file("a.sgr")); });
        std::thread b(
            [&] { second = BuildGame(other, location, targetDir.file("b.sgr"), otherReport); });
        a.join();
        b.join();
    }
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    auto game = std::make_unique<GameRecord>();
    ASSERT_TRUE(ReadGameFile(*game, targetDir.file("a.sgr")));
    EXPECT_EQ(std::memcmp(game.get(), record.get(), sizeof(GameRecord)), 0);
    ASSERT_TRUE(ReadGameFile(*game, targetDir.file("b.sgr")));
    EXPECT_EQ(std::memcmp(game.get(), &other, sizeof(GameRecord)), 0);
    EXPECT_TRUE(fs::is_empty(temporary.path()));
}

TEST_F(GameBuildTest, ATargetThatIsAFolderOrAWorkspaceWithoutNameFails) {
    fs::create_directories(targetDir.file("g.sgr"));
    EXPECT_FALSE(build(targetDir.file("g.sgr")));
    location = {};
    location.folder = workspaceDir.path();
    Status built = build(targetDir.file("h.sgr"));
    EXPECT_FALSE(built);
    EXPECT_FALSE(fs::exists(targetDir.file("h.sgr")));
    EXPECT_TRUE(fs::is_empty(temporary.path()));
}

TEST_F(GameBuildTest, BuildingTheOpenWorkspaceSetsItsGameFileName) {
    RecordOwner owner;
    test::CapturingNotifier notifier;
    Workspace workspace(owner, notifier);
    ASSERT_TRUE(workspace.CreateWorkspace("盤", "", workspaceDir.path()));
    ASSERT_TRUE(workspace.SaveWorkspace());
    EXPECT_EQ(workspace.location().gameFileName, "盤.sgr");
    ASSERT_TRUE(BuildGame(workspace, targetDir.file("other.sgr"), report));
    EXPECT_EQ(workspace.location().gameFileName, "other.sgr");
    EXPECT_EQ(workspace.location().fileName, "盤.sgw");
    EXPECT_EQ(entryNames(targetDir.file("other.sgr")).front(), "盤.sgp");
    // The new game's default sounds live outside the workspace.
    EXPECT_FALSE(report.skipped.empty());
    for (const SkippedMedium& skipped : report.skipped) {
        EXPECT_EQ(skipped.reason, "not in the workspace") << skipped.reference;
    }
}

TEST_F(GameBuildTest, ReadGameFileRefusesWhatIsNoGame) {
    auto game = std::make_unique<GameRecord>();
    const GameRecord before = *game;
    test::writeText(targetDir.file("x.sgr"), "not an archive");
    EXPECT_FALSE(ReadGameFile(*game, targetDir.file("x.sgr")));
    const Bytes headerOnly = {'A', 'r', 'C', 'h', 0, 0, 0, 0};
    writeBytes(targetDir.file("x.sgr"), headerOnly);
    Status empty = ReadGameFile(*game, targetDir.file("x.sgr"));
    EXPECT_FALSE(empty);
    EXPECT_THAT(empty.reason(), HasSubstr(".sgp"));
    EXPECT_EQ(std::memcmp(game.get(), &before, sizeof before), 0);
}

}  // namespace
}  // namespace banmen
