#include "model/record_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "model/field_table.h"
#include "model/json_value.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

using ::testing::HasSubstr;

using RecordPtr = std::unique_ptr<GameRecord>;

RecordPtr copyOf(const GameRecord& record) {
    return std::make_unique<GameRecord>(record);
}

std::uint8_t* bytesOf(GameRecord& record) {
    return reinterpret_cast<std::uint8_t*>(&record);
}

// dump -> load must give back every byte, with and without all slots; and
// dumping the loaded record gives the same text again.
void expectRoundTrip(const GameRecord& record, const std::string& what) {
    for (bool allSlots : {false, true}) {
        const std::string json = recordToJson(record, allSlots);
        auto back = std::make_unique<GameRecord>();
        std::memset(back.get(), 0xA5, sizeof(GameRecord));
        Status status = recordFromJson(json, *back);
        ASSERT_TRUE(status) << what << " allSlots=" << allSlots << ": " << status.reason();
        const auto* a = reinterpret_cast<const std::uint8_t*>(&record);
        const auto* b = reinterpret_cast<const std::uint8_t*>(back.get());
        if (std::memcmp(a, b, sizeof(GameRecord)) != 0) {
            std::size_t first = 0;
            while (a[first] == b[first]) {
                ++first;
            }
            FAIL() << what << " allSlots=" << allSlots << ": first difference at byte " << first;
        }
        EXPECT_EQ(recordToJson(*back, allSlots), json) << what;
    }
}

JsonValue dumped(const GameRecord& record, bool allSlots = false) {
    JsonValue root;
    Status status = parseJson(recordToJson(record, allSlots), root);
    EXPECT_TRUE(status) << status.reason();
    return root;
}

JsonValue& element(JsonValue& root, const char* array, std::size_t position) {
    return root.find(array)->elements().at(position);
}

// -------------------------------------------------------------------------
// Round trips

TEST(RecordJsonRoundTrip, DefaultRecord) {
    const GameRecord record = test::defaultRecord();
    expectRoundTrip(record, "default");

    const JsonValue root = dumped(record);
    EXPECT_EQ(root.find("headerMarker")->asInteger(), 1);
    EXPECT_EQ(root.find("headerText")->asString(), "");
    EXPECT_EQ(root.find("settings")->find("title")->asString(), "新規雙六");
    EXPECT_EQ(root.find("settings")->find("bankName")->asString(), "銀行");
    EXPECT_EQ(root.find("players")->elements().size(), 4u);
    EXPECT_EQ(root.find("players")->elements()[3].find("name")->asString(), "プレイヤー４");
    EXPECT_EQ(root.find("states")->elements().size(), 3u);
    EXPECT_EQ(root.find("dataItems")->elements().size(), 5u);
    EXPECT_EQ(root.find("dataItems")->elements()[0].find("unit")->asString(), "円");
    // Only the slots in use: 3 squares, no images, sounds 0, 1 and 3..9.
    ASSERT_EQ(root.find("squares")->elements().size(), 3u);
    EXPECT_EQ(root.find("squares")->elements()[2].find("index")->asInteger(), 2);
    EXPECT_EQ(root.find("squares")->elements()[0].find("name")->asString(), "スタート(1)");
    EXPECT_TRUE(root.find("images")->elements().empty());
    ASSERT_EQ(root.find("sounds")->elements().size(), 9u);
    EXPECT_EQ(root.find("sounds")->elements()[2].find("index")->asInteger(), 3);
    // All-zero reserved areas are left out.
    EXPECT_EQ(root.find("reserved1"), nullptr);
    EXPECT_EQ(root.find("settings")->find("reserved2"), nullptr);

    const JsonValue all = dumped(record, true);
    EXPECT_EQ(all.find("squares")->elements().size(), 200u);
    EXPECT_EQ(all.find("images")->elements().size(), 300u);
    EXPECT_EQ(all.find("sounds")->elements().size(), 20u);
    EXPECT_EQ(all.find("images")->elements()[299].find("index")->asInteger(), 299);
}

TEST(RecordJsonRoundTrip, FullRecord) {
    const GameRecord record = test::fullRecord();
    expectRoundTrip(record, "full");
    const JsonValue root = dumped(record);
    EXPECT_EQ(root.find("squares")->elements().size(), 200u);
    EXPECT_EQ(root.find("images")->elements().size(), 300u);
    EXPECT_EQ(root.find("sounds")->elements().size(), 20u);
}

TEST(RecordJsonRoundTrip, ZeroRecord) {
    // Every slot of a zeroed record differs from a reset slot (whose numbers
    // are -1 or 1 where the defaults say so), so all of them are listed.
    auto record = std::make_unique<GameRecord>();
    std::memset(record.get(), 0, sizeof(GameRecord));
    expectRoundTrip(*record, "zero");
    EXPECT_EQ(dumped(*record).find("squares")->elements().size(), 200u);
}

TEST(RecordJsonRoundTrip, OddTextBytesUseTheBytesForm) {
    RecordPtr record = copyOf(test::defaultRecord());
    GameRecord& r = *record;
    // Garbage after the terminator.
    std::memcpy(r.settings.title, "ab\0cd", 5);
    // A double-byte character cut by the terminator.
    std::memcpy(r.players[0].name, "x\x82", 3);
    // A byte with no Unicode counterpart.
    std::memcpy(r.players[1].stateTexts[2], "\x80", 2);
    // A character with two codes: this one comes back as FA 40, not EE EF.
    std::memcpy(r.states[0].name, "\xEE\xEF", 3);
    // A text that fills the width without a terminator.
    std::memset(r.dataItems[0].unit, 'u', sizeof r.dataItems[0].unit);
    // Bytes after the byte limit of a wide field (the limit is 62 of 128).
    r.dataItems[1].description[100] = 1;
    // 63 bytes: one over the limit, although the width has room.
    std::memset(r.squares[0].description, 'd', 63);
    r.squares[0].description[63] = 0;
    expectRoundTrip(r, "odd texts");

    const JsonValue root = dumped(r);
    const JsonValue* title = root.find("settings")->find("title");
    ASSERT_TRUE(title->isObject());
    const std::string hex = title->find("bytes")->asString();
    EXPECT_EQ(hex.size(), 128u);
    EXPECT_EQ(hex.substr(0, 10), "6162006364");
    EXPECT_TRUE(root.find("players")->elements()[0].find("name")->isObject());
    EXPECT_TRUE(root.find("players")->elements()[1].find("stateTexts")->elements()[2].isObject());
    EXPECT_TRUE(root.find("players")->elements()[1].find("stateTexts")->elements()[1].isString());
    EXPECT_TRUE(root.find("states")->elements()[0].find("name")->isObject());
    EXPECT_EQ(root.find("dataItems")->elements()[0].find("unit")->find("bytes")->asString(),
              "757575757575");
    EXPECT_EQ(
        root.find("dataItems")->elements()[1].find("description")->find("bytes")->asString().size(),
        256u);
    EXPECT_TRUE(root.find("squares")->elements()[0].find("description")->isObject());
}

TEST(RecordJsonRoundTrip, TextsThatStayStrings) {
    RecordPtr record = copyOf(test::defaultRecord());
    GameRecord& r = *record;
    // Exactly at the limit, control characters, backslash and quotes.
    std::memset(r.settings.bankName, 'b', kNameMax);
    std::memset(r.settings.rightsNotice, 0, sizeof r.settings.rightsNotice);
    std::memcpy(r.settings.rightsNotice, "a\r\nb\t\"\\\x1b", 8);
    std::memset(r.settings.helpText, 'h', kHelpTextMax);
    std::memcpy(r.dataItems[2].unit, "\x89\x7e\x82\xa0", 4);  // 円 is 89 7E; あ
    expectRoundTrip(r, "plain texts");
    const JsonValue root = dumped(r);
    EXPECT_EQ(root.find("settings")->find("bankName")->asString(), std::string(kNameMax, 'b'));
    EXPECT_EQ(root.find("settings")->find("rightsNotice")->asString(), "a\r\nb\t\"\\\x1b");
    EXPECT_EQ(root.find("settings")->find("helpText")->asString().size(), kHelpTextMax);
    EXPECT_EQ(root.find("dataItems")->elements()[2].find("unit")->asString(), "円あ");
}

TEST(RecordJsonRoundTrip, ReservedAreasNamedAsTheStructMembers) {
    RecordPtr record = copyOf(test::defaultRecord());
    GameRecord& r = *record;
    r.reserved1[5] = 0x11;
    r.reserved2[0] = 0x22;
    r.settings.reserved1[0] = 0x33;
    r.settings.reserved2[335] = 0x44;
    r.players[3].reserved[255] = 0x55;
    r.states[2].reserved[0] = 0x66;
    r.squares[199].reserved[10] = 0x77;
    r.images[0].reserved[63] = 0x88;
    r.sounds[19].reserved[1] = 0x99;
    expectRoundTrip(r, "reserved");

    const JsonValue root = dumped(r);
    EXPECT_EQ(root.find("reserved1")->asString(),
              "00000000"
              "0011");
    EXPECT_EQ(root.find("reserved2")->asString(), "22000000");
    EXPECT_EQ(root.find("settings")->find("reserved1")->asString().substr(0, 4), "3300");
    const std::string settings2 = root.find("settings")->find("reserved2")->asString();
    EXPECT_EQ(settings2.size(), 2u * sizeof r.settings.reserved2);
    EXPECT_EQ(settings2.substr(settings2.size() - 2), "44");
    EXPECT_EQ(root.find("players")->elements()[3].find("reserved")->asString().size(), 512u);
    EXPECT_EQ(root.find("players")->elements()[2].find("reserved"), nullptr);
    EXPECT_EQ(root.find("states")->elements()[2].find("reserved")->asString().substr(0, 2), "66");
    // Free slots with only reserved bytes set are listed, with their index.
    const JsonValue& squares = *root.find("squares");
    ASSERT_EQ(squares.elements().size(), 4u);
    EXPECT_EQ(squares.elements()[3].find("index")->asInteger(), 199);
    EXPECT_EQ(squares.elements()[3].find("name")->asString(), "");
    EXPECT_EQ(root.find("images")->elements()[0].find("reserved")->asString().substr(126), "88");
    EXPECT_EQ(root.find("sounds")->elements().back().find("index")->asInteger(), 19);
}

TEST(RecordJsonRoundTrip, FreeSlotsWithLeftoverData) {
    RecordPtr record = copyOf(test::fullRecord());
    GameRecord& r = *record;
    // Deleting clears only the first byte of the name.
    r.squares[17].name[0] = 0;
    r.images[5].name[0] = 0;
    r.sounds[2].name[0] = 0;
    // A free slot that differs from a reset one only in a number.
    r.images[299] = test::defaultRecord().images[299];
    r.images[299].name[0] = 0;
    r.images[299].width = 3;
    expectRoundTrip(r, "leftovers");
    const JsonValue root = dumped(r);
    // The cleared names keep their tail, so they need the bytes form.
    const JsonValue& square17 = root.find("squares")->elements()[17];
    EXPECT_EQ(square17.find("index")->asInteger(), 17);
    EXPECT_TRUE(square17.find("name")->isObject());
    EXPECT_EQ(root.find("images")->elements()[299].find("width")->asInteger(), 3);
}

TEST(RecordJsonRoundTrip, ExtremeNumbers) {
    RecordPtr record = copyOf(test::fullRecord());
    GameRecord& r = *record;
    r.headerMarker = INT32_MIN;
    r.settings.playerCount = INT32_MAX;
    r.settings.gamePicture = 123456;  // a reference to nothing
    r.players[0].dataValues[4] = INT32_MIN;
    r.squares[5].dieJumps[0] = -2;
    r.squares[5].updateCodes[4] = 0x7FFFFFFF;
    r.images[1].transparentColor = static_cast<std::int32_t>(0x80FF00FF);
    r.sounds[0].soundMark = -99;
    expectRoundTrip(r, "numbers");
}

TEST(RecordJsonRoundTrip, RandomByteMutations) {
    const GameRecord full = test::fullRecord();
    const GameRecord plain = test::defaultRecord();
    std::mt19937 random(20240229);
    std::uniform_int_distribution<std::size_t> offset(0, sizeof(GameRecord) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> count(1, 64);
    for (int round = 0; round < 40; ++round) {
        RecordPtr record = copyOf(round % 2 == 0 ? full : plain);
        const int n = count(random);
        for (int i = 0; i < n; ++i) {
            bytesOf(*record)[offset(random)] = static_cast<std::uint8_t>(byte(random));
        }
        expectRoundTrip(*record, "mutation round " + std::to_string(round));
        if (HasFatalFailure() || HasFailure()) {
            return;
        }
    }
}

TEST(RecordJsonRoundTrip, RandomTextBytes) {
    // Texts made of random CP932-ish bytes: some convert, most do not.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    RecordPtr record = copyOf(test::fullRecord());
    for (int s = 0; s < kSquareCount; ++s) {
        for (std::size_t i = 0; i < 8; ++i) {
            record->squares[s].name[i] = static_cast<char>(byte(random) | 0x80);
        }
    }
    expectRoundTrip(*record, "random texts");
}

TEST(RecordJsonRoundTrip, EntirelyRandomRecord) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    auto record = std::make_unique<GameRecord>();
    for (std::size_t i = 0; i < sizeof(GameRecord); ++i) {
        bytesOf(*record)[i] = static_cast<std::uint8_t>(byte(random));
    }
    expectRoundTrip(*record, "random");
}

TEST(RecordJsonLoad, OmittedSlotsAreFreshlyReset) {
    RecordPtr record = copyOf(test::fullRecord());
    JsonValue root = dumped(*record);
    // Leave out square 7, image 0 and every sound.
    auto& squares = root.find("squares")->elements();
    squares.erase(squares.begin() + 7);
    root.find("images")->elements().erase(root.find("images")->elements().begin());
    root.set("sounds", JsonValue::array());
    auto back = std::make_unique<GameRecord>();
    ASSERT_TRUE(recordFromJson(writeJson(root), *back));

    const SquareDef& square = back->squares[7];
    EXPECT_EQ(square.name[0], 0);
    EXPECT_EQ(square.picture, -1);
    EXPECT_EQ(square.sound, -1);
    EXPECT_EQ(square.dieJumps[5], -1);
    EXPECT_EQ(square.nextSquares[3], -1);
    EXPECT_EQ(square.kind, 0);
    EXPECT_EQ(square.x, 0);
    EXPECT_EQ(back->images[0].transparentColor, -1);
    EXPECT_EQ(back->images[0].imageMark, 0);
    EXPECT_EQ(back->sounds[12].repeat, 1);
    // Everything else is as it was.
    EXPECT_EQ(std::memcmp(&back->squares[8], &record->squares[8], sizeof(SquareDef)), 0);
    EXPECT_EQ(std::memcmp(&back->settings, &record->settings, sizeof(GameSettings)), 0);
    // A reset slot carries no data: the dump leaves it out again.
    const JsonValue again = dumped(*back);
    EXPECT_EQ(again.find("squares")->elements().size(), 199u);
    EXPECT_TRUE(again.find("sounds")->elements().empty());
}

TEST(RecordJsonLoad, SlotsInAnyOrderAndTextsInBothForms) {
    RecordPtr record = copyOf(test::fullRecord());
    JsonValue root = dumped(*record);
    auto& squares = root.find("squares")->elements();
    std::reverse(squares.begin(), squares.end());
    // The bytes form of a plain text loads the same bytes (upper-case hex too).
    JsonValue bytes = JsonValue::object();
    bytes.set("bytes", JsonValue::string("41" + std::string(126, '0')));
    *element(root, "players", 0).find("name") = bytes;
    JsonValue upper = JsonValue::object();
    upper.set("bytes", JsonValue::string("4A" + std::string(126, '0')));
    *element(root, "players", 1).find("name") = upper;
    auto back = std::make_unique<GameRecord>();
    ASSERT_TRUE(recordFromJson(writeJson(root), *back));
    EXPECT_STREQ(back->players[0].name, "A");
    EXPECT_STREQ(back->players[1].name, "J");
    EXPECT_EQ(std::memcmp(back->squares, record->squares, sizeof record->squares), 0);
}

TEST(RecordJsonLoad, MutatedJsonTextLoadsOrFailsCleanly) {
    const std::string json = recordToJson(test::fullRecord(), false);
    const GameRecord before = test::defaultRecord();
    std::mt19937 random(31);
    std::uniform_int_distribution<std::size_t> offset(0, json.size() - 1);
    const std::string alphabet =
        "{}[]\",:-0123456789 \\u\n\xE3\x81\x82"
        "ae";
    int failures = 0;
    for (int round = 0; round < 300; ++round) {
        std::string text = json;
        for (int i = 0; i < 3; ++i) {
            const std::size_t at = offset(random);
            switch (random() % 3) {
                case 0:
                    text[at] = alphabet[random() % alphabet.size()];
                    break;
                case 1:
                    text.erase(at, 1 + random() % 8);
                    break;
                default:
                    text.insert(at, 1, alphabet[random() % alphabet.size()]);
                    break;
            }
        }
        auto out = std::make_unique<GameRecord>(before);
        Status status = recordFromJson(text, *out);
        if (!status) {
            ++failures;
            EXPECT_FALSE(status.reason().empty());
            EXPECT_EQ(status.reason().find('\n'), std::string::npos) << status.reason();
            EXPECT_EQ(std::memcmp(out.get(), &before, sizeof(GameRecord)), 0);
        }
    }
    // Most mutations break the text or the record; a few land in a string.
    EXPECT_GT(failures, 200);
}

// -------------------------------------------------------------------------
// Load errors

class RecordJsonError : public ::testing::Test {
  protected:
    // Loads the JSON, expects failure and an unchanged destination.
    std::string errorOf(const std::string& json) {
        auto out = std::make_unique<GameRecord>();
        std::memset(out.get(), 0x5A, sizeof(GameRecord));
        Status status = recordFromJson(json, *out);
        EXPECT_FALSE(status);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(out.get());
        for (std::size_t i = 0; i < sizeof(GameRecord); ++i) {
            if (bytes[i] != 0x5A) {
                ADD_FAILURE() << "the destination changed at byte " << i;
                break;
            }
        }
        return status.reason();
    }
    std::string errorOf(const JsonValue& root) { return errorOf(writeJson(root)); }

    JsonValue& settings() { return *root_.find("settings"); }
    JsonValue& player(std::size_t i) { return element(root_, "players", i); }
    JsonValue& square(std::size_t position) { return element(root_, "squares", position); }

    // The full record: every square is listed at the position of its index.
    JsonValue root_ = dumped(test::fullRecord());
};

TEST_F(RecordJsonError, Syntax) {
    EXPECT_EQ(errorOf("{\n  \"headerMarker\": 1.5\n}"),
              "line 2, column 20: only whole numbers are allowed (no fractions or exponents)");
    EXPECT_EQ(errorOf(""), "line 1, column 1: no JSON value (the text is empty)");
    EXPECT_EQ(errorOf("[]"), "top level: expected an object, got an array");
}

TEST_F(RecordJsonError, UnknownKeys) {
    root_.set("extra", JsonValue::integer(1));
    EXPECT_EQ(errorOf(root_), "extra: unknown key");
    root_.erase("extra");
    settings().set("titel", JsonValue::string("x"));
    EXPECT_EQ(errorOf(root_), "settings.titel: unknown key");
    settings().erase("titel");
    square(3).set("nmae", JsonValue::string("x"));
    EXPECT_EQ(errorOf(root_), "squares[3].nmae: unknown key");
    square(3).erase("nmae");
    square(3).set("line\nbreak", JsonValue::string("x"));
    EXPECT_EQ(errorOf(root_), "squares[3].\"line\\nbreak\": unknown key");
    square(3).erase("line\nbreak");
    root_.set("", JsonValue::integer(1));
    EXPECT_EQ(errorOf(root_), "\"\": unknown key");
    root_.erase("");
    // "index" belongs to slots only.
    player(2).set("index", JsonValue::integer(2));
    EXPECT_EQ(errorOf(root_), "players[2].index: unknown key");
    player(2).erase("index");
    JsonValue bytes = JsonValue::object();
    bytes.set("bytes", JsonValue::string(std::string(128, '0')));
    bytes.set("more", JsonValue::integer(0));
    *player(1).find("name") = bytes;
    EXPECT_EQ(errorOf(root_), "players[1].name.more: unknown key");
    // A reserved name the block does not have.
    JsonValue fresh = dumped(test::fullRecord());
    element(fresh, "dataItems", 0).set("reserved", JsonValue::string(""));
    EXPECT_EQ(errorOf(fresh), "dataItems[0].reserved: unknown key");
    fresh = dumped(test::fullRecord());
    fresh.find("settings")->set("reserved", JsonValue::string(""));
    EXPECT_EQ(errorOf(fresh), "settings.reserved: unknown key");
}

TEST_F(RecordJsonError, MissingFields) {
    JsonValue root = root_;
    root.find("settings")->erase("title");
    EXPECT_EQ(errorOf(root), "settings.title: missing");
    root = root_;
    element(root, "players", 2).erase("dataValues");
    EXPECT_EQ(errorOf(root), "players[2].dataValues: missing");
    root = root_;
    element(root, "squares", 9).erase("y");
    EXPECT_EQ(errorOf(root), "squares[9].y: missing");
    root = root_;
    element(root, "images", 4).erase("imageMark");
    EXPECT_EQ(errorOf(root), "images[4].imageMark: missing");
    root = root_;
    element(root, "squares", 9).erase("index");
    EXPECT_EQ(errorOf(root), "squares, element 9: missing \"index\"");
    for (const char* key : {"headerMarker", "headerText", "settings", "players", "states",
                            "dataItems", "squares", "images", "sounds"}) {
        root = root_;
        root.erase(key);
        EXPECT_EQ(errorOf(root), std::string(key) + ": missing");
    }
    root = root_;
    JsonValue bytes = JsonValue::object();
    *element(root, "states", 1).find("name") = bytes;
    EXPECT_EQ(errorOf(root), "states[1].name.bytes: missing");
}

TEST_F(RecordJsonError, WrongTypes) {
    JsonValue root = root_;
    *root.find("settings")->find("playerCount") = JsonValue::string("4");
    EXPECT_EQ(errorOf(root), "settings.playerCount: expected an integer, got a string");
    root = root_;
    *element(root, "players", 0).find("name") = JsonValue::integer(1);
    EXPECT_EQ(errorOf(root),
              "players[0].name: expected a text (a string, or {\"bytes\": \"<hex>\"}), got an "
              "integer");
    root = root_;
    *element(root, "squares", 4).find("dieJumps") = JsonValue::integer(-1);
    EXPECT_EQ(errorOf(root),
              "squares[4].dieJumps: expected an array of 6 elements, got an integer");
    root = root_;
    element(root, "squares", 4).find("dieJumps")->elements().pop_back();
    EXPECT_EQ(errorOf(root), "squares[4].dieJumps: expected 6 elements, got 5");
    root = root_;
    element(root, "squares", 4).find("updateTexts")->elements()[3] = JsonValue::boolean(true);
    EXPECT_THAT(errorOf(root), HasSubstr("squares[4].updateTexts[3]: expected a text"));
    root = root_;
    element(root, "squares", 4).find("nextSquares")->elements()[1] = JsonValue();
    EXPECT_EQ(errorOf(root), "squares[4].nextSquares[1]: expected an integer, got null");
    root = root_;
    root.find("players")->elements().pop_back();
    EXPECT_EQ(errorOf(root), "players: expected 4 elements, got 3");
    root = root_;
    root.set("states", JsonValue::object());
    EXPECT_EQ(errorOf(root), "states: expected an array of 3 elements, got an object");
    root = root_;
    root.set("settings", JsonValue::array());
    EXPECT_EQ(errorOf(root), "settings: expected an object, got an array");
    root = root_;
    root.set("images", JsonValue::object());
    EXPECT_EQ(errorOf(root), "images: expected an array, got an object");
    root = root_;
    root.find("sounds")->elements()[3] = JsonValue::integer(3);
    EXPECT_EQ(errorOf(root), "sounds, element 3: expected an object, got an integer");
    root = root_;
    element(root, "dataItems", 1) = JsonValue::string("x");
    EXPECT_EQ(errorOf(root), "dataItems[1]: expected an object, got a string");
    root = root_;
    element(root, "squares", 2).set("index", JsonValue::string("2"));
    EXPECT_EQ(errorOf(root), "squares, element 2.index: expected an integer, got a string");
    root = root_;
    root.set("reserved1", JsonValue::integer(0));
    EXPECT_EQ(errorOf(root), "reserved1: expected a string of hex digits, got an integer");
}

TEST_F(RecordJsonError, NumbersOutsideInt32) {
    JsonValue root = root_;
    *root.find("headerMarker") = JsonValue::integer(2147483648);
    EXPECT_EQ(errorOf(root),
              "headerMarker: 2147483648 is outside the 32-bit range (-2147483648..2147483647)");
    root = root_;
    element(root, "players", 3).find("dataValues")->elements()[4] = JsonValue::integer(-2147483649);
    EXPECT_THAT(errorOf(root), HasSubstr("players[3].dataValues[4]: -2147483649 is outside"));
    root = root_;
    *element(root, "images", 7).find("transparentColor") = JsonValue::integer(0xFFFFFFFF);
    EXPECT_THAT(errorOf(root), HasSubstr("images[7].transparentColor: 4294967295 is outside"));

    // The limits themselves load.
    root = root_;
    *root.find("headerMarker") = JsonValue::integer(2147483647);
    *element(root, "players", 0).find("picture") = JsonValue::integer(-2147483648);
    auto out = std::make_unique<GameRecord>();
    ASSERT_TRUE(recordFromJson(writeJson(root), *out));
    EXPECT_EQ(out->headerMarker, INT32_MAX);
    EXPECT_EQ(out->players[0].picture, INT32_MIN);
}

TEST_F(RecordJsonError, TextLimits) {
    JsonValue root = root_;
    *element(root, "squares", 3).find("name") =
        JsonValue::string(std::string(35, 'x') + "あいうえ" + std::string(27, 'y'));
    EXPECT_EQ(errorOf(root), "squares[3].name: text is 70 bytes in Shift-JIS, the limit is 62");
    root = root_;
    *element(root, "dataItems", 0).find("unit") = JsonValue::string("円円円");
    EXPECT_EQ(errorOf(root), "dataItems[0].unit: text is 6 bytes in Shift-JIS, the limit is 4");
    root = root_;
    *root.find("headerText") = JsonValue::string(std::string(260, 'h'));
    EXPECT_EQ(errorOf(root), "headerText: text is 260 bytes in Shift-JIS, the limit is 259");

    // Exactly at the limit loads, with the rest of the width zeroed.
    root = root_;
    *element(root, "squares", 3).find("name") =
        JsonValue::string(std::string(31, 'x') + "あいうえお" + std::string(21, 'y'));
    *element(root, "dataItems", 0).find("unit") = JsonValue::string("円円");
    *root.find("headerText") = JsonValue::string(std::string(259, 'h'));
    auto out = std::make_unique<GameRecord>();
    std::memset(out.get(), 0x5A, sizeof(GameRecord));
    Status status = recordFromJson(writeJson(root), *out);
    ASSERT_TRUE(status) << status.reason();
    EXPECT_EQ(std::strlen(out->squares[3].name), 62u);
    EXPECT_EQ(out->squares[3].name[63], 0);
    EXPECT_STREQ(out->dataItems[0].unit, "\x89\x7e\x89\x7e");
    EXPECT_EQ(out->dataItems[0].unit[5], 0);
    EXPECT_EQ(std::strlen(out->headerText), 259u);
}

TEST_F(RecordJsonError, TextsThatCannotBeWritten) {
    JsonValue root = root_;
    *element(root, "players", 0).find("name") = JsonValue::string("😀");
    EXPECT_EQ(errorOf(root), "players[0].name: \"😀\" cannot be written in Shift-JIS");
    root = root_;
    element(root, "squares", 11).find("stateChanges")->elements()[1] =
        JsonValue::string("ok あ then é");
    EXPECT_EQ(errorOf(root), "squares[11].stateChanges[1]: \"é\" cannot be written in Shift-JIS");
    root = root_;
    *root.find("settings")->find("helpText") = JsonValue::string(std::string("a\0b", 3));
    EXPECT_EQ(errorOf(root), "settings.helpText: text contains a NUL character");
}

TEST_F(RecordJsonError, BytesAndReservedForms) {
    JsonValue root = root_;
    JsonValue bytes = JsonValue::object();
    bytes.set("bytes", JsonValue::string(std::string(126, '0')));
    *element(root, "images", 2).find("fileName") = bytes;
    EXPECT_EQ(errorOf(root),
              "images[2].fileName.bytes: expected 128 hex digits (64 bytes), got 126");
    root = root_;
    bytes.set("bytes", JsonValue::string(std::string(127, '0') + "g"));
    *element(root, "images", 2).find("fileName") = bytes;
    EXPECT_EQ(errorOf(root), "images[2].fileName.bytes: character 128 is not a hex digit");
    root = root_;
    bytes.set("bytes", JsonValue::integer(0));
    *element(root, "images", 2).find("fileName") = bytes;
    EXPECT_EQ(errorOf(root),
              "images[2].fileName.bytes: expected a string of hex digits, got an integer");
    root = root_;
    root.find("settings")->set("reserved2", JsonValue::string("00"));
    EXPECT_EQ(errorOf(root), "settings.reserved2: expected 672 hex digits (336 bytes), got 2");
    root = root_;
    element(root, "sounds", 0).set("reserved", JsonValue::string(std::string(127, '0') + "-"));
    EXPECT_EQ(errorOf(root), "sounds[0].reserved: character 128 is not a hex digit");
}

TEST_F(RecordJsonError, SlotIndices) {
    JsonValue root = root_;
    element(root, "squares", 5).set("index", JsonValue::integer(250));
    EXPECT_EQ(errorOf(root), "squares[250]: index out of range (0..199)");
    root = root_;
    element(root, "images", 5).set("index", JsonValue::integer(-1));
    EXPECT_EQ(errorOf(root), "images[-1]: index out of range (0..299)");
    root = root_;
    element(root, "sounds", 5).set("index", JsonValue::integer(20));
    EXPECT_EQ(errorOf(root), "sounds[20]: index out of range (0..19)");
    root = root_;
    element(root, "sounds", 5).set("index", JsonValue::integer(INT64_MAX));
    EXPECT_EQ(errorOf(root), "sounds[9223372036854775807]: index out of range (0..19)");
    root = root_;
    element(root, "squares", 8).set("index", JsonValue::integer(3));
    EXPECT_EQ(errorOf(root), "squares[3]: duplicate index (elements 3 and 8)");
    // The first element is seen as well.
    root = root_;
    const std::int64_t first = element(root, "squares", 0).find("index")->asInteger();
    element(root, "squares", 8).set("index", JsonValue::integer(first));
    EXPECT_EQ(errorOf(root),
              "squares[" + std::to_string(first) + "]: duplicate index (elements 0 and 8)");
}

TEST_F(RecordJsonError, FirstProblemInDocumentOrderOfBlocks) {
    // Problems in two places: the one in the earlier block is told.
    JsonValue root = root_;
    *element(root, "squares", 0).find("x") = JsonValue::string("1");
    *root.find("settings")->find("music") = JsonValue::string("1");
    EXPECT_EQ(errorOf(root), "settings.music: expected an integer, got a string");
}

}  // namespace
}  // namespace banmen
