// Runs the real banmen-cli binary and checks its exit status, its output and
// the one-line failure reports.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "model/field_table.h"
#include "model/game_record.h"
#include "model/packed_block.h"
#include "model/record_json.h"
#include "support/cli_runner.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::readBytes;
using test::readText;
using test::TempDir;
using test::writeBytes;
using test::writeText;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using Result = test::CliResult;

std::vector<std::uint8_t> bytesOf(const GameRecord& record) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
    return {p, p + sizeof(GameRecord)};
}

class CliTest : public ::testing::Test {
  protected:
    // Runs banmen-cli with BANMEN_HOME pointing into the temporary folder (so
    // a new game finds no default pictures), standard input reading `input`.
    Result run(const std::vector<std::string>& args,
               const std::optional<std::string>& input = std::nullopt) {
        return test::runCli(args, {{"BANMEN_HOME", home_}}, input);
    }

    // A failure: exit 1, nothing on stdout, exactly one line on stderr that
    // names the file; returns the reason after "banmen-cli: <file>: ".
    std::string expectFailure(const Result& result, const std::string& file) {
        EXPECT_EQ(result.out, "");
        return test::expectOneLineFailure(result, file);
    }

    void expectUsage(const Result& result) {
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_THAT(result.err, HasSubstr("usage: banmen-cli"));
    }

    std::string file(std::string_view name) const { return dir_.file(name); }

    void writeRecord(const std::string& path, const GameRecord& record) {
        writeBytes(path, bytesOf(record));
    }

    TempDir dir_;
    std::string home_ = dir_.path();
};

// --- help and usage ---------------------------------------------------------

// Every line of a help text fits 80 columns (the texts are ASCII but for
// the title, whose characters are two columns wide).
void expectWithinEightyColumns(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        std::size_t columns = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            columns += byte < 0x80 ? 1 : (byte & 0xC0) == 0xC0 ? 2 : 0;
        }
        EXPECT_LE(columns, 80u) << line;
        start = end + 1;
    }
}

TEST_F(CliTest, HelpListsEveryCommandWithinEightyColumns) {
    for (const char* word : {"--help", "help", "-h"}) {
        Result result = run({word});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        for (const char* command :
             {"new TITLE FOLDER [--picture FILE.bmp]", "info FILE", "dump FILE [--all]",
              "load-json [--force] FILE.json OUT.sgw", "pack [--unit 1|2|4] [--force] IN OUT",
              "unpack [--force] IN OUT", "convert [--force] OLD.sgw NEW.sgw",
              "extract GAME.sgr [DIR] [--force]"}) {
            EXPECT_THAT(result.out, HasSubstr("\n  " + std::string(command) + "\n")) << command;
        }
        expectWithinEightyColumns(result.out);
    }
    Result one = run({"help", "pack"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_THAT(one.out, StartsWith("usage: banmen-cli pack [--unit 1|2|4] [--force] IN OUT\n"));
    EXPECT_EQ(run({"unpack", "--help"}).out.substr(0, 30), "usage: banmen-cli unpack [--fo");
    // The longest synopsis, in help and in a usage error.
    Result play = run({"help", "play"});
    EXPECT_THAT(play.out, HasSubstr("[--transcript FILE [--force]]\n      [--verbose]\n"));
    expectWithinEightyColumns(play.out);
    expectWithinEightyColumns(run({"play", "--bad"}).err);
}

TEST_F(CliTest, WrongUsageExitsWithTwo) {
    Result none = run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_THAT(none.err, HasSubstr("no command given"));
    EXPECT_THAT(none.err, HasSubstr("usage: banmen-cli COMMAND"));

    Result unknown = run({"frobnicate", "x"});
    expectUsage(unknown);
    EXPECT_THAT(unknown.err, StartsWith("banmen-cli: unknown command \"frobnicate\"\n"));
    expectUsage(run({"help", "frobnicate"}));

    Result few = run({"dump"});
    expectUsage(few);
    EXPECT_THAT(few.err, StartsWith("banmen-cli: too few arguments\nusage: banmen-cli dump FILE"));
    Result many = run({"info", "a", "b"});
    expectUsage(many);
    EXPECT_THAT(many.err, StartsWith("banmen-cli: too many arguments\n"));
    Result option = run({"dump", "--everything", "x.sgw"});
    expectUsage(option);
    EXPECT_THAT(option.err, StartsWith("banmen-cli: unknown option --everything\n"));
    Result noValue = run({"new", "t", "f", "--picture"});
    expectUsage(noValue);
    EXPECT_THAT(noValue.err, HasSubstr("option --picture needs a value"));
    Result badUnit = run({"pack", "--unit", "3", "a", "b"});
    expectUsage(badUnit);
    EXPECT_THAT(badUnit.err, StartsWith("banmen-cli: --unit must be 1, 2 or 4, not \"3\"\n"));
    expectUsage(run({"pack", "--unit=8", "a", "b"}));
    expectUsage(run({"dump", "--all=yes", "a.sgw"}));
}

// --- new, info, dump, load-json ---------------------------------------------

TEST_F(CliTest, NewInfoDumpLoadRoundTrip) {
    const std::string folder = file("ws");
    Result created = run({"new", "春の遊び", folder});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(created.err, "");
    const std::string sgw = folder + "/春の遊び.sgw";
    EXPECT_EQ(created.out, sgw + "\n");
    ASSERT_EQ(readBytes(sgw).size(), kGameRecordSize);

    Result info = run({"info", sgw});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out,
              "format: workspace\n"
              "title: 春の遊び\n"
              "players: 4 (プレイヤー１, プレイヤー２, プレイヤー３, プレイヤー４)\n"
              "squares: 3\n"
              "images: 0\n"
              "sounds: 9\n"
              "end condition: 最初の一人がｺﾞｰﾙ\n"
              "victory condition: ゴールした順番\n");

    Result dump = run({"dump", sgw});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_THAT(dump.out, HasSubstr("\"title\": \"春の遊び\""));
    writeText(file("game.json"), dump.out);
    Result load = run({"load-json", file("game.json"), file("back.sgw")});
    ASSERT_EQ(load.exitCode, 0) << load.err;
    EXPECT_EQ(load.out, "");
    EXPECT_EQ(load.err, "");
    EXPECT_EQ(readBytes(file("back.sgw")), readBytes(sgw));

    // With every slot listed, from standard input.
    Result all = run({"dump", "--all", sgw});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_GT(all.out.size(), dump.out.size());
    ASSERT_EQ(run({"load-json", "-", file("back2.sgw")}, all.out).exitCode, 0);
    EXPECT_EQ(readBytes(file("back2.sgw")), readBytes(sgw));
}

TEST_F(CliTest, DumpPrintsTheRecordsJsonAndLoadGivesBackEveryByte) {
    auto record = std::make_unique<GameRecord>(test::fullRecord());
    // Leftovers the editor would never write: they must survive too.
    auto* bytes = reinterpret_cast<std::uint8_t*>(record.get());
    std::mt19937 random(5);
    for (int i = 0; i < 200; ++i) {
        bytes[random() % sizeof(GameRecord)] = static_cast<std::uint8_t>(random());
    }
    writeRecord(file("odd.sgw"), *record);
    Result dump = run({"dump", file("odd.sgw")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out, recordToJson(*record, false));
    writeText(file("odd.json"), dump.out);
    ASSERT_EQ(run({"load-json", file("odd.json"), file("odd2.sgw")}).exitCode, 0);
    EXPECT_EQ(readBytes(file("odd2.sgw")), bytesOf(*record));
}

TEST_F(CliTest, InfoOfAFullGameAndOfAProjectFile) {
    auto record = std::make_unique<GameRecord>(test::fullRecord());
    record->settings.playerCount = 2;
    record->settings.endCondition = 2;
    record->settings.victoryCondition = 9;  // out of range
    record->squares[3].name[0] = 0;
    writeRecord(file("full.sgw"), *record);
    Result info = run({"info", file("full.sgw")});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_THAT(info.out, HasSubstr("players: 2 (プレイヤー１, プレイヤー２)\n"));
    EXPECT_THAT(info.out, HasSubstr("squares: 199\nimages: 300\nsounds: 20\n"));
    EXPECT_THAT(info.out, HasSubstr("end condition: 全員がｺﾞｰﾙ\n"));
    EXPECT_THAT(info.out, HasSubstr("victory condition: unknown (9)\n"));

    // The same record as a project file.
    ASSERT_EQ(run({"pack", "--unit", "4", file("full.sgw"), file("full.sgp")}).exitCode, 0);
    Result project = run({"info", file("full.sgp")});
    ASSERT_EQ(project.exitCode, 0) << project.err;
    EXPECT_THAT(project.out, StartsWith("format: project file (packed)\n"));
    EXPECT_EQ(project.out.substr(project.out.find('\n')), info.out.substr(info.out.find('\n')));
    Result dump = run({"dump", file("full.sgp")});
    ASSERT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out, recordToJson(*record, false));
}

// A BMP of 2 x 1 pixels, 24 bits: a 14-byte file header, a 40-byte info
// header and one row padded to 8 bytes.
std::vector<std::uint8_t> tinyBmp() {
    std::vector<std::uint8_t> bmp(62, 0);
    const auto put = [&bmp](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 62, 4);   // file size
    put(10, 54, 4);  // pixel offset
    put(14, 40, 4);  // info header size
    put(18, 2, 4);   // width
    put(22, 1, 4);   // height
    put(26, 1, 2);   // planes
    put(28, 24, 2);  // bits per pixel
    put(34, 8, 4);   // image size
    return bmp;
}

TEST_F(CliTest, NewWithAPicture) {
    writeBytes(file("board.bmp"), tinyBmp());
    Result created = run({"new", "絵のある雙六", file("ws"), "--picture", file("board.bmp")});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(readBytes(file("ws/Image Files/board.bmp")), tinyBmp());
    EXPECT_TRUE(std::filesystem::is_directory(file("ws/Sound Files")));
    const std::string sgw = file("ws/絵のある雙六.sgw");
    Result info = run({"info", sgw});
    EXPECT_THAT(info.out, HasSubstr("images: 1\n"));
    Result dump = run({"dump", sgw});
    EXPECT_THAT(dump.out, HasSubstr("\"gamePicture\": 0,"));
    EXPECT_THAT(dump.out, HasSubstr("\"fileName\": \"board.bmp\""));
    EXPECT_THAT(dump.out, HasSubstr("\"name\": \"雙六絵柄\""));
}

TEST_F(CliTest, NewRefusals) {
    const std::string folder = file("ws");
    Result emoji = run({"new", "遊び😀", folder});
    EXPECT_EQ(expectFailure(emoji, folder + "/遊び😀.sgw"),
              "the title cannot be written in Shift-JIS");
    EXPECT_FALSE(test::exists(folder + "/遊び😀.sgw"));

    const std::string longTitle(70, 't');
    EXPECT_EQ(expectFailure(run({"new", longTitle, folder}), folder + "/" + longTitle + ".sgw"),
              "the title is 70 bytes in Shift-JIS, the limit is 62");

    ASSERT_EQ(run({"new", "once", folder}).exitCode, 0);
    const std::vector<std::uint8_t> first = readBytes(folder + "/once.sgw");
    EXPECT_THAT(expectFailure(run({"new", "once", folder}), folder + "/once.sgw"),
                StartsWith("already exists"));
    EXPECT_EQ(readBytes(folder + "/once.sgw"), first);

    EXPECT_EQ(
        expectFailure(run({"new", "p", folder, "--picture", file("none.bmp")}), file("none.bmp")),
        "file not found");
    EXPECT_FALSE(test::exists(folder + "/p.sgw"));

    // Titles that would name hidden files.
    for (const char* dots : {".", ".."}) {
        EXPECT_EQ(expectFailure(run({"new", dots, folder}), folder + "/" + dots + ".sgw"),
                  "the title cannot be used as a file name");
    }
}

TEST_F(CliTest, NewRefusesAPictureItCannotShowAndLeavesNothingBehind) {
    writeText(file("notes.bmp"), "just some text");
    std::vector<std::uint8_t> cut = tinyBmp();
    cut.resize(40);
    writeBytes(file("cut.bmp"), cut);
    for (const auto& [picture, reason] :
         {std::pair{"notes.bmp", "not a BMP file"}, std::pair{"cut.bmp", "outside the file"}}) {
        const std::string folder = file(std::string("ws-") + picture);
        EXPECT_THAT(
            expectFailure(run({"new", "t", folder, "--picture", file(picture)}), file(picture)),
            HasSubstr(reason));
        EXPECT_FALSE(test::exists(folder)) << picture;
    }

    // A picture whose name cannot be stored fails after the folder was made:
    // what was made goes again; an existing folder stays, with nothing new.
    const std::string longName = std::string(70, 'p') + ".bmp";
    writeBytes(file(longName), tinyBmp());
    EXPECT_THAT(
        expectFailure(run({"new", "t", file("made"), "--picture", file(longName)}), file(longName)),
        HasSubstr("62 bytes"));
    EXPECT_FALSE(test::exists(file("made")));
    std::filesystem::create_directories(file("kept"));
    EXPECT_EQ(run({"new", "t", file("kept"), "--picture", file(longName)}).exitCode, 1);
    EXPECT_TRUE(std::filesystem::is_empty(file("kept")));
}

// --- failures of opening and loading ----------------------------------------

TEST_F(CliTest, MissingFileIsToldAlikeByEveryCommand) {
    for (const char* command : {"info", "dump"}) {
        const std::string missing = file("missing.sgw");
        EXPECT_EQ(expectFailure(run({command, missing}), missing),
                  "file not found (ファイルが見つかりませんでした。)");
    }
    const std::vector<std::vector<std::string>> commands = {
        {"load-json", file("no.json"), file("o.sgw")},
        {"pack", file("no.bin"), file("o.sgp")},
        {"unpack", file("no.sgp"), file("o")},
        {"convert", file("no.sgw"), file("o.sgw")},
        {"list", file("no.sgr")},
        {"extract", file("no.sgr"), file("x")},
        {"info", file("no.sgr")},
        {"dump", file("no.sgr")},
        {"play", file("no.sgp")},
        {"info", file("no.txt")},
    };
    for (const std::vector<std::string>& args : commands) {
        EXPECT_EQ(expectFailure(run(args), args[1]), "file not found") << args[0];
    }
    EXPECT_FALSE(test::exists(file("o.sgw")));
    EXPECT_FALSE(test::exists(file("x")));

    // A folder where a file should be.
    const std::string folder = file("folder.sgr");
    std::filesystem::create_directories(folder);
    const std::vector<std::vector<std::string>> onFolder = {
        {"list", folder}, {"extract", folder}, {"info", folder},
        {"play", folder}, {"probe", folder},   {"pack", folder, file("o")}};
    for (const std::vector<std::string>& args : onFolder) {
        EXPECT_EQ(expectFailure(run(args), folder), "is a folder") << args[0];
    }
}

TEST_F(CliTest, WrongSizeAndUnknownExtension) {
    std::vector<std::uint8_t> bytes = bytesOf(test::defaultRecord());
    bytes.pop_back();
    writeBytes(file("short.sgw"), bytes);
    EXPECT_EQ(expectFailure(run({"dump", file("short.sgw")}), file("short.sgw")),
              "wrong size: 273759 bytes (a workspace file has 273760 bytes, or 346720 in the "
              "previous format)");
    bytes.push_back(0);
    bytes.push_back(0);
    writeBytes(file("long.sgw"), bytes);
    EXPECT_THAT(expectFailure(run({"info", file("long.sgw")}), file("long.sgw")),
                StartsWith("wrong size: 273761 bytes"));
    writeText(file("game.txt"), "x");
    // info and dump read game files too, and say so.
    EXPECT_EQ(expectFailure(run({"info", file("game.txt")}), file("game.txt")),
              "unknown file extension (expected .sgw, .sgp or .sgr)");
}

TEST_F(CliTest, NotAPackedBlock) {
    writeText(file("bad.sgp"), "this is not a packed block at all");
    EXPECT_EQ(expectFailure(run({"unpack", file("bad.sgp"), file("out")}), file("bad.sgp")),
              "not a packed block (bad magic)");
    EXPECT_EQ(expectFailure(run({"info", file("bad.sgp")}), file("bad.sgp")),
              "not a packed block (bad magic) (ファイルを開けませんでした。)");
    writeText(file("tiny.sgp"), "abc");
    EXPECT_THAT(expectFailure(run({"unpack", file("tiny.sgp"), file("out")}), file("tiny.sgp")),
                StartsWith("not a packed block"));
    // A packed block of something else than a record is no project file.
    writeText(file("small"), "hello");
    ASSERT_EQ(run({"pack", file("small"), file("small.sgp")}).exitCode, 0);
    EXPECT_THAT(expectFailure(run({"dump", file("small.sgp")}), file("small.sgp")),
                StartsWith("the packed record has 5 bytes instead of 273760"));
    EXPECT_FALSE(test::exists(file("out")));
}

TEST_F(CliTest, LoadJsonRefusals) {
    const std::string json = recordToJson(test::defaultRecord(), false);
    const auto edited = [&json](const std::string& from, const std::string& to) {
        std::string text = json;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::string out = file("o.sgw");

    // A square name of 70 bytes in Shift-JIS.
    writeText(file("long.json"),
              edited("\"name\": \"スタート(1)\"",
                     "\"name\": \"" + std::string(52, 'n') + "ながいなまえのマス\""));
    EXPECT_EQ(expectFailure(run({"load-json", file("long.json"), out}), file("long.json")),
              "squares[0].name: text is 70 bytes in Shift-JIS, the limit is 62");

    writeText(file("emoji.json"), edited("\"name\": \"プレイヤー１\"", "\"name\": \"😀\""));
    EXPECT_EQ(expectFailure(run({"load-json", file("emoji.json"), out}), file("emoji.json")),
              "players[0].name: \"😀\" cannot be written in Shift-JIS");

    writeText(file("syntax.json"), edited("\"headerMarker\": 1,", "\"headerMarker\": 1"));
    EXPECT_EQ(expectFailure(run({"load-json", file("syntax.json"), out}), file("syntax.json")),
              "line 3, column 3: expected ',' or '}', found '\"'");

    writeText(file("range.json"), edited("\"headerMarker\": 1,", "\"headerMarker\": 4294967296,"));
    EXPECT_THAT(expectFailure(run({"load-json", file("range.json"), out}), file("range.json")),
                StartsWith("headerMarker: 4294967296 is outside the 32-bit range"));

    EXPECT_FALSE(test::exists(out));
}

// --- writing ----------------------------------------------------------------

TEST_F(CliTest, WriteFailuresNameTheOutput) {
    writeText(file("game.json"), recordToJson(test::defaultRecord(), false));
    const std::string nowhere = file("no/such/folder/o.sgw");
    EXPECT_THAT(expectFailure(run({"load-json", file("game.json"), nowhere}), nowhere),
                HasSubstr("No such file or directory"));
    writeText(file("data"), "abc");
    EXPECT_THAT(expectFailure(run({"pack", file("data"), nowhere}), nowhere),
                HasSubstr("No such file or directory"));
    // A folder where the output file should go.
    ASSERT_EQ(run({"pack", file("data"), file("data.sgp")}).exitCode, 0);
    EXPECT_THAT(expectFailure(run({"unpack", file("data.sgp"), dir_.path()}), dir_.path()),
                ::testing::Not(::testing::IsEmpty()));
}

TEST_F(CliTest, OutOfRangeValuesAreLoadedWithAWarningEachAndInfoListsRealPlayers) {
    auto record = std::make_unique<GameRecord>(test::fullRecord());
    record->settings.playerCount = 9;
    record->squares[3].kind = 7;
    record->squares[5].nextSquares[3] = 200;
    record->players[1].picture = -2;
    writeText(file("odd.json"), recordToJson(*record, false));
    Result loaded = run({"load-json", file("odd.json"), file("odd.sgw")});
    EXPECT_EQ(loaded.exitCode, 0);
    const std::string prefix = "banmen-cli: " + file("odd.json") + ": warning: ";
    EXPECT_EQ(loaded.err, prefix + "settings.playerCount: 9 is outside 1..4\n" + prefix +
                              "players[1].picture: -2 is outside -1..299\n" + prefix +
                              "squares[3].kind: 7 is outside 0..6\n" + prefix +
                              "squares[5].nextSquares[3]: 200 is outside -1..199\n");
    EXPECT_EQ(readBytes(file("odd.sgw")), bytesOf(*record));

    Result info = run({"info", file("odd.sgw")});
    EXPECT_THAT(info.out, HasSubstr("players: 4 (プレイヤー１, プレイヤー２, プレイヤー３, "
                                    "プレイヤー４; the record says 9)\n"));
    record->settings.playerCount = -3;
    writeRecord(file("none.sgw"), *record);
    EXPECT_THAT(run({"info", file("none.sgw")}).out,
                HasSubstr("players: 1 (プレイヤー１; the record says -3)\n"));
}

// --- pack, unpack -----------------------------------------------------------

TEST_F(CliTest, PackUnpackRoundTripForEveryUnit) {
    std::mt19937 random(11);
    std::vector<std::uint8_t> odd(1001);
    for (std::uint8_t& b : odd) {
        b = static_cast<std::uint8_t>(random() % 3 == 0 ? random() : 0);
    }
    writeBytes(file("odd.bin"), odd);
    writeBytes(file("empty.bin"), {});
    writeRecord(file("full.sgw"), test::fullRecord());
    for (const char* name : {"odd.bin", "empty.bin", "full.sgw"}) {
        const std::vector<std::uint8_t> original = readBytes(file(name));
        for (const char* unit : {"1", "2", "4"}) {
            SCOPED_TRACE(std::string(name) + " unit " + unit);
            const std::string packed = file(std::string(name) + "." + unit + ".sgp");
            const std::string back = file(std::string(name) + "." + unit + ".back");
            Result pack = run({"pack", "--unit", unit, file(name), packed});
            ASSERT_EQ(pack.exitCode, 0) << pack.err;
            EXPECT_EQ(pack.out + pack.err, "");
            const std::vector<std::uint8_t> block = readBytes(packed);
            ASSERT_GE(block.size(), 16u);
            std::uint32_t magic = 0;
            std::uint32_t unitSize = 0;
            std::memcpy(&magic, block.data(), 4);
            std::memcpy(&unitSize, block.data() + 12, 4);
            EXPECT_EQ(magic, kPackedMagic);
            EXPECT_EQ(unitSize, static_cast<std::uint32_t>(std::stoi(unit)));
            Result unpack = run({"unpack", packed, back});
            ASSERT_EQ(unpack.exitCode, 0) << unpack.err;
            EXPECT_EQ(readBytes(back), original);
        }
    }
    // Unit 1 is the default; the record shrinks well.
    ASSERT_EQ(run({"pack", file("full.sgw"), file("default.sgp")}).exitCode, 0);
    EXPECT_EQ(readBytes(file("default.sgp")), readBytes(file("full.sgw.1.sgp")));
    EXPECT_LT(readBytes(file("default.sgp")).size(), kGameRecordSize / 4);
}

TEST_F(CliTest, DashMeansStandardInputAndOutput) {
    writeRecord(file("full.sgw"), test::fullRecord());
    Result packed = run({"pack", "--unit", "2", "-", "-"}, readText(file("full.sgw")));
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    Result unpacked = run({"unpack", "-", "-"}, packed.out);
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err;
    EXPECT_EQ(std::vector<std::uint8_t>(unpacked.out.begin(), unpacked.out.end()),
              readBytes(file("full.sgw")));

    writeText(file("game.json"), recordToJson(test::fullRecord(), false));
    Result loaded = run({"load-json", file("game.json"), "-"});
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_EQ(std::vector<std::uint8_t>(loaded.out.begin(), loaded.out.end()),
              readBytes(file("full.sgw")));

    EXPECT_THAT(expectFailure(run({"load-json", "-", file("o.sgw")}, "{"), "<stdin>"),
                StartsWith("line 1, column 2: "));
    EXPECT_EQ(expectFailure(run({"unpack", "-", file("o")}, "{"), "<stdin>"),
              "not a packed block (truncated header)");
}

TEST_F(CliTest, UnpackRefusesAHugeClaimedSize) {
    std::vector<std::uint8_t> block(16, 0);
    const std::uint32_t header[4] = {kPackedMagic, 16 + (1u << 27), 0xF0000000u, 1};
    std::memcpy(block.data(), header, sizeof header);
    writeBytes(file("huge.sgp"), block);
    EXPECT_THAT(expectFailure(run({"unpack", file("huge.sgp"), file("out")}), file("huge.sgp")),
                HasSubstr("unpacked size"));
    EXPECT_FALSE(test::exists(file("out")));
}

// --- convert ----------------------------------------------------------------

// The previous format: the same fields at the same places inside larger
// blocks. `endCondition` did not exist; its place was reserved.
constexpr std::size_t kPreviousSize = 346720;
struct PreviousBlock {
    ObjectKind kind;
    std::size_t base;
    std::size_t size;
};
constexpr PreviousBlock kPreviousBlocks[] = {
    {ObjectKind::Game, 264, 2412},         {ObjectKind::Player, 2676, 1324},
    {ObjectKind::PlayerState, 7972, 1156}, {ObjectKind::PlayerData, 11440, 1166},
    {ObjectKind::Square, 17276, 1008},     {ObjectKind::Image, 218876, 400},
    {ObjectKind::Sound, 338880, 392},
};

std::vector<std::uint8_t> previousFormatOf(const GameRecord& record) {
    // Everything that is not a field is filled with a marker byte that must
    // not reach the converted record.
    std::vector<std::uint8_t> old(kPreviousSize, 0xEE);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    std::memcpy(old.data(), bytes, 264);  // headerMarker, headerText
    for (const PreviousBlock& block : kPreviousBlocks) {
        const BlockSpec& current = blockSpec(block.kind);
        for (int i = 0; i < current.count; ++i) {
            const std::uint8_t* from =
                bytes + current.base + static_cast<std::size_t>(i) * current.size;
            std::uint8_t* to = old.data() + block.base + static_cast<std::size_t>(i) * block.size;
            for (const FieldSpec& spec : fieldSpecs(block.kind)) {
                if (block.kind == ObjectKind::Game && spec.fieldId == kFieldEndCondition) {
                    continue;
                }
                const std::size_t length =
                    spec.stride * static_cast<std::size_t>(spec.count - 1) + spec.width;
                std::memcpy(to + spec.offset, from + spec.offset, length);
            }
        }
    }
    return old;
}

TEST_F(CliTest, ConvertAPreviousFormatWorkspace) {
    auto record = std::make_unique<GameRecord>(test::fullRecord());
    record->settings.endCondition = 2;
    writeBytes(file("old.sgw"), previousFormatOf(*record));
    ASSERT_EQ(readBytes(file("old.sgw")).size(), kPreviousSize);

    Result info = run({"info", file("old.sgw")});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_THAT(info.out,
                StartsWith("format: workspace, previous format\ntitle: 春の野山すごろく\n"));
    EXPECT_THAT(info.out, HasSubstr("end condition: 最初の一人がｺﾞｰﾙ\n"));

    Result convert = run({"convert", file("old.sgw"), file("new.sgw")});
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    EXPECT_EQ(convert.out + convert.err, "");
    record->settings.endCondition = 0;  // the previous format has none
    EXPECT_EQ(readBytes(file("new.sgw")), bytesOf(*record));

    EXPECT_EQ(expectFailure(run({"convert", file("new.sgw"), file("again.sgw")}), file("new.sgw")),
              "already in the current format");
    writeBytes(file("odd.sgw"), std::vector<std::uint8_t>(kPreviousSize - 1, 0));
    EXPECT_EQ(expectFailure(run({"convert", file("odd.sgw"), file("again.sgw")}), file("odd.sgw")),
              "wrong size: 346719 bytes (a previous-format workspace has 346720 bytes)");
    EXPECT_FALSE(test::exists(file("again.sgw")));
}

// --- overwriting --------------------------------------------------------------

TEST_F(CliTest, AnExistingOutputIsReplacedOnlyWithForceAndNeverAnInput) {
    writeText(file("game.json"), recordToJson(test::fullRecord(), false));
    writeRecord(file("full.sgw"), test::fullRecord());
    ASSERT_EQ(run({"pack", file("full.sgw"), file("full.sgp")}).exitCode, 0);
    writeBytes(file("old.sgw"), previousFormatOf(test::fullRecord()));
    const std::vector<std::vector<std::string>> commands = {
        {"load-json", file("game.json")},
        {"pack", file("full.sgw")},
        {"unpack", file("full.sgp")},
        {"convert", file("old.sgw")},
    };
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        const std::string out = file("precious");
        writeText(out, "the author's work");
        EXPECT_EQ(expectFailure(run({command[0], command[1], out}), out),
                  "already exists (use --force to replace it)");
        EXPECT_EQ(readText(out), "the author's work");

        Result forced = run({command[0], "--force", command[1], out});
        EXPECT_EQ(forced.exitCode, 0) << forced.err;
        EXPECT_NE(readText(out), "the author's work");

        // Not even --force writes onto the input, nor through a link to it.
        const std::vector<std::uint8_t> input = readBytes(command[1]);
        EXPECT_THAT(expectFailure(run({command[0], "--force", command[1], command[1]}), command[1]),
                    StartsWith("is also an input"));
        std::filesystem::create_symlink(command[1], file("alias"));
        EXPECT_THAT(
            expectFailure(run({command[0], "--force", command[1], file("alias")}), file("alias")),
            StartsWith("is also an input"));
        std::filesystem::remove(file("alias"));
        EXPECT_EQ(readBytes(command[1]), input);

        // Standard output is never refused.
        Result toStdout = run({command[0], command[1], "-"});
        EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
        EXPECT_FALSE(toStdout.out.empty());
    }
}

}  // namespace
}  // namespace banmen
