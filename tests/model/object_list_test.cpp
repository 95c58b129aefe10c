#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "list_ops_support.h"
#include "model/enum_texts.h"
#include "model/object_list.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using test::links;
using test::name;

// The new game: square 0 (700, 500) start -> 2 (100, 500) normal -> 1 (100,
// 100) goal; sounds in slots 0, 1 and 3..9; no images; every player starts on 0.
class ObjectListTest : public test::ListOpsTest {
  protected:
    void fillSquares() {
        for (std::int32_t i = 0; i < kSquareCount; ++i) {
            if (!inUse(record().squares[i])) {
                put(i, 750, 550);
            }
        }
    }
    BoardPoint& cursor() { return owner->editState().placeCursor; }
};

std::string lit(std::string_view utf8) {
    return sjis::lit(utf8);
}

template <typename T>
std::span<std::byte> bytesOf(T& block) {
    return std::as_writable_bytes(std::span(&block, 1));
}

bool allZero(const std::uint8_t* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// --- AddSquare ------------------------------------------------------------

TEST_F(ObjectListTest, AddSquareStartsFromAZeroedSlotWithEveryReferenceNone) {
    SquareDef& slot = record().squares[3];
    std::memset(&slot, 0x7E, sizeof slot);  // junk left in a free slot
    slot.name[0] = 0;
    ASSERT_EQ(AddSquare(*owner, 400, 50, kSquareNormal), 3);
    EXPECT_EQ(name(slot.name), "\x95\x81\x92\xca(4)");  // 普通(4)
    EXPECT_EQ(slot.x, 400);
    EXPECT_EQ(slot.y, 50);
    EXPECT_EQ(slot.kind, kSquareNormal);
    EXPECT_EQ(slot.sound, 3);
    EXPECT_EQ(slot.picture, -1);
    EXPECT_EQ(slot.supplementPicture, -1);
    EXPECT_EQ(slot.arrivalJump, -1);
    EXPECT_EQ(slot.passJump, -1);
    for (std::int32_t jump : slot.dieJumps) {
        EXPECT_EQ(jump, -1);
    }
    EXPECT_EQ(next(3), links({}));
    EXPECT_EQ(name(slot.description), "");
    for (int u = 0; u < kUpdateCount; ++u) {
        EXPECT_EQ(slot.updateCodes[u], 0);
        EXPECT_EQ(slot.updateValues[u], 0);
        EXPECT_EQ(name(slot.updateTexts[u]), "");
    }
    for (const auto& change : slot.stateChanges) {
        EXPECT_EQ(name(change), "");
    }
    EXPECT_TRUE(allZero(slot.reserved, sizeof slot.reserved));
    EXPECT_EQ(std::string(slot.name + 7, slot.name + 64), std::string(57, '\0'));
}

TEST_F(ObjectListTest, AddSquareNamesAfterTheKindAndGivesItsStandardSound) {
    for (std::int32_t kind = 0; kind < kSquareKindCount; ++kind) {
        const std::int32_t added = AddSquare(*owner, 300 + 40 * kind, 20, kind);
        ASSERT_EQ(added, 3 + kind);
        const SquareDef& square = record().squares[added];
        EXPECT_EQ(name(square.name),
                  lit(std::string(squareKindText(kind)) + "(" + std::to_string(added + 1) + ")"));
        EXPECT_EQ(square.kind, kind);
        EXPECT_EQ(name(record().sounds[square.sound].name), KindSoundName(kind));
    }
}

TEST_F(ObjectListTest, AddSquareRefusesUnknownKindsAndAFullBoard) {
    auto before = snapshot();
    for (std::int32_t kind : {-1, 7, INT_MAX, INT_MIN}) {
        EXPECT_EQ(AddSquare(*owner, 300, 300, kind), -1);
    }
    EXPECT_EQ(snapshot(), before);
    fillSquares();
    before = snapshot();
    EXPECT_EQ(AddSquare(*owner, 300, 300, kSquareNormal), -1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ObjectListTest, AddSquareNearAOneWayRouteJoinsItAndFarAwayJoinsNone) {
    clearBoard();
    put(0, 100, 100).nextSquares[0] = 1;
    put(1, 400, 100);
    EXPECT_EQ(AddSquare(*owner, 250, 132, kSquareNormal), 2);
    EXPECT_EQ(next(0), links({1}));
    EXPECT_EQ(next(2), links({}));

    EXPECT_EQ(AddSquare(*owner, 250, 131, kSquareNormal), 3);
    EXPECT_EQ(next(0), links({3}));
    EXPECT_EQ(next(3), links({1}));
    EXPECT_EQ(next(1), links({}));
}

TEST_F(ObjectListTest, AddSquareSplitsATwoWayRouteInBothDirections) {
    clearBoard();
    SquareDef& a = put(0, 100, 100);
    a.nextSquares[0] = 3;
    a.nextSquares[1] = 1;
    put(1, 400, 100).nextSquares[0] = 0;
    put(3, 100, 400);
    ASSERT_EQ(AddSquare(*owner, 250, 110, kSquareNormal), 2);
    EXPECT_EQ(next(0), links({3, 2}));
    EXPECT_EQ(next(2), links({1, 0}));
    EXPECT_EQ(next(1), links({2}));
    EXPECT_EQ(next(3), links({}));
}

// --- DuplicateSquare ------------------------------------------------------

TEST_F(ObjectListTest, DuplicateSquareTakesSettingsButKeepsItsOwnNamePlaceAndRoutes) {
    SquareDef& source = record().squares[2];
    source.kind = kSquareUnlucky;
    source.picture = 5;
    source.supplementPicture = 6;
    source.sound = 4;
    source.arrivalJump = 1;
    source.passJump = 0;
    source.dieJumps[3] = 1;
    source.updateCodes[0] = 0x00100204;
    source.updateValues[0] = 7;
    storeFieldText(source.description, kNameMax, "desc");
    storeFieldText(source.updateTexts[1], kNameMax, "upd");
    storeFieldText(source.stateChanges[2], kNameMax, "state");
    source.reserved[10] = 9;
    const SquareDef sourceBefore = source;

    // (100, 100) holds the goal, so the first free place is (164, 164).
    const std::int32_t copy = DuplicateSquare(*owner, 2);
    ASSERT_EQ(copy, 3);
    const SquareDef& made = record().squares[copy];
    EXPECT_EQ(name(made.name), lit("普通(4)"));
    EXPECT_EQ(made.x, 164);
    EXPECT_EQ(made.y, 164);
    EXPECT_EQ(next(copy), links({}));
    EXPECT_EQ(made.kind, kSquareUnlucky);
    EXPECT_EQ(made.picture, 5);
    EXPECT_EQ(made.supplementPicture, 6);
    EXPECT_EQ(made.sound, 4);
    EXPECT_EQ(made.arrivalJump, 1);
    EXPECT_EQ(made.passJump, 0);
    EXPECT_EQ(made.dieJumps[3], 1);
    EXPECT_EQ(made.updateCodes[0], 0x00100204);
    EXPECT_EQ(made.updateValues[0], 7);
    EXPECT_EQ(name(made.description), "desc");
    EXPECT_EQ(name(made.updateTexts[1]), "upd");
    EXPECT_EQ(name(made.stateChanges[2]), "state");
    EXPECT_EQ(made.reserved[10], 9);
    EXPECT_EQ(std::memcmp(&source, &sourceBefore, sizeof source), 0);
}

TEST_F(ObjectListTest, DuplicateSquarePlacedBesideARouteJoinsIt) {
    cursor() = {400, 510};  // 10 below the route 0 -> 2 along y = 500
    const std::int32_t copy = DuplicateSquare(*owner, 1);
    ASSERT_EQ(copy, 3);
    EXPECT_EQ(next(0), links({3}));
    EXPECT_EQ(next(3), links({2}));
    EXPECT_EQ(record().squares[copy].kind, kSquareGoal);
}

TEST_F(ObjectListTest, DuplicateSquareFailureLeavesEverythingAsItWas) {
    auto before = snapshot();
    for (std::int32_t bad : {-1, 5, 200, INT_MIN}) {
        EXPECT_EQ(DuplicateSquare(*owner, bad), -1);
    }
    EXPECT_EQ(snapshot(), before);
    fillSquares();
    before = snapshot();
    EXPECT_EQ(DuplicateSquare(*owner, 0), -1);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(cursor(), (BoardPoint{100, 100}));
}

// --- InsertSquareCopy -----------------------------------------------------

TEST_F(ObjectListTest, CopyNameDropsTheOldMarkAndTakesTheFirstFreeNumber) {
    clearBoard();
    put(0, 100, 100, lit("森"));
    put(1, 200, 100, lit("森 ｺﾋﾟｰ1"));
    const SquareDef copy = record().squares[1];
    const std::int32_t made = InsertSquareCopy(*owner, copy, 300, 300);
    ASSERT_EQ(made, 2);
    EXPECT_EQ(name(record().squares[made].name), "\x90\x58\x20\xba\xcb\xdf\xb0\x32");
}

TEST_F(ObjectListTest, RepeatedPastesCountOnAndRefillAGap) {
    clearBoard();
    put(0, 100, 100, lit("スタート"));
    const SquareDef start = record().squares[0];
    ASSERT_EQ(InsertSquareCopy(*owner, start, 150, 100), 1);
    ASSERT_EQ(InsertSquareCopy(*owner, start, 200, 100), 2);
    EXPECT_EQ(name(record().squares[1].name), lit("スタート ｺﾋﾟｰ1"));
    EXPECT_EQ(name(record().squares[2].name), lit("スタート ｺﾋﾟｰ2"));
    const SquareDef firstCopy = record().squares[1];
    ASSERT_EQ(InsertSquareCopy(*owner, firstCopy, 250, 100), 3);
    EXPECT_EQ(name(record().squares[3].name), lit("スタート ｺﾋﾟｰ3"));
    // A freed name is free again; the copy takes the freed slot too.
    record().squares[1].name[0] = 0;
    ASSERT_EQ(InsertSquareCopy(*owner, start, 300, 100), 1);
    EXPECT_EQ(name(record().squares[1].name), lit("スタート ｺﾋﾟｰ1"));
    // The mark may sit inside a name; what follows it goes too.
    put(9, 0, 0, lit("ab ｺﾋﾟｰ7xyz"));
    const SquareDef marked = record().squares[9];
    EXPECT_EQ(name(record().squares[InsertSquareCopy(*owner, marked, 1, 1)].name), lit("ab ｺﾋﾟｰ1"));
}

TEST_F(ObjectListTest, CopyKeepsTheWholeBlockExceptNameAndPlace) {
    SquareDef copy;
    std::memset(&copy, 0x3C, sizeof copy);  // every field, reserved bytes too
    storeFieldText(copy.name, kNameMax, "Pond");
    copy.nextSquares[0] = 150;  // references are taken as they are
    copy.arrivalJump = 42;
    copy.sound = 19;
    const std::int32_t made = InsertSquareCopy(*owner, copy, 333, 444);
    ASSERT_EQ(made, 3);
    const SquareDef& square = record().squares[made];
    EXPECT_EQ(name(square.name), lit("Pond ｺﾋﾟｰ1"));
    EXPECT_EQ(std::string(square.name + 10, square.name + 64), std::string(54, '\0'));
    EXPECT_EQ(square.x, 333);
    EXPECT_EQ(square.y, 444);
    const auto* got = reinterpret_cast<const std::uint8_t*>(&square);
    const auto* want = reinterpret_cast<const std::uint8_t*>(&copy);
    EXPECT_EQ(std::memcmp(got + 64, want + 64, offsetof(SquareDef, x) - 64), 0);
    EXPECT_EQ(std::memcmp(got + offsetof(SquareDef, kind), want + offsetof(SquareDef, kind),
                          sizeof copy - offsetof(SquareDef, kind)),
              0);
}

TEST_F(ObjectListTest, CopyWithoutAPlaceGoesToTheNextFreePlace) {
    const SquareDef copy = record().squares[2];
    const std::int32_t first = InsertSquareCopy(*owner, copy, -1, 50);
    EXPECT_EQ(record().squares[first].x, 164);  // (100, 100) holds the goal
    EXPECT_EQ(record().squares[first].y, 164);
    const std::int32_t second = InsertSquareCopy(*owner, copy, 10, -1);
    EXPECT_EQ(record().squares[second].x, 228);
    EXPECT_EQ(record().squares[second].y, 228);
    EXPECT_EQ(cursor(), (BoardPoint{228, 228}));
}

// The stem is cut to at most 13 bytes and never ends inside a double-byte
// character, so the whole name reads back as clean Shift-JIS.
TEST_F(ObjectListTest, CopyNameCutAtEveryLengthStaysWholeCharacters) {
    const std::string sample = lit("aあｱいうbえｶおかきくけこ");
    const std::string mark = lit(" ｺﾋﾟｰ1");
    for (std::size_t length = 0; length <= sample.size(); ++length) {
        SCOPED_TRACE(length);
        SquareDef copy{};
        std::memcpy(copy.name, sample.data(), length);  // may end in half a character
        const std::int32_t made = InsertSquareCopy(*owner, copy, 10, 10);
        ASSERT_GE(made, 0);
        const std::string result = name(record().squares[made].name);
        ASSERT_GE(result.size(), mark.size());
        ASSERT_EQ(result.substr(result.size() - mark.size()), mark);
        const std::string stem = result.substr(0, result.size() - mark.size());
        EXPECT_LE(stem.size(), 13u);
        EXPECT_EQ(sample.compare(0, stem.size(), stem), 0);
        EXPECT_GE(stem.size() + 1, std::min<std::size_t>(length, 13));
        EXPECT_TRUE(sjis::toUtf8(result).has_value());
        record().squares[made].name[0] = 0;
    }
    // Exactly 13 bytes that end on a whole character are kept whole.
    SquareDef copy{};
    const std::string thirteen = lit("aああああああ");
    ASSERT_EQ(thirteen.size(), 13u);
    std::memcpy(copy.name, thirteen.data(), thirteen.size());
    EXPECT_EQ(name(record().squares[InsertSquareCopy(*owner, copy, 1, 1)].name), thirteen + mark);
}

TEST_F(ObjectListTest, CopyWithAnUnterminatedNameStillGetsAShortName) {
    SquareDef copy{};
    std::memset(copy.name, 'A', sizeof copy.name);
    const std::int32_t made = InsertSquareCopy(*owner, copy, 1, 1);
    ASSERT_GE(made, 0);
    EXPECT_EQ(name(record().squares[made].name), std::string(13, 'A') + lit(" ｺﾋﾟｰ1"));
    EXPECT_EQ(record().squares[made].name[62], 0);
    EXPECT_EQ(record().squares[made].name[63], 0);
}

TEST_F(ObjectListTest, CopyIntoAFullBoardFails) {
    fillSquares();
    const SquareDef copy = record().squares[0];
    const auto before = snapshot();
    EXPECT_EQ(InsertSquareCopy(*owner, copy, -1, -1), -1);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(cursor(), (BoardPoint{100, 100}));
}

// --- DeleteSquare ---------------------------------------------------------

TEST_F(ObjectListTest, DeletingTheOnlyTargetOfAChainLinksAroundIt) {
    clearBoard();
    put(0, 100, 100).nextSquares[0] = 1;
    SquareDef& middle = put(1, 200, 100);
    middle.nextSquares[0] = 2;
    middle.arrivalJump = 0;
    middle.dieJumps[5] = 2;
    storeFieldText(middle.description, kNameMax, "kept");
    put(2, 300, 100);
    DeleteSquare(*owner, 1);
    EXPECT_EQ(next(0), links({2}));
    EXPECT_FALSE(inUse(middle));
    EXPECT_EQ(next(1), links({}));
    EXPECT_EQ(middle.arrivalJump, -1);
    EXPECT_EQ(middle.dieJumps[5], -1);
    // Fields other than references stay in the freed slot.
    EXPECT_EQ(middle.x, 200);
    EXPECT_EQ(name(middle.description), "kept");
}

TEST_F(ObjectListTest, DeletingClearsEveryJumpToTheSquare) {
    clearBoard();
    SquareDef& jumper = put(0, 100, 100);
    jumper.arrivalJump = 2;
    jumper.passJump = 2;
    const std::array<std::int32_t, 6> dice = {2, 1, 2, 3, 2, -1};
    std::copy(dice.begin(), dice.end(), jumper.dieJumps);
    put(1, 150, 100);
    put(2, 200, 100);
    put(3, 250, 100).arrivalJump = 1;
    DeleteSquare(*owner, 2);
    EXPECT_EQ(jumper.arrivalJump, -1);
    EXPECT_EQ(jumper.passJump, -1);
    EXPECT_EQ(std::vector<std::int32_t>(jumper.dieJumps, jumper.dieJumps + 6),
              (std::vector<std::int32_t>{-1, 1, -1, 3, -1, -1}));
    EXPECT_EQ(record().squares[3].arrivalJump, 1);
}

TEST_F(ObjectListTest, DeletingAStartSquareMovesPlayersToItsFirstSuccessor) {
    record().players[2].startSquare = 1;
    DeleteSquare(*owner, 0);  // 0 -> 2
    EXPECT_EQ(record().players[0].startSquare, 2);
    EXPECT_EQ(record().players[1].startSquare, 2);
    EXPECT_EQ(record().players[2].startSquare, 1);
    EXPECT_EQ(record().players[3].startSquare, 2);
    DeleteSquare(*owner, 1);  // the goal leads nowhere
    EXPECT_EQ(record().players[2].startSquare, -1);
    EXPECT_EQ(record().players[0].startSquare, 2);
    EXPECT_EQ(next(2), links({}));
}

TEST_F(ObjectListTest, DeletingNeverMakesASquareLeadToItselfOrTwiceToOneSquare) {
    clearBoard();
    put(0, 100, 100).nextSquares[0] = 1;
    SquareDef& gone = put(1, 200, 100);
    gone.nextSquares[0] = 2;
    gone.nextSquares[1] = 0;
    put(2, 300, 100).nextSquares[0] = 1;  // 1 <-> 2 both ways
    SquareDef& both = put(3, 200, 200);
    both.nextSquares[0] = 2;
    both.nextSquares[1] = 1;
    record().players[1].startSquare = 1;
    DeleteSquare(*owner, 1);
    EXPECT_EQ(next(0), links({2}));
    EXPECT_EQ(next(2), links({}));       // not 2 -> 2
    EXPECT_EQ(next(3), links({2, -1}));  // not 2 twice
    EXPECT_EQ(record().players[1].startSquare, 2);
}

TEST_F(ObjectListTest, DeletingASquareWhoseFirstRouteIsDamagedBypassesToNothing) {
    for (std::int32_t damaged : {150, 5000, INT_MIN}) {
        SCOPED_TRACE(damaged);
        clearBoard();
        put(0, 100, 100).nextSquares[0] = 1;
        put(1, 200, 100).nextSquares[0] = damaged;
        record().players[0].startSquare = 1;
        DeleteSquare(*owner, 1);
        EXPECT_EQ(next(0), links({}));
        EXPECT_EQ(record().players[0].startSquare, -1);
    }
}

TEST_F(ObjectListTest, DeletingWhatIsNoSquareChangesNothing) {
    const auto before = snapshot();
    for (std::int32_t bad : {-1, 3, 199, 200, INT_MAX, INT_MIN}) {
        DeleteSquare(*owner, bad);
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ObjectListTest, DeleteAllSquaresLeavesNoSquareAndNoReference) {
    AddSquare(*owner, 400, 505, kSquareLucky);  // joins 0 -> 2
    record().squares[1].arrivalJump = 0;
    DeleteAllSquares(*owner);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Square, -1), -1);
    for (const PlayerDef& player : record().players) {
        EXPECT_EQ(player.startSquare, -1);
    }
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(next(i), links({})) << i;
        EXPECT_EQ(record().squares[i].arrivalJump, -1) << i;
    }
}

// --- Images and sounds ----------------------------------------------------

TEST_F(ObjectListTest, AddImageNamesByNumberAndIsMagenta) {
    ImageDef& first = record().images[0];
    std::memset(&first, 0x33, sizeof first);
    first.name[0] = 0;
    ASSERT_EQ(AddImage(*owner, {}, {}), 0);
    EXPECT_EQ(name(first.name), "\xb2\xd2\xb0\xbc\xde(1)");  // ｲﾒｰｼﾞ(1)
    EXPECT_EQ(name(first.fileName), "");
    EXPECT_EQ(first.transparentColor, 0x00FF00FF);
    EXPECT_EQ(first.width, 0);
    EXPECT_EQ(first.height, 0);
    EXPECT_EQ(first.imageMark, 0);
    EXPECT_TRUE(allZero(first.reserved, sizeof first.reserved));

    ASSERT_EQ(AddImage(*owner, lit("空"), "sky.bmp"), 1);
    EXPECT_EQ(name(record().images[1].name), lit("空"));
    EXPECT_EQ(name(record().images[1].fileName), "sky.bmp");
    // A name that stores as empty would leave the slot free: it gets the default.
    ASSERT_EQ(AddImage(*owner, std::string_view("\0xyz", 4), {}), 2);
    EXPECT_EQ(name(record().images[2].name), lit("ｲﾒｰｼﾞ(3)"));
    // A long name is cut at the byte limit.
    ASSERT_EQ(AddImage(*owner, std::string(70, 'n'), std::string(70, 'f')), 3);
    EXPECT_EQ(name(record().images[3].name), std::string(62, 'n'));
    EXPECT_EQ(name(record().images[3].fileName), std::string(62, 'f'));
}

TEST_F(ObjectListTest, AddSoundTakesTheFirstFreeSlotAndLoops) {
    ASSERT_EQ(AddSound(*owner, {}, "bell.wav"), 2);
    const SoundDef& sound = record().sounds[2];
    EXPECT_EQ(name(sound.name), "\xbb\xb3\xdd\xc4\xde(3)");  // ｻｳﾝﾄﾞ(3)
    EXPECT_EQ(name(sound.fileName), "bell.wav");
    EXPECT_EQ(sound.repeat, kRepeatLoop);
    ASSERT_EQ(AddSound(*owner, {}, {}), 10);
    EXPECT_EQ(name(record().sounds[10].name), lit("ｻｳﾝﾄﾞ(11)"));
}

TEST_F(ObjectListTest, AddingMediaToFullListsFails) {
    while (AddImage(*owner, "i", {}) >= 0) {
    }
    while (AddSound(*owner, "s", {}) >= 0) {
    }
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Image, kImageCount - 2), kImageCount - 1);
    const auto before = snapshot();
    EXPECT_EQ(AddImage(*owner, "x", "x.bmp"), -1);
    EXPECT_EQ(AddSound(*owner, "x", "x.wav"), -1);
    EXPECT_EQ(DuplicateImage(*owner, 0), -1);
    EXPECT_EQ(DuplicateSound(*owner, 0), -1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ObjectListTest, DuplicateImageTakesColourAndSizeButNotNameFileOrMark) {
    ImageDef& source = record().images[4];
    storeFieldText(source.name, kNameMax, "src");
    storeFieldText(source.fileName, kNameMax, "src.bmp");
    source.transparentColor = 0x123456;
    source.width = 150;
    source.height = 115;
    source.imageMark = 77;
    source.reserved[5] = 9;
    const ImageDef sourceBefore = source;
    ASSERT_EQ(DuplicateImage(*owner, 4), 0);
    const ImageDef& made = record().images[0];
    EXPECT_EQ(name(made.name), lit("ｲﾒｰｼﾞ(1)"));
    EXPECT_EQ(name(made.fileName), "");
    EXPECT_EQ(made.transparentColor, 0x123456);
    EXPECT_EQ(made.width, 150);
    EXPECT_EQ(made.height, 115);
    EXPECT_EQ(made.imageMark, 0);
    EXPECT_EQ(made.reserved[5], 9);
    EXPECT_EQ(std::memcmp(&source, &sourceBefore, sizeof source), 0);
}

TEST_F(ObjectListTest, DuplicateSoundTakesRepeatButNotNameFileOrMark) {
    record().sounds[3].soundMark = 5;
    ASSERT_EQ(DuplicateSound(*owner, 3), 2);
    const SoundDef& made = record().sounds[2];
    EXPECT_EQ(name(made.name), lit("ｻｳﾝﾄﾞ(3)"));
    EXPECT_EQ(name(made.fileName), "");
    EXPECT_EQ(made.repeat, kRepeatOnce);
    EXPECT_EQ(made.soundMark, 0);
}

TEST_F(ObjectListTest, DuplicatingMediaThatIsNotThereChangesNothing) {
    const auto before = snapshot();
    for (std::int32_t bad : {-1, 0, 299, 300, INT_MIN}) {
        EXPECT_EQ(DuplicateImage(*owner, bad), -1);
    }
    for (std::int32_t bad : {-1, 2, 20, INT_MAX}) {
        EXPECT_EQ(DuplicateSound(*owner, bad), -1);
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ObjectListTest, DeleteImageClearsEveryReferenceFromObjectsInUse) {
    ASSERT_EQ(AddImage(*owner, "board", "board.bmp"), 0);
    ASSERT_EQ(AddImage(*owner, "piece", "piece.bmp"), 1);
    GameSettings& settings = record().settings;
    settings.gamePicture = 0;
    settings.helpPicture = 0;
    record().players[0].picture = 0;
    record().players[1].picture = 1;
    record().players[3].picture = 0;
    record().players[3].name[0] = 0;  // a player not in use keeps its value
    record().squares[0].picture = 0;
    record().squares[0].supplementPicture = 0;
    record().squares[2].picture = 1;
    record().squares[2].supplementPicture = 0;
    record().squares[7].picture = 0;  // a free slot keeps its value
    DeleteImage(*owner, 0);
    EXPECT_EQ(settings.gamePicture, -1);
    EXPECT_EQ(settings.helpPicture, -1);
    EXPECT_EQ(record().players[0].picture, -1);
    EXPECT_EQ(record().players[1].picture, 1);
    EXPECT_EQ(record().players[3].picture, 0);
    EXPECT_EQ(record().squares[0].picture, -1);
    EXPECT_EQ(record().squares[0].supplementPicture, -1);
    EXPECT_EQ(record().squares[2].picture, 1);
    EXPECT_EQ(record().squares[2].supplementPicture, -1);
    EXPECT_EQ(record().squares[7].picture, 0);
    EXPECT_FALSE(inUse(record().images[0]));
    EXPECT_EQ(name(record().images[0].fileName), "board.bmp");
    EXPECT_TRUE(inUse(record().images[1]));
}

TEST_F(ObjectListTest, DeleteSoundClearsMusicAndSquareSounds) {
    record().settings.music = 3;
    record().squares[9].sound = 3;  // free
    DeleteSound(*owner, 3);
    EXPECT_EQ(record().settings.music, -1);
    EXPECT_EQ(record().squares[2].sound, -1);
    EXPECT_EQ(record().squares[0].sound, 7);
    EXPECT_EQ(record().squares[9].sound, 3);
    EXPECT_FALSE(inUse(record().sounds[3]));
    record().settings.music = 0;
    DeleteSound(*owner, 7);
    EXPECT_EQ(record().settings.music, 0);
    EXPECT_EQ(record().squares[0].sound, -1);
}

TEST_F(ObjectListTest, DeleteAllMediaLeavesNoneAndNoReference) {
    AddImage(*owner, "a", {});
    AddImage(*owner, "b", {});
    record().settings.gamePicture = 1;
    record().players[2].picture = 0;
    record().settings.music = 1;
    DeleteAllImages(*owner);
    DeleteAllSounds(*owner);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Image, -1), -1);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Sound, -1), -1);
    EXPECT_EQ(record().settings.gamePicture, -1);
    EXPECT_EQ(record().players[2].picture, -1);
    EXPECT_EQ(record().settings.music, -1);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(record().squares[i].sound, -1);
    }
}

TEST_F(ObjectListTest, DeletingMediaThatIsNotThereChangesNothing) {
    record().settings.gamePicture = 0;  // a dangling reference stays for now
    const auto before = snapshot();
    for (std::int32_t bad : {-1, 0, 300, INT_MIN}) {
        DeleteImage(*owner, bad);
    }
    for (std::int32_t bad : {-1, 2, 20, INT_MAX}) {
        DeleteSound(*owner, bad);
    }
    EXPECT_EQ(snapshot(), before);
}

// --- CopyOut and PasteSettings --------------------------------------------

TEST_F(ObjectListTest, CopyOutCopiesExactlyOneBlock) {
    AddImage(*owner, "pic", "pic.bmp");
    struct Case {
        ObjectKind kind;
        std::int32_t index;
        std::size_t size;
        const void* block;
    };
    const Case cases[] = {
        {ObjectKind::Player, 3, 556, &record().players[3]},
        {ObjectKind::PlayerState, 2, 196, &record().states[2]},
        {ObjectKind::PlayerData, 4, 206, &record().dataItems[4]},
        {ObjectKind::Square, 2, 1008, &record().squares[2]},
        {ObjectKind::Image, 0, 208, &record().images[0]},
        {ObjectKind::Sound, 9, 200, &record().sounds[9]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toInt(c.kind));
        std::vector<std::byte> buffer(1100, std::byte{0xCD});
        EXPECT_EQ(objectBlockSize(c.kind), c.size);
        ASSERT_TRUE(CopyOut(*owner, c.kind, c.index, buffer));
        EXPECT_EQ(std::memcmp(buffer.data(), c.block, c.size), 0);
        EXPECT_EQ(buffer[c.size], std::byte{0xCD});
    }
}

TEST_F(ObjectListTest, CopyOutRefusesFreeSlotsAndBadArguments) {
    std::vector<std::byte> buffer(1100, std::byte{0xCD});
    const std::vector<std::byte> untouched = buffer;
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Square, 5, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Image, 0, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Sound, 2, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Game, 0, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Player, 4, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::PlayerState, -1, buffer));
    EXPECT_FALSE(CopyOut(*owner, static_cast<ObjectKind>(0), 0, buffer));
    EXPECT_FALSE(CopyOut(*owner, static_cast<ObjectKind>(42), 0, buffer));
    EXPECT_FALSE(CopyOut(*owner, ObjectKind::Square, 0, std::span(buffer).first(1007)));
    EXPECT_EQ(buffer, untouched);
    // Players are fixed: one without a name is still copied.
    record().players[1].name[0] = 0;
    EXPECT_TRUE(CopyOut(*owner, ObjectKind::Player, 1, buffer));
}

TEST_F(ObjectListTest, PastedPlayerKeepsItsNameAndAPictureItHas) {
    PlayerDef source = record().players[0];
    source.picture = 5;
    source.startSquare = 2;
    source.isComputer = 1;
    for (int k = 0; k < kDataItemCount; ++k) {
        source.dataValues[k] = 10 * (k + 1);
    }
    storeFieldText(source.stateTexts[1], kNameMax, "sleepy");
    record().players[1].picture = -1;
    record().players[2].picture = 7;
    const std::string name1 = name(record().players[1].name);
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::Player, bytesOf(source), 1));
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::Player, bytesOf(source), 2));
    EXPECT_EQ(record().players[1].picture, 5);
    EXPECT_EQ(record().players[2].picture, 7);
    for (int p : {1, 2}) {
        const PlayerDef& player = record().players[p];
        EXPECT_EQ(player.startSquare, 2);
        EXPECT_EQ(player.isComputer, 1);
        EXPECT_EQ(player.dataValues[4], 50);
        EXPECT_EQ(name(player.stateTexts[1]), "sleepy");
    }
    EXPECT_EQ(name(record().players[1].name), name1);
    EXPECT_EQ(name(record().players[2].name), lit("プレイヤー３"));
}

TEST_F(ObjectListTest, PastedStateAndDataItemKeepTheirNames) {
    PlayerStateDef state{};
    storeFieldText(state.name, kNameMax, "other");
    state.visible = 1;
    storeFieldText(state.description, kNameMax, "about");
    storeFieldText(record().states[2].name, kNameMax, "mine");
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::PlayerState, bytesOf(state), 2));
    EXPECT_EQ(name(record().states[2].name), "mine");
    EXPECT_EQ(record().states[2].visible, 1);
    EXPECT_EQ(name(record().states[2].description), "about");

    PlayerDataDef item = record().dataItems[0];  // 所持金, 円, money
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::PlayerData, bytesOf(item), 3));
    EXPECT_EQ(name(record().dataItems[3].name), "");
    EXPECT_EQ(name(record().dataItems[3].unit), lit("円"));
    // Data item blocks are 206 bytes long: their numbers are not 4-aligned.
    const std::int32_t kind = record().dataItems[3].kind;
    const std::int32_t visible = record().dataItems[3].visible;
    EXPECT_EQ(kind, kDataMoney);
    EXPECT_EQ(visible, 1);
}

TEST_F(ObjectListTest, PastedSquareKeepsNamePlaceAndRoutes) {
    SquareDef source = record().squares[0];  // the start: kind 4, sound 7, -> 2
    source.picture = 3;
    source.passJump = 1;
    source.updateValues[2] = -9;
    storeFieldText(source.description, kNameMax, "go");
    SquareDef& target = record().squares[2];
    const SquareDef before = target;
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::Square, bytesOf(source), 2));
    EXPECT_EQ(name(target.name), name(before.name));
    EXPECT_EQ(target.x, before.x);
    EXPECT_EQ(target.y, before.y);
    EXPECT_EQ(next(2), links({1}));
    EXPECT_EQ(target.kind, kSquareStart);
    EXPECT_EQ(target.sound, 7);
    EXPECT_EQ(target.picture, 3);
    EXPECT_EQ(target.passJump, 1);
    EXPECT_EQ(target.updateValues[2], -9);
    EXPECT_EQ(name(target.description), "go");
}

TEST_F(ObjectListTest, PastedMediaKeepNameAndFileAndLoseTheMark) {
    ASSERT_EQ(AddImage(*owner, "mine", "mine.bmp"), 0);
    ImageDef image{};
    storeFieldText(image.name, kNameMax, "theirs");
    storeFieldText(image.fileName, kNameMax, "theirs.bmp");
    image.transparentColor = -1;
    image.width = 32;
    image.imageMark = 99;
    record().images[0].imageMark = 12;
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::Image, bytesOf(image), 0));
    EXPECT_EQ(name(record().images[0].name), "mine");
    EXPECT_EQ(name(record().images[0].fileName), "mine.bmp");
    EXPECT_EQ(record().images[0].transparentColor, -1);
    EXPECT_EQ(record().images[0].width, 32);
    EXPECT_EQ(record().images[0].imageMark, 0);

    SoundDef sound{};
    storeFieldText(sound.name, kNameMax, "theirs");
    storeFieldText(sound.fileName, kNameMax, "theirs.wav");
    sound.repeat = kRepeatLoop;
    sound.soundMark = 99;
    ASSERT_TRUE(PasteSettings(*owner, ObjectKind::Sound, bytesOf(sound), 4));
    EXPECT_EQ(name(record().sounds[4].name), lit("幸運サウンド"));
    EXPECT_EQ(name(record().sounds[4].fileName), "Luck.mp3");
    EXPECT_EQ(record().sounds[4].repeat, kRepeatLoop);
    EXPECT_EQ(record().sounds[4].soundMark, 0);
}

TEST_F(ObjectListTest, PastingOntoWhatIsNoObjectChangesNothing) {
    SquareDef square = record().squares[0];
    const auto before = snapshot();
    EXPECT_FALSE(PasteSettings(*owner, ObjectKind::Square, bytesOf(square), 5));
    EXPECT_FALSE(PasteSettings(*owner, ObjectKind::Square, bytesOf(square), -1));
    EXPECT_FALSE(PasteSettings(*owner, ObjectKind::Square, bytesOf(square), 200));
    EXPECT_FALSE(PasteSettings(*owner, ObjectKind::Image, bytesOf(square), 0));
    EXPECT_FALSE(PasteSettings(*owner, ObjectKind::Game, bytesOf(square), 0));
    EXPECT_FALSE(PasteSettings(*owner, static_cast<ObjectKind>(-3), bytesOf(square), 0));
    EXPECT_FALSE(
        PasteSettings(*owner, ObjectKind::Square, bytesOf(square).first(sizeof square - 1), 2));
    EXPECT_EQ(snapshot(), before);
}

// --- NextUsedIndex --------------------------------------------------------

TEST_F(ObjectListTest, NextUsedIndexFindsTheNextOrElseTheHighest) {
    clearBoard();
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Square, -1), -1);
    put(2, 0, 0);
    put(5, 0, 0);
    put(9, 0, 0);
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {-1, 2},  {0, 2},   {2, 5},   {4, 5},       {5, 9},       {9, 9},
        {150, 9}, {199, 9}, {200, 9}, {INT_MAX, 9}, {INT_MIN, 2},
    };
    for (const auto& [from, expected] : cases) {
        EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Square, from), expected) << from;
    }
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Image, 0), -1);
    AddImage(*owner, "only", {});
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Image, 0), 0);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Sound, 9), 9);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Sound, 1), 3);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Player, 0), -1);
    EXPECT_EQ(NextUsedIndex(record(), ObjectKind::Game, 0), -1);
    EXPECT_EQ(NextUsedIndex(record(), static_cast<ObjectKind>(99), 0), -1);
}

}  // namespace
}  // namespace banmen
