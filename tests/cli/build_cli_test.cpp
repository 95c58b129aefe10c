// banmen-cli build, list, extract, and info/dump of game files: runs the real
// binary with its settings and temporary files kept in a test folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/game_record.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/cli_runner.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using test::expectOneLineFailure;
using test::readBytes;
using test::readText;
using test::TempDir;
using test::writeBytes;
using test::writeText;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using Result = test::CliResult;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

class BuildCliTest : public ::testing::Test {
  protected:
    // Runs banmen-cli with its home, settings and temporary folder inside the
    // test folder.
    Result run(const std::vector<std::string>& args) {
        return test::runCli(args, {{"BANMEN_HOME", dir_.file("home")},
                                   {"XDG_CONFIG_HOME", config()},
                                   {"TMPDIR", temporary()}});
    }

    std::string file(std::string_view name) const { return dir_.file(name); }
    std::string config() const { return dir_.file("config"); }
    std::string temporary() const { return dir_.file("tmp"); }

    // A workspace "ws/遊び.sgw" with a board picture, a help picture and a
    // sound of its own, and the new game's default sounds (which it lacks).
    std::string makeWorkspace(const std::string& headerText = {}) {
        GameRecord record = test::defaultRecord();
        storeFieldText(record.settings.title, kNameMax, *sjis::fromUtf8("遊び"));
        storeFieldText(record.headerText, kHeaderTextMax, *sjis::fromUtf8(headerText));
        storeFieldText(record.images[0].name, kNameMax, "board");
        storeFieldText(record.images[0].fileName, kNameMax, "board.bmp");
        storeFieldText(record.images[1].name, kNameMax, "help");
        storeFieldText(record.images[1].fileName, kNameMax, *sjis::fromUtf8("説明.bmp"));
        storeFieldText(record.sounds[19].name, kNameMax, "bgm");
        storeFieldText(record.sounds[19].fileName, kNameMax, "bgm.wav");
        record.settings.gamePicture = 0;
        record.settings.helpPicture = 1;
        record.settings.music = 19;
        fs::create_directories(file("ws/Image Files"));
        fs::create_directories(file("ws/Sound Files"));
        writeText(file("ws/Image Files/board.bmp"), "BM board");
        writeText(file("ws/Image Files/説明.bmp"), "BM help");
        writeText(file("ws/Sound Files/bgm.wav"), "RIFF bgm");
        const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
        writeBytes(file("ws/遊び.sgw"), {p, p + sizeof record});
        return file("ws/遊び.sgw");
    }

    void SetUp() override { fs::create_directories(temporary()); }

    TempDir dir_;
};

TEST_F(BuildCliTest, BuildsWithTheDialogsDefaultsAndNamesSkippedMedia) {
    const std::string sgw = makeWorkspace();
    const std::vector<std::uint8_t> before = readBytes(sgw);
    Result built = run({"build", sgw});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.out, file("ws/遊び.sgr") + "\n");
    // The default sounds are not in the workspace: one notice per file.
    const std::vector<std::string> notices = linesOf(built.err);
    ASSERT_FALSE(notices.empty());
    for (const std::string& line : notices) {
        EXPECT_THAT(line, StartsWith("banmen-cli: skipped Sound Files/"));
        EXPECT_THAT(line, HasSubstr(": not in the workspace"));
    }
    std::vector<std::string> sorted = notices;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());

    // The workspace file is left alone; the editor's settings too.
    EXPECT_EQ(readBytes(sgw), before);
    EXPECT_FALSE(fs::exists(config() + "/MOEGI/Banmen.conf"));
    EXPECT_TRUE(fs::is_empty(temporary()));

    Result listed = run({"list", file("ws/遊び.sgr")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    std::vector<std::string> lines = linesOf(listed.out);
    ASSERT_EQ(lines.size(), 6u) << listed.out;
    EXPECT_THAT(lines[0], StartsWith("file    0x00000020  "));
    EXPECT_THAT(lines[0], ::testing::EndsWith("  遊び.sgp"));
    lines.erase(lines.begin());
    EXPECT_EQ(lines,
              (std::vector<std::string>{"folder  0x00000010           0  Image Files",
                                        "folder  0x00000010           0  Sound Files",
                                        "file    0x00000020           8  Image Files\\board.bmp",
                                        "file    0x00000020           7  Image Files\\説明.bmp",
                                        "file    0x00000020           8  Sound Files\\bgm.wav"}));
}

TEST_F(BuildCliTest, InfoAndDumpReadTheGameFileInPlace) {
    const std::string sgw = makeWorkspace();
    ASSERT_EQ(run({"build", sgw, "--out", file("out/g")}).exitCode, 0);
    const std::string sgr = file("out/g.sgr");

    Result info = run({"info", sgr});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_THAT(info.out, StartsWith("format: game file\ntitle: 遊び\n"));
    EXPECT_EQ(fs::directory_iterator(file("out"))->path().filename(), "g.sgr");

    Result dumped = run({"dump", sgr});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_THAT(dumped.out, HasSubstr("\"headerText\": \"g.sgr\""));
    ASSERT_EQ(run({"extract", sgr, file("x")}).exitCode, 0);
    Result project = run({"dump", file("x/遊び.sgp")});
    EXPECT_EQ(project.out, dumped.out);
    EXPECT_EQ(readText(file("x/Image Files/説明.bmp")), "BM help");

    Result broken = run({"info", file("ws/Image Files/board.bmp")});
    EXPECT_EQ(broken.exitCode, 1);
    writeText(file("bad.sgr"), "ArCh");
    EXPECT_THAT(expectOneLineFailure(run({"dump", file("bad.sgr")}), file("bad.sgr")),
                HasSubstr("ArCh"));
}

TEST_F(BuildCliTest, ABuildStaysBesideItsWorkspaceWhateverTheEditorStored) {
    // The editor's build dialog remembers its folder; the command line
    // neither follows nor changes it.
    fs::create_directories(config() + "/MOEGI");
    writeText(config() + "/MOEGI/Banmen.conf", "[General]\nBuildFolder=" + file("games") + "\n");
    const std::string settings = readText(config() + "/MOEGI/Banmen.conf");
    const std::string sgw = makeWorkspace("前回の名前");
    Result first = run({"build", sgw, "--out", file("elsewhere/First.SGR")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, file("elsewhere/First.SGR") + "\n");

    // The name comes from the .sgw's headerText, the folder is the workspace's.
    Result second = run({"build", sgw});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.out, file("ws/前回の名前.sgr") + "\n");
    EXPECT_FALSE(fs::exists(file("games")));
    EXPECT_EQ(readText(config() + "/MOEGI/Banmen.conf"), settings);
}

TEST_F(BuildCliTest, OutNamesAFolderOrAFileThatIsReplacedOnlyWithForce) {
    const std::string sgw = makeWorkspace();
    fs::create_directories(file("games/folder.sgr"));
    Result inside = run({"build", sgw, "--out", file("games/folder.sgr")});
    ASSERT_EQ(inside.exitCode, 0) << inside.err;
    EXPECT_EQ(inside.out, file("games/folder.sgr/遊び.sgr") + "\n");

    const std::string target = file("games/g.sgr");
    writeText(target, "someone's game");
    EXPECT_EQ(expectOneLineFailure(run({"build", sgw, "--out", target}), target),
              "already exists (use --force to replace it)");
    EXPECT_EQ(readText(target), "someone's game");
    Result forced = run({"build", sgw, "--out", target, "--force"});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_THAT(readText(target), StartsWith("ArCh"));
    EXPECT_TRUE(fs::is_empty(temporary()));
}

TEST_F(BuildCliTest, FailedBuildsRememberNothing) {
    const std::string sgw = makeWorkspace();
    EXPECT_THAT(expectOneLineFailure(run({"build", file("none.sgw")}), file("none.sgw")),
                HasSubstr("not found"));
    EXPECT_THAT(
        expectOneLineFailure(run({"build", sgw, "--out", file("games/😀")}), file("games/😀.sgr")),
        HasSubstr("Shift-JIS"));
    EXPECT_FALSE(fs::exists(file("games")));
    EXPECT_TRUE(fs::is_empty(temporary()));
}

TEST_F(BuildCliTest, ExtractNeverReplacesTheWorkspacesPictures) {
    const std::string sgw = makeWorkspace();
    ASSERT_EQ(run({"build", sgw}).exitCode, 0);
    const std::string sgr = file("ws/遊び.sgr");
    writeText(file("ws/Image Files/board.bmp"), "BM edited since the build");

    // Without DIR: a new folder beside the game file, named after it.
    Result extracted = run({"extract", sgr});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_EQ(readText(file("ws/遊び/Image Files/board.bmp")), "BM board");
    EXPECT_EQ(readText(file("ws/Image Files/board.bmp")), "BM edited since the build");

    // Into the workspace itself: refused before anything is written.
    const std::string first = file("ws/遊び.sgp");
    EXPECT_EQ(
        expectOneLineFailure(run({"extract", sgr, file("ws")}), file("ws/Image Files/board.bmp")),
        "already exists (use --force to replace it)");
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(readText(file("ws/Image Files/board.bmp")), "BM edited since the build");

    // Again into its own folder: only with --force.
    writeText(file("ws/遊び/Image Files/board.bmp"), "changed");
    EXPECT_EQ(run({"extract", sgr}).exitCode, 1);
    EXPECT_EQ(readText(file("ws/遊び/Image Files/board.bmp")), "changed");
    ASSERT_EQ(run({"extract", "--force", sgr}).exitCode, 0);
    EXPECT_EQ(readText(file("ws/遊び/Image Files/board.bmp")), "BM board");
}

TEST_F(BuildCliTest, ListAndExtractTellBrokenArchives) {
    std::vector<std::uint8_t> bytes = {'A', 'r', 'C', 'h', 0, 0, 0, 0};
    auto entry = [&](std::uint32_t attributes, const std::string& name, const std::string& data) {
        for (std::uint32_t value : {attributes, static_cast<std::uint32_t>(name.size() + 1),
                                    static_cast<std::uint32_t>(data.size())}) {
            for (int shift = 0; shift < 32; shift += 8) {
                bytes.push_back(static_cast<std::uint8_t>(value >> shift));
            }
        }
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
        bytes.insert(bytes.end(), data.begin(), data.end());
    };
    entry(0x21, "ok.txt", "fine");
    entry(0x20, "..\\evil.txt", "evil");
    writeBytes(file("hostile.sgr"), bytes);

    Result listed = run({"list", file("hostile.sgr")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(linesOf(listed.out).back(), "file    0x00000020           4  ..\\evil.txt");

    fs::create_directories(file("dest"));
    EXPECT_THAT(expectOneLineFailure(run({"extract", file("hostile.sgr"), file("dest")}),
                                     file("hostile.sgr")),
                HasSubstr("climbs out"));
    // The names are all checked before anything is written.
    EXPECT_FALSE(fs::exists(file("evil.txt")));
    EXPECT_TRUE(fs::is_empty(file("dest")));

    // Cut in the second entry's data: the entries before it are listed.
    bytes.resize(bytes.size() - 2);
    writeBytes(file("cut.sgr"), bytes);
    Result cut = run({"list", file("cut.sgr")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(linesOf(cut.out).size(), 1u);
    EXPECT_THAT(cut.err, HasSubstr("truncated"));

    // An archive holding an entry of its own name cannot replace itself.
    bytes.resize(8);
    entry(0x20, "self.sgr", "h");
    fs::create_directories(file("sub"));
    writeBytes(file("sub/self.sgr"), bytes);
    EXPECT_THAT(expectOneLineFailure(run({"extract", "--force", file("sub/self.sgr"), file("sub")}),
                                     file("sub/self.sgr")),
                StartsWith("is also an input"));
    EXPECT_EQ(readBytes(file("sub/self.sgr")), bytes);
}

}  // namespace
}  // namespace banmen
