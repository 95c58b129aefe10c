// Runs `banmen-cli play` and `banmen-cli simulate` on small games: whole
// automatic games, their determinism, the three kinds of game file, forced
// dice, and the exit status of every way a game or a command can end.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/game_record.h"
#include "model/json_value.h"
#include "model/packed_block.h"
#include "support/cli_runner.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::readText;
using test::TempDir;
using test::writeBytes;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

using Result = test::CliResult;

void name(SquareDef& square, const std::string& text) {
    std::memset(square.name, 0, sizeof square.name);
    std::memcpy(square.name, text.data(), text.size());
}

// Twelve squares: a branch at 2 (to 3 or 6), a pass jump, an arrival jump
// and money changing hands on the way; the goal is 11.
GameRecord smallGame() {
    GameRecord r = test::defaultRecord();
    for (SquareDef& square : r.squares) {
        square.name[0] = 0;
    }
    for (int s = 0; s < 12; ++s) {
        SquareDef& q = r.squares[s];
        name(q, "S" + std::to_string(s));
        q.kind = s == 0 ? kSquareStart : s == 11 ? kSquareGoal : kSquareNormal;
        for (std::int32_t& next : q.nextSquares) {
            next = -1;
        }
        q.nextSquares[0] = s < 11 ? s + 1 : -1;
        q.arrivalJump = -1;
        q.passJump = -1;
        q.x = 50 * s;
        q.y = 300;
    }
    r.squares[2].nextSquares[1] = 6;
    r.squares[4].passJump = 8;
    r.squares[5].arrivalJump = 9;
    r.squares[3].updateCodes[0] = 0x200000;  // add from all others
    r.squares[3].updateValues[0] = 10;
    r.squares[7].updateCodes[0] = 0x101;  // subtract one die's worth
    r.squares[7].updateValues[0] = 5;
    return r;
}

std::vector<std::uint8_t> bytesOf(const GameRecord& record) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
    return {p, p + sizeof(GameRecord)};
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void putEntry(std::vector<std::uint8_t>& out, std::uint32_t attributes,
              const std::string& entryName, const std::vector<std::uint8_t>& data) {
    putU32(out, attributes);
    putU32(out, static_cast<std::uint32_t>(entryName.size() + 1));
    putU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), entryName.begin(), entryName.end());
    out.push_back(0);
    out.insert(out.end(), data.begin(), data.end());
}

class PlayCliTest : public ::testing::Test {
  protected:
    PlayCliTest() { writeBytes(game_, bytesOf(smallGame())); }

    Result run(const std::vector<std::string>& args,
               const std::optional<std::string>& input = std::nullopt) {
        return test::runCli(args, {{"BANMEN_HOME", dir_.path()}}, input);
    }

    // The transcript's lines, each parsed.
    std::vector<JsonValue> transcript(const std::string& path) {
        std::vector<JsonValue> lines;
        std::istringstream in(readText(path));
        std::string line;
        while (std::getline(in, line)) {
            JsonValue value;
            EXPECT_TRUE(parseJson(line, value).isOk()) << line;
            lines.push_back(value);
        }
        return lines;
    }

    TempDir dir_;
    std::string game_ = dir_.file("small.sgw");
};

TEST_F(PlayCliTest, AnAutomaticGameRunsToItsResultsAndRepeatsWithTheSameSeed) {
    const std::string first = dir_.file("first.jsonl");
    const std::string second = dir_.file("second.jsonl");
    const Result a = run({"play", "--auto", "--seed", "7", "--transcript", first, game_});
    const Result b = run({"play", game_, "--seed=7", "--auto", "--transcript", second});
    ASSERT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(a.err, "");
    EXPECT_THAT(a.out, HasSubstr("総合成績"));
    EXPECT_THAT(a.out, HasSubstr("game over after "));
    EXPECT_EQ(b.exitCode, 0);
    EXPECT_EQ(b.out, a.out);
    EXPECT_EQ(readText(second), readText(first));

    const std::vector<JsonValue> lines = transcript(first);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines.front().find("event")->asString(), "start");
    const JsonValue& end = lines.back();
    EXPECT_EQ(end.find("event")->asString(), "end");
    EXPECT_EQ(end.find("reason")->asString(), "finished");
    ASSERT_EQ(end.find("players")->elements().size(), 4u);
    int winners = 0;
    for (const JsonValue& player : end.find("players")->elements()) {
        EXPECT_EQ(player.find("dataValues")->elements().size(), 5u);
        EXPECT_EQ(player.find("stateTexts")->elements().size(), 3u);
        winners += player.find("rank")->isInteger() ? 1 : 0;
    }
    EXPECT_EQ(winners, 1);  // the first goal ends the game; nobody else is ranked
}

TEST_F(PlayCliTest, ATranscriptReplacesAFileOnlyWhenAskedAndNeverTheGame) {
    const std::string path = dir_.file("t.jsonl");
    test::writeText(path, "kept");
    const Result refused = run({"play", "--auto", "--transcript", path, game_});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.err, HasSubstr("already exists (use --force to replace it)"));
    EXPECT_EQ(readText(path), "kept");
    ASSERT_EQ(run({"play", "--auto", "--force", "--transcript", path, game_}).exitCode, 0);
    EXPECT_THAT(readText(path), StartsWith("{"));

    // Arguments swapped: the game is not overwritten, --force or not.
    const std::string game = readText(game_);
    const Result swapped = run({"play", "--auto", "--force", "--transcript", game_, game_});
    EXPECT_EQ(swapped.exitCode, 1);
    EXPECT_THAT(swapped.err, HasSubstr("is also an input of this command"));
    EXPECT_EQ(readText(game_), game);
}

TEST_F(PlayCliTest, AnotherSeedPlaysAnotherGame) {
    const std::string first = dir_.file("first.jsonl");
    const std::string second = dir_.file("second.jsonl");
    ASSERT_EQ(run({"play", "--auto", "--seed", "7", "--transcript", first, game_}).exitCode, 0);
    ASSERT_EQ(run({"play", "--auto", "--seed", "8", "--transcript", second, game_}).exitCode, 0);
    EXPECT_NE(readText(second), readText(first));
}

TEST_F(PlayCliTest, ForcedDiceAreTakenInOrder) {
    const std::string path = dir_.file("t.jsonl");
    ASSERT_EQ(run({"play", "--auto", "--dice", "2,6,1", "--transcript", path, game_}).exitCode, 0);
    std::vector<std::int64_t> faces;
    for (const JsonValue& line : transcript(path)) {
        if (line.find("event")->asString() == "throw") {
            faces.push_back(line.find("faces")->elements().front().asInteger());
        }
    }
    ASSERT_GE(faces.size(), 3u);
    EXPECT_EQ(faces[0], 2);
    EXPECT_EQ(faces[1], 6);
    EXPECT_EQ(faces[2], 1);
}

TEST_F(PlayCliTest, ProjectAndGameFilesPlayTheSameGame) {
    const std::vector<std::uint8_t> raw = bytesOf(smallGame());
    std::vector<std::uint8_t> packed(Pack(4, raw.data(), raw.size(), nullptr));
    packed.resize(Pack(4, raw.data(), raw.size(), packed.data()));
    const std::string project = dir_.file("small.sgp");
    writeBytes(project, packed);
    std::vector<std::uint8_t> archive = {'A', 'r', 'C', 'h', 0, 0, 0, 0};
    putEntry(archive, 0x10, "Sound Files", {});
    putEntry(archive, 0, "Sound Files\\x.sgp", {1, 2, 3});
    putEntry(archive, 0, "small.sgp", packed);
    const std::string built = dir_.file("small.sgr");
    writeBytes(built, archive);

    const Result workspace = run({"play", "--auto", "--seed", "3", game_});
    ASSERT_EQ(workspace.exitCode, 0) << workspace.err;
    EXPECT_EQ(run({"play", "--auto", "--seed", "3", project}).out, workspace.out);
    const Result fromArchive = run({"play", "--auto", "--seed", "3", built});
    EXPECT_EQ(fromArchive.exitCode, 0) << fromArchive.err;
    EXPECT_EQ(fromArchive.out, workspace.out);
}

TEST_F(PlayCliTest, BrokenGameFilesFailWithOneLine) {
    const std::string notArchive = dir_.file("bad.sgr");
    writeBytes(notArchive, {'A', 'r', 'C'});
    Result result = run({"play", "--auto", notArchive});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("ArCh"));

    const std::string truncated = dir_.file("cut.sgr");
    std::vector<std::uint8_t> archive = {'A', 'r', 'C', 'h', 0, 0, 0, 0};
    putEntry(archive, 0, "readme.txt", {'x'});
    archive.resize(archive.size() - 1);  // the last entry runs past the end
    writeBytes(truncated, archive);
    result = run({"play", "--auto", truncated});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);

    const std::string noProject = dir_.file("empty.sgr");
    archive.push_back('x');
    putEntry(archive, 0, "small.sgp.txt", {'y'});
    writeBytes(noProject, archive);
    result = run({"play", "--auto", noProject});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("empty.sgr"));

    result = run({"play", "--auto", dir_.file("missing.sgw")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    result = run({"play", "--auto", dir_.file("game.txt")});
    EXPECT_EQ(result.exitCode, 1);
}

TEST_F(PlayCliTest, WrongOptionsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"play", "--dice", "0,3", game_},
          {"play", "--dice", "3,,1", game_},
          {"play", "--players", "pcx", game_},
          {"play", "--seed", "-1", game_},
          {"play", "--max-turns", "0", game_},
          {"play", "--unknown", game_},
          {"play"},
          {"simulate", "--games", "none", game_}}) {
        const Result result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args[1];
        EXPECT_THAT(result.err, HasSubstr("usage: banmen-cli"));
    }
    const Result result = run({"play", "--players", "pc", game_});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("--players needs 4 letters"));
    EXPECT_EQ(run({"play", "--from", "S99", game_}).exitCode, 1);
}

TEST_F(PlayCliTest, AGameStoppedBeforeItsEndExitsWithThree) {
    const std::string path = dir_.file("t.jsonl");
    // Told in the one line of a failure, with the engine's notice.
    Result result = run({"play", "--auto", "--max-turns", "2", "--transcript", path, game_});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "banmen-cli: " + game_ +
                              ": stopped by the turn limit after 2 turns "
                              "(ターン数が上限に達したため、ゲームを終了します)\n");
    EXPECT_THAT(result.out, Not(HasSubstr("stopped")));
    EXPECT_EQ(transcript(path).back().find("reason")->asString(), "turnLimit");

    // A person at the keyboard who closes the input stops the game.
    result = run({"play", "--seed", "1", game_});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "banmen-cli: " + game_ + ": stopped in turn 0: the input ended\n");
}

TEST_F(PlayCliTest, AnEndlessChainOfJumpsIsStopped) {
    GameRecord r = smallGame();
    r.squares[1].arrivalJump = 2;
    r.squares[2].arrivalJump = 1;
    writeBytes(game_, bytesOf(r));
    const Result result = run({"play", "--auto", "--dice", "1", game_});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_THAT(result.err, StartsWith("banmen-cli: " + game_ +
                                       ": stopped in turn 1: a chain of jumps did not end ("));
    EXPECT_THAT(result.err, HasSubstr("1000"));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
}

TEST_F(PlayCliTest, APersonPlaysFromTheKeyboard) {
    std::string input;
    for (int i = 0; i < 400; ++i) {
        input += "1\n";  // Enter at a prompt, the first way at a branch
    }
    const std::string path = dir_.file("t.jsonl");
    const Result result =
        run({"play", "--players", "pppp", "--seed", "5", "--transcript", path, game_}, input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("プレイヤー１さんの番です"));
    EXPECT_THAT(result.out, HasSubstr("(Enter で投げる)"));
    EXPECT_THAT(result.out, HasSubstr("S2 から進む先を選んで下さい"));
    EXPECT_EQ(transcript(path).back().find("reason")->asString(), "finished");
}

TEST_F(PlayCliTest, ASquareDebugStartsOnTheNamedSquare) {
    const std::string path = dir_.file("t.jsonl");
    const Result result =
        run({"play", "--auto", "--seed", "2", "--from", "S11", "--transcript", path, game_});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<JsonValue> lines = transcript(path);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[1].find("event")->asString(), "move");
    EXPECT_EQ(lines[1].find("kind")->asString(), "debugStart");
    EXPECT_EQ(lines[1].find("to")->asInteger(), 11);
    EXPECT_EQ(lines.back().find("players")->elements()[0].find("rank")->asInteger(), 1);
}

TEST_F(PlayCliTest, SimulateCountsManyGames) {
    const Result result = run({"simulate", "--games", "200", "--seed", "1", game_});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("games: 200 (seed 1)"));
    EXPECT_THAT(result.out, HasSubstr("finished: 200"));
    EXPECT_THAT(result.out, HasSubstr("first places: "));
    EXPECT_THAT(result.out, HasSubstr(", nobody 0\n"));

    // Games stopped before anyone reached the goal have no first place.
    const Result stopped =
        run({"simulate", "--games", "20", "--seed", "1", "--max-turns", "1", game_});
    EXPECT_EQ(stopped.exitCode, 0) << stopped.err;
    EXPECT_THAT(stopped.out, HasSubstr("stopped by the turn limit: 20,"));
    EXPECT_THAT(stopped.out, HasSubstr(", nobody 20\n"));
}

}  // namespace
}  // namespace banmen
