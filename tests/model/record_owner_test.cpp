#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/default_folders.h"
#include "model/enum_texts.h"
#include "model/record_owner.h"
#include "platform/sjis.h"
#include "support/test_support.h"

namespace banmen {
namespace {

// Records which handlers ran, by identifier.
class WatchingOwner : public RecordOwner {
  public:
    std::vector<std::string> changed;
    std::vector<std::string> redrawn;

  protected:
    void FieldChanged(const FieldDescriptor& field) override {
        changed.emplace_back(field.identifierText());
    }
    void FieldRedraw(const FieldDescriptor& field) override {
        redrawn.emplace_back(field.identifierText());
    }
};

// Every test runs with a base folder whose "Image Files" it controls.
class RecordOwnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("BANMEN_HOME", home.path().c_str(), 1);
        setDefaultImageFolderProvider(nullptr);
    }
    void TearDown() override {
        unsetenv("BANMEN_HOME");
        setDefaultImageFolderProvider(nullptr);
    }
    test::TempDir home;
};

std::string text(const char* field, std::size_t width) {
    return sjis::toUtf8Lossy(std::string_view(field, strnlen(field, width)));
}
template <std::size_t N>
std::string text(const char (&field)[N]) {
    return text(field, N);
}

TEST_F(RecordOwnerTest, IdentifiersNameKindIndexFieldAndSub) {
    RecordOwner owner;
    EXPECT_EQ(owner.field(ObjectKind::Square, 12, kFieldName)->identifierText(), "OBJ005012002000");
    EXPECT_EQ(owner.field(ObjectKind::Square, 199, kFieldNextSquares, 3)->identifierText(),
              "OBJ005199034003");
    EXPECT_EQ(owner.field(ObjectKind::Game, 0, kFieldTitle)->identifierText(), "OBJ001000001000");
    EXPECT_EQ(owner.field(ObjectKind::Image, 299, kFieldImageMark)->identifierText(),
              "OBJ006299004000");
    const FieldDescriptor* found = owner.fieldByIdentifier("OBJ002003024004");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, owner.field(ObjectKind::Player, 3, kFieldValues, 4));
    EXPECT_EQ(owner.fieldByIdentifier("OBJ002004024004"), nullptr);  // player 5
    EXPECT_EQ(owner.fieldByIdentifier("OBJ00200302400"), nullptr);
    EXPECT_EQ(owner.field(ObjectKind::Square, 200, kFieldName), nullptr);
    EXPECT_EQ(owner.field(ObjectKind::Square, 0, kFieldDieJumps, 6), nullptr);
}

TEST_F(RecordOwnerTest, EveryDescriptorIsUniqueAndInsideItsBlock) {
    RecordOwner owner;
    std::set<std::string> identifiers;
    std::set<std::size_t> offsets;
    for (const FieldDescriptor& d : owner.allFields()) {
        EXPECT_TRUE(identifiers.insert(std::string(d.identifierText())).second)
            << d.identifierText();
        EXPECT_TRUE(offsets.insert(d.offset).second) << d.identifierText();
        const BlockSpec& block = blockSpec(d.objectKind());
        std::size_t start = block.base + block.size * static_cast<std::size_t>(d.index);
        EXPECT_GE(d.offset, start);
        EXPECT_LE(d.offset + d.spec->width, start + block.size) << d.identifierText();
    }
    // 10 settings, 4 x 15 player, 3 x 3 state, 5 x 5 data, 200 x 38 square,
    // 300 x 6 image, 20 x 4 sound fields.
    EXPECT_EQ(owner.allFields().size(), 10u + 4 * 15 + 3 * 3 + 5 * 5 + 200 * 38 + 300 * 6 + 20 * 4);
    EXPECT_EQ(owner.group(ObjectKind::Square, 7).size(), 38u);
}

TEST_F(RecordOwnerTest, SettingATextToItsCurrentValueChangesNothing) {
    WatchingOwner owner;
    owner.setModified(false);
    owner.changed.clear();
    const FieldDescriptor& title = *owner.field(ObjectKind::Game, 0, kFieldTitle);
    owner.SetText(title, sjis::lit("新規雙六"));
    EXPECT_FALSE(owner.modified());
    EXPECT_TRUE(owner.changed.empty());

    SetText(title, sjis::lit("春の雙六"));
    EXPECT_TRUE(owner.modified());
    EXPECT_EQ(owner.changed, std::vector<std::string>{"OBJ001000001000"});
    EXPECT_TRUE(owner.redrawn.empty());  // texts never redraw
    EXPECT_EQ(text(owner.record().settings.title), "春の雙六");
}

TEST_F(RecordOwnerTest, RedrawFollowsTheFieldsFlagAndTheNotificationSwitch) {
    WatchingOwner owner;
    owner.changed.clear();
    owner.redrawn.clear();
    SetNumber(*owner.field(ObjectKind::Square, 0, kFieldNextSquares, 1), 1);
    SetNumber(*owner.field(ObjectKind::Square, 0, kFieldKind), kSquareLucky);
    SetNumber(*owner.field(ObjectKind::Square, 0, kFieldX), 5);
    SetNumber(*owner.field(ObjectKind::Square, 0, kFieldY), 6);
    EXPECT_EQ(owner.changed.size(), 4u);
    EXPECT_EQ(owner.redrawn, (std::vector<std::string>{"OBJ005000034001", "OBJ005000039000"}));

    owner.setNotifications(false);
    SetNumber(*owner.field(ObjectKind::Square, 0, kFieldKind), kSquareUnlucky);
    EXPECT_EQ(owner.changed.size(), 5u);
    EXPECT_EQ(owner.redrawn.size(), 2u);
}

TEST_F(RecordOwnerTest, MarksAreWrittenWithoutNotification) {
    WatchingOwner owner;
    owner.setModified(false);
    owner.changed.clear();
    SetNumber(*owner.field(ObjectKind::Image, 4, kFieldImageMark), 77);
    EXPECT_EQ(owner.record().images[4].imageMark, 77);
    EXPECT_FALSE(owner.modified());
    EXPECT_TRUE(owner.changed.empty());
}

TEST_F(RecordOwnerTest, ResetToDefaultRestoresEveryFieldOfOneGroupOnly) {
    RecordOwner owner;
    GameRecord& record = owner.record();
    record.images[1].imageMark = 5;
    record.images[1].transparentColor = 0x123456;
    std::strcpy(record.images[1].name, "pic");
    record.images[1].width = 30;
    record.images[2].width = 40;
    owner.ResetToDefault(ObjectKind::Image, 1);
    EXPECT_EQ(record.images[1].imageMark, 0);
    EXPECT_EQ(record.images[1].transparentColor, -1);
    EXPECT_EQ(record.images[1].name[0], '\0');
    EXPECT_EQ(record.images[1].width, 0);
    EXPECT_EQ(record.images[2].width, 40);

    record.squares[5].dieJumps[5] = 3;
    record.squares[5].updateValues[4] = 9;
    owner.ResetToDefault(ObjectKind::Square, 5);
    EXPECT_EQ(record.squares[5].dieJumps[5], -1);
    EXPECT_EQ(record.squares[5].updateValues[4], 0);
    EXPECT_EQ(record.squares[5].picture, -1);
}

TEST_F(RecordOwnerTest, NewGameSettingsAndPlayers) {
    RecordOwner owner;
    const GameRecord& r = owner.record();
    EXPECT_EQ(r.headerMarker, 1);
    EXPECT_EQ(r.headerText[0], '\0');
    EXPECT_EQ(text(r.settings.title), "新規雙六");
    EXPECT_EQ(text(r.settings.bankName), "銀行");
    EXPECT_EQ(text(r.settings.helpText), "この雙六は．．．");
    // "Copyright 2026 " with the trailing blank.
    EXPECT_TRUE(std::regex_match(text(r.settings.rightsNotice), std::regex("Copyright [0-9]{4} ")))
        << text(r.settings.rightsNotice);
    EXPECT_EQ(r.settings.playerCount, 4);
    EXPECT_EQ(r.settings.gamePicture, -1);
    EXPECT_EQ(r.settings.helpPicture, -1);
    EXPECT_EQ(r.settings.music, -1);
    const char* names[] = {"プレイヤー１", "プレイヤー２", "プレイヤー３", "プレイヤー４"};
    for (int i = 0; i < kPlayerCount; ++i) {
        const PlayerDef& p = r.players[i];
        EXPECT_EQ(text(p.name), names[i]);
        EXPECT_EQ(p.picture, -1);
        EXPECT_EQ(p.startSquare, 0);
        EXPECT_EQ(p.currentSquare, -1);
        EXPECT_EQ(p.isComputer, 0);
        EXPECT_EQ(p.finishState, 0);
        EXPECT_EQ(p.stateTexts[2][0], '\0');
    }
    for (const PlayerStateDef& state : r.states) {
        EXPECT_EQ(state.name[0], '\0');
        EXPECT_EQ(state.visible, 0);
    }
    EXPECT_EQ(text(r.dataItems[0].name), "所持金");
    EXPECT_EQ(text(r.dataItems[0].unit), "円");
    EXPECT_EQ(r.dataItems[0].visible, 1);
    EXPECT_EQ(std::int32_t{r.dataItems[0].kind}, kDataMoney);  // a copy: the field is packed
    EXPECT_EQ(r.dataItems[1].name[0], '\0');
    // The modified flag is left set; callers clear it.
    EXPECT_TRUE(owner.modified());
    EXPECT_TRUE(owner.notificationsOn());
}

TEST_F(RecordOwnerTest, NewGameSoundsAndSquares) {
    RecordOwner owner;
    const GameRecord& r = owner.record();
    struct Expected {
        const char* name;
        const char* file;
        int repeat;
    } sounds[] = {{"バックミュージック１", "Game1.mp3", 0},
                  {"バックミュージック２", "Game2.mp3", 0},
                  {"", "", 1},
                  {"普通サウンド", "Normal.mp3", 1},
                  {"幸運サウンド", "Luck.mp3", 1},
                  {"不運サウンド", "UnLuck.mp3", 1},
                  {"１回休みサウンド", "Rest.mp3", 1},
                  {"スタートサウンド", "Start.mp3", 1},
                  {"ゴールサウンド", "Goal.mp3", 1},
                  {"リタイヤサウンド", "Retire.mp3", 1}};
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(text(r.sounds[n].name), sounds[n].name) << n;
        EXPECT_EQ(text(r.sounds[n].fileName), sounds[n].file) << n;
        EXPECT_EQ(r.sounds[n].repeat, sounds[n].repeat) << n;
    }
    for (int k = 0; k < kSquareKindCount; ++k) {
        EXPECT_EQ(r.sounds[k + 3].name, KindSoundName(k));
    }
    EXPECT_EQ(r.sounds[10].name[0], '\0');
    EXPECT_EQ(r.sounds[10].repeat, 1);

    EXPECT_EQ(text(r.squares[0].name), "スタート(1)");
    EXPECT_EQ(text(r.squares[1].name), "ゴール(2)");
    EXPECT_EQ(text(r.squares[2].name), "普通(3)");
    EXPECT_EQ(r.squares[0].x, 700);
    EXPECT_EQ(r.squares[0].y, 500);
    EXPECT_EQ(r.squares[0].kind, kSquareStart);
    EXPECT_EQ(r.squares[0].sound, 7);
    EXPECT_EQ(r.squares[0].nextSquares[0], 2);
    EXPECT_EQ(r.squares[0].nextSquares[1], -1);
    EXPECT_EQ(r.squares[1].nextSquares[0], -1);
    EXPECT_EQ(r.squares[1].sound, 8);
    EXPECT_EQ(r.squares[2].nextSquares[0], 1);
    EXPECT_EQ(r.squares[2].x, 100);
    EXPECT_EQ(r.squares[2].y, 500);
    EXPECT_EQ(r.squares[2].sound, 3);
    for (int s = 3; s < kSquareCount; ++s) {
        ASSERT_EQ(r.squares[s].name[0], '\0');
        ASSERT_EQ(r.squares[s].arrivalJump, -1);
        ASSERT_EQ(r.squares[s].dieJumps[5], -1);
        ASSERT_EQ(r.squares[s].nextSquares[3], -1);
    }
    for (const ImageDef& image : r.images) {
        ASSERT_EQ(image.name[0], '\0');  // no "Image Files" in the base folder
        ASSERT_EQ(image.transparentColor, -1);
    }
}

TEST_F(RecordOwnerTest, DefaultImagesAreTheBitmapsOfTheDefaultFolder) {
    test::TempDir images;
    test::writeText(images.file("森.bmp"), "x");
    test::writeText(images.file("UPPER.BMP"), "x");
    test::writeText(images.file("notes.txt"), "x");
    test::writeText(images.file("sound.wav"), "x");
    ASSERT_EQ(std::system(("mkdir '" + images.file("folder.bmp") + "'").c_str()), 0);
    setDefaultImageFolderProvider([&] { return images.path(); });

    RecordOwner owner;
    std::set<std::string> names;
    for (int m = 0; m < kImageCount; ++m) {
        const ImageDef& image = owner.record().images[m];
        if (image.name[0] == 0) {
            EXPECT_GE(m, 2);
            break;
        }
        EXPECT_EQ(image.transparentColor, static_cast<std::int32_t>(kTransparentMagenta));
        names.insert(text(image.name) + "|" + text(image.fileName));
    }
    EXPECT_EQ(names, (std::set<std::string>{"森|森.bmp", "UPPER|UPPER.BMP"}));
}

TEST_F(RecordOwnerTest, AMissingConfiguredFolderFallsBackToTheBaseFolder) {
    ASSERT_EQ(std::system(("mkdir '" + home.file("Image Files") + "'").c_str()), 0);
    test::writeText(home.file("Image Files/piece.bmp"), "x");
    setDefaultImageFolderProvider([] { return std::string("/nonexistent/folder"); });
    RecordOwner owner;
    EXPECT_EQ(text(owner.record().images[0].name), "piece");
    EXPECT_EQ(owner.record().images[1].name[0], '\0');
}

TEST_F(RecordOwnerTest, AtMostThreeHundredDefaultImages) {
    test::TempDir images;
    for (int i = 0; i < 305; ++i) {
        test::writeText(images.file("p" + std::to_string(i) + ".bmp"), "");
    }
    setDefaultImageFolderProvider([&] { return images.path(); });
    RecordOwner owner;
    for (const ImageDef& image : owner.record().images) {
        ASSERT_NE(image.name[0], '\0');
    }
}

TEST_F(RecordOwnerTest, ApplyingTheDefaultsAgainForgetsEveryEdit) {
    WatchingOwner owner;
    GameRecord& record = owner.record();
    record.squares[50].name[0] = 'x';
    record.settings.reserved2[0] = 1;
    record.players[2].reserved[7] = 1;
    GameRecord before;
    RecordOwner fresh;
    std::memcpy(&before, &fresh.record(), sizeof before);
    owner.ApplyNewGameDefaults();
    EXPECT_EQ(std::memcmp(&before, &record, sizeof before), 0);
    EXPECT_TRUE(owner.redrawn.empty());  // notifications were off throughout
}

}  // namespace
}  // namespace banmen
