#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/game_record.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

std::unique_ptr<GameRecord> zeroRecord() {
    auto record = std::make_unique<GameRecord>();
    std::memset(record.get(), 0, sizeof(GameRecord));
    return record;
}

const std::uint8_t* bytesOf(const GameRecord& record) {
    return reinterpret_cast<const std::uint8_t*>(&record);
}

TEST(GameRecordLayout, DataItemKindsLieAtTheirUnalignedOffsets) {
    auto record = zeroRecord();
    record->dataItems[0].kind = 0x11223344;
    record->dataItems[1].kind = 0x55667788;
    const std::uint8_t* bytes = bytesOf(*record);
    EXPECT_EQ(bytes[4794], 0x44);
    EXPECT_EQ(bytes[4797], 0x11);
    EXPECT_EQ(bytes[5000], 0x88);
    EXPECT_EQ(bytes[5003], 0x55);
}

TEST(GameRecordLayout, ReservedGapsSeparateTheArrays) {
    auto record = zeroRecord();
    std::memset(record->dataItems[4].description, 'd', sizeof record->dataItems[4].description);
    record->squares[0].name[0] = 's';
    std::memset(record->images[299].reserved, 'i', sizeof record->images[299].reserved);
    record->sounds[0].name[0] = 'n';
    const std::uint8_t* bytes = bytesOf(*record);
    EXPECT_EQ(bytes[5749], 'd');
    for (int i = 5750; i < 5756; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    EXPECT_EQ(bytes[5756], 's');
    EXPECT_EQ(bytes[269755], 'i');
    for (int i = 269756; i < 269760; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    EXPECT_EQ(bytes[269760], 'n');
    // Numbers are little-endian.
    record->sounds[19].soundMark = 0x01020304;
    EXPECT_EQ(bytes[kGameRecordSize - 64 - 4], 0x04);
}

TEST(TextField, TextOfExactlyTheLimitIsStoredWholeWithTheNulAtTheLimit) {
    char field[64];
    std::memset(field, 'x', sizeof field);
    std::string text(kNameMax, 'a');
    storeFieldText(field, kNameMax, text);
    EXPECT_EQ(fieldText(field), text);
    EXPECT_EQ(field[62], '\0');
    EXPECT_EQ(field[63], 'x');  // beyond the limit: left alone
}

std::string repeated(std::string_view utf8, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += utf8;
    }
    return text;
}

TEST(TextField, LongerTextIsCutAtTheLimitEvenInsideADoubleByteCharacter) {
    char field[64] = {};
    std::string text = "a" + sjis::lit(repeated("森", 32));  // 65 bytes
    storeFieldText(field, kNameMax, text);
    EXPECT_EQ(fieldText(field).size(), 62u);
    // The last stored byte is the lead byte of a character cut in half; a
    // display never shows that half.
    EXPECT_TRUE(sjis::isLeadByte(static_cast<unsigned char>(field[61])));
    EXPECT_EQ(sjis::toUtf8Lossy(fieldText(field)), "a" + repeated("森", 30));
}

TEST(TextField, ShorterTextZeroesTheRestUpToTheLimit) {
    char field[64];
    std::memset(field, 'x', sizeof field);
    storeFieldText(field, kNameMax, "ab");
    EXPECT_EQ(fieldText(field), "ab");
    for (int i = 2; i <= 62; ++i) {
        EXPECT_EQ(field[i], '\0') << i;
    }
}

TEST(TextField, HoldsComparesOnlyTheFirstLimitBytes) {
    char field[64] = {};
    storeFieldText(field, kNameMax, std::string(70, 'q'));
    EXPECT_TRUE(fieldHolds(field, kNameMax, std::string(70, 'q')));
    EXPECT_TRUE(fieldHolds(field, kNameMax, std::string(62, 'q')));
    EXPECT_FALSE(fieldHolds(field, kNameMax, std::string(61, 'q')));
}

TEST(SlotUse, AFreeSlotIsNoObjectWhateverItsOtherFieldsHold) {
    RecordOwner owner;
    GameRecord& record = owner.record();
    EXPECT_TRUE(isSquareRef(record, 0));
    EXPECT_FALSE(isSquareRef(record, 3));
    record.squares[3].x = 10;
    record.squares[3].nextSquares[0] = 0;
    record.squares[3].name[1] = 'x';  // only the first byte counts
    EXPECT_FALSE(isSquareRef(record, 3));
    EXPECT_FALSE(isSquareRef(record, -1));
    EXPECT_FALSE(isSquareRef(record, kSquareCount));
    EXPECT_FALSE(isImageRef(record, -1));
    EXPECT_TRUE(isSoundRef(record, 0));
    EXPECT_FALSE(isSoundRef(record, 2));  // the empty default slot
}

}  // namespace
}  // namespace banmen
