// banmen-cli analyze: the JSON a tool reads, the text a person reads, the
// three kinds of game file, and wrong arguments.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>
#include <string>
#include <vector>

#include "model/game_record.h"
#include "platform/sjis.h"
#include "support/cli_runner.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::TempDir;
using ::testing::HasSubstr;

// Squares 0..8 in a line to the goal 8; square 4 has no description. No
// sounds: the programs' default sounds are not in the test's base folder.
GameRecord lineGame() {
    GameRecord r = test::defaultRecord();
    std::memset(r.sounds, 0, sizeof r.sounds);
    for (int s = 0; s < kSquareCount; ++s) {
        std::memset(&r.squares[s], 0, sizeof r.squares[s]);
    }
    for (int s = 0; s <= 8; ++s) {
        SquareDef& q = r.squares[s];
        const std::string name = "S" + std::to_string(s);
        std::memcpy(q.name, name.data(), name.size());
        if (s != 4) {
            std::memcpy(q.description, "d", 1);
        }
        q.kind = s == 0 ? kSquareStart : s == 8 ? kSquareGoal : kSquareNormal;
        q.picture = q.supplementPicture = q.sound = q.arrivalJump = q.passJump = -1;
        for (std::int32_t& j : q.dieJumps) {
            j = -1;
        }
        for (std::int32_t& n : q.nextSquares) {
            n = -1;
        }
        q.nextSquares[0] = s < 8 ? s + 1 : -1;
    }
    r.settings.playerCount = 3;
    return r;
}

class AnalyzeCliTest : public ::testing::Test {
  protected:
    AnalyzeCliTest() {
        const GameRecord r = lineGame();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&r);
        test::writeBytes(game(), {bytes, bytes + sizeof r});
    }

    test::CliResult run(std::vector<std::string> args) {
        return test::runCli(args, {{"BANMEN_HOME", dir_.file("home")},
                                   {"XDG_CONFIG_HOME", dir_.file("config")},
                                   {"TMPDIR", dir_.path()}});
    }
    std::string game() const { return dir_.file("line.sgw"); }

    TempDir dir_;
};

TEST_F(AnalyzeCliTest, JsonHasTheReportAndTheFindings) {
    const test::CliResult one =
        run({"analyze", game(), "--games", "40", "--seed", "9", "--threads", "1", "--json"});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    const test::CliResult two =
        run({"analyze", game(), "--games", "40", "--seed", "9", "--threads", "2", "--json"});
    EXPECT_EQ(two.out, one.out);

    std::size_t last = 0;
    for (const char* key : {"\"games\"", "\"seed\"", "\"finished\"", "\"stoppedByTurnLimit\"",
                            "\"stoppedByJumpChain\"", "\"turnsPerGame\"", "\"players\"",
                            "\"squares\"", "\"findings\""}) {
        const std::size_t at = one.out.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key << " out of order";
        last = at;
    }
    QJsonParseError error;
    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(one.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << one.out;
    EXPECT_EQ(json["games"].toInt(), 40);
    EXPECT_EQ(json["seed"].toInt(), 9);
    EXPECT_EQ(json["finished"].toInt(), 40);
    const QJsonObject turns = json["turnsPerGame"].toObject();
    EXPECT_GE(turns["max"].toInt(), turns["p90"].toInt());
    EXPECT_GE(turns["p90"].toDouble(), turns["median"].toDouble());
    EXPECT_GT(turns["mean"].toDouble(), 0);

    const QJsonArray players = json["players"].toArray();
    ASSERT_EQ(players.size(), 3);
    int winners = 0;
    for (int p = 0; p < 3; ++p) {
        const QJsonObject player = players[p].toObject();
        EXPECT_EQ(player["index"].toInt(), p);
        EXPECT_EQ(player["name"].toString().toStdString(),
                  "プレイヤー" + std::string(p == 0   ? "１"
                                             : p == 1 ? "２"
                                                      : "３"));
        EXPECT_EQ(player["ranks"].toArray().size(), 3);
        winners += player["ranks"].toArray()[0].toInt();
    }
    EXPECT_EQ(winners, 40);  // one first place per game that ends at the first goal

    const QJsonArray squares = json["squares"].toArray();
    ASSERT_EQ(squares.size(), 9);
    EXPECT_EQ(squares[8].toObject()["stops"].toInt(), 40);  // the goal, once per game
    EXPECT_EQ(squares[0].toObject()["stops"].toInt(), 0);

    const QJsonArray findings = json["findings"].toArray();
    ASSERT_EQ(findings.size(), 1) << one.out;
    EXPECT_EQ(findings[0].toObject()["code"].toString(), "noDescription");
    EXPECT_EQ(findings[0].toObject()["square"].toInt(), 4);
    EXPECT_EQ(findings[0].toObject()["message"].toString().toStdString(),
              "マス5 [S4] に説明がありません");
}

TEST_F(AnalyzeCliTest, TextForPeopleAndTheBuiltGameGiveTheSameReport) {
    const test::CliResult text = run({"analyze", game(), "--games", "30"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_THAT(text.out, HasSubstr("noDescription: マス5 [S4] に説明がありません"));
    EXPECT_THAT(text.out, HasSubstr("games: 30 (seed 1, at most 1000 turns each)"));

    ASSERT_EQ(run({"build", game(), "--out", dir_.file("line.sgr")}).exitCode, 0);
    const test::CliResult built = run({"analyze", dir_.file("line.sgr"), "--games", "30"});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.out, text.out);
}

TEST_F(AnalyzeCliTest, WrongArgumentsAndFilesAreRefused) {
    EXPECT_EQ(run({"analyze", game(), "--threads", "0"}).exitCode, 2);
    EXPECT_EQ(run({"analyze", game(), "--games", "x"}).exitCode, 2);
    const test::CliResult missing = run({"analyze", dir_.file("none.sgw")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("none.sgw"));
}

}  // namespace
}  // namespace banmen
