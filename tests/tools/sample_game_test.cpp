// The sample game the build puts beside the programs: it loads, it shows
// every feature the help promises, every file it names is there and loads,
// and computers play it to its end.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bitset>
#include <set>
#include <string>

#include "media/bmp_reader.h"
#include "model/game_record.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "support/cli_runner.h"

namespace banmen {
namespace {

const std::string kFolder = std::string(BANMEN_BIN_DIR) + "/MyProjects/サンプル雙六";
const std::string kWorkspace = kFolder + "/サンプル雙六.sgw";

class SampleGameTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ReadWorkspaceFile(record_, kWorkspace)); }

    std::string mediaPath(const char* folder, const char* field) const {
        return kFolder + "/" + folder + "/" + sjis::toUtf8(fieldText(field, 64)).value_or("?");
    }

    GameRecord record_{};
};

TEST_F(SampleGameTest, ShowsEveryFeature) {
    int squares = 0;
    std::bitset<kSquareKindCount> kinds;
    std::bitset<5> operators;
    std::bitset<9> operands;
    std::bitset<3> targets;
    bool branch = false, arrival = false, pass = false, dice = false, supplement = false,
         ownSound = false, stateChange = false;
    for (const SquareDef& square : record_.squares) {
        if (!inUse(square)) {
            continue;
        }
        ++squares;
        EXPECT_NE(square.description[0], '\0') << fieldText(square.name);
        kinds.set(static_cast<std::size_t>(square.kind));
        int links = 0;
        for (const std::int32_t next : square.nextSquares) {
            links += next >= 0 ? 1 : 0;
        }
        branch = branch || links >= 2;
        arrival = arrival || square.arrivalJump >= 0;
        pass = pass || square.passJump >= 0;
        for (const std::int32_t jump : square.dieJumps) {
            dice = dice || jump >= 0;
        }
        supplement = supplement || square.supplementPicture >= 0;
        ownSound = ownSound || square.sound != square.kind + 3;
        for (const auto& change : square.stateChanges) {
            stateChange = stateChange || change[0] != '\0';
        }
        for (int u = 0; u < kUpdateCount; ++u) {
            const std::int32_t code = square.updateCodes[u];
            const bool setsConstant = (code & 0xFF) == 4 && (code & 0xFFF00) == 0;
            if (square.updateValues[u] == 0 && !setsConstant) {
                continue;  // an update that does nothing
            }
            operators.set(static_cast<std::size_t>(code & 0xFF));
            operands.set(static_cast<std::size_t>((code >> 8) & 0xFFF));
            // The counterpart matters to adding and subtracting only.
            if ((code & 0xFF) <= 1) {
                targets.set(static_cast<std::size_t>((code >> 20) & 0xF));
            }
        }
    }
    EXPECT_GE(squares, 60);
    EXPECT_TRUE(kinds.all()) << kinds;
    EXPECT_TRUE(operators.all()) << operators;
    EXPECT_TRUE(operands.all()) << operands;
    EXPECT_TRUE(targets.all()) << targets;
    EXPECT_TRUE(branch && arrival && pass && dice && supplement && ownSound && stateChange);

    std::set<std::int32_t> shownStates, shownData;
    for (const PlayerStateDef& state : record_.states) {
        shownStates.insert(std::int32_t{state.visible});  // a copy: the field is packed
    }
    for (const PlayerDataDef& item : record_.dataItems) {
        shownData.insert(std::int32_t{item.visible});
    }
    EXPECT_EQ(shownStates, (std::set<std::int32_t>{0, 1}));
    EXPECT_EQ(shownData, (std::set<std::int32_t>{0, 1}));
    EXPECT_NE(record_.settings.helpText[0], '\0');
    EXPECT_GE(record_.settings.helpPicture, 0);
    EXPECT_GE(record_.settings.gamePicture, 0);
    EXPECT_GE(record_.settings.music, 0);
    EXPECT_EQ(record_.settings.playerCount, 4);
}

TEST_F(SampleGameTest, EveryMediaFileIsThereAndLoads) {
    int pictures = 0;
    for (const ImageDef& image : record_.images) {
        if (!inUse(image)) {
            continue;
        }
        DibImage picture;
        const std::string path = mediaPath("Image Files", image.fileName);
        ASSERT_TRUE(ReadBmpFile(path, picture)) << path;
        EXPECT_EQ(picture.info.width, image.width) << path;
        ++pictures;
    }
    EXPECT_GE(pictures, 10);
    int sounds = 0;
    for (const SoundDef& sound : record_.sounds) {
        if (sound.name[0] != '\0') {
            EXPECT_GT(FileSize(mediaPath("Sound Files", sound.fileName)), 1000)
                << fieldText(sound.fileName);
            ++sounds;
        }
    }
    EXPECT_GE(sounds, 10);
}

TEST(SampleGamePlayTest, ComputersFinishItWithAnySeed) {
    for (const char* seed : {"1", "7", "42", "2024", "31337"}) {
        const test::CliResult result = test::runCli({"play", kWorkspace, "--auto", "--seed", seed});
        EXPECT_EQ(result.exitCode, 0) << "seed " << seed << ": " << result.err;
        EXPECT_THAT(result.out, ::testing::HasSubstr("おわり")) << "seed " << seed;
    }
}

TEST(SampleGamePlayTest, AnalysisFindsNoProblem) {
    const test::CliResult result = test::runCli({"analyze", kWorkspace, "--games", "300"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, ::testing::StartsWith("findings: 0\n"));
    EXPECT_THAT(result.out, ::testing::HasSubstr("stopped by the turn limit: 0"));
}

}  // namespace
}  // namespace banmen
