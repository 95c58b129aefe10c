#pragma once
// The game record: one whole sugoroku game in one plain, fixed-size value of
// 273,760 bytes with no pointers inside. Its bytes are the workspace file's
// bytes, so every offset and width below is a file format; game_record.cpp
// checks each one at compile time.
//
// Encoding: little-endian signed 32-bit numbers; texts are Shift-JIS (CP932),
// NUL-terminated within their width, never longer than their byte limit
// (see text_field.h); references are 0-based indices with -1 for none; a
// square, image, sound (or player) slot is in use when the first byte of its
// `name` is not 0; colours are 0x00BBGGRR; reserved areas are zero and carried
// through unchanged.

#include <cstddef>
#include <cstdint>

namespace banmen {

constexpr int kPlayerCount = 4;
constexpr int kStateCount = 3;
constexpr int kDataItemCount = 5;
constexpr int kSquareCount = 200;
constexpr int kImageCount = 300;
constexpr int kSoundCount = 20;
constexpr int kDieJumpCount = 6;
constexpr int kNextSquareCount = 4;
constexpr int kUpdateCount = 5;

// Byte limits of the text fields (the byte at the limit is always NUL).
constexpr std::size_t kHeaderTextMax = 259;
constexpr std::size_t kNameMax = 62;
constexpr std::size_t kHelpTextMax = 1024;
constexpr std::size_t kUnitMax = 4;

constexpr std::uint32_t kTransparentMagenta = 0x00FF00FF;

#pragma pack(push, 1)

struct GameSettings {
    char title[64];
    char bankName[64];
    char rightsNotice[64];
    std::uint8_t reserved1[64];
    char helpText[1028];
    std::int32_t playerCount;
    std::int32_t victoryCondition;
    std::int32_t endCondition;
    std::int32_t gamePicture;
    std::int32_t helpPicture;
    std::int32_t music;
    std::uint8_t reserved2[336];
};

struct PlayerDef {
    char name[64];
    char stateTexts[kStateCount][64];
    std::int32_t picture;
    std::int32_t startSquare;
    std::int32_t currentSquare;
    std::int32_t dataValues[kDataItemCount];
    std::int32_t isComputer;
    std::int32_t restFlag;
    std::int32_t finishState;
    std::uint8_t reserved[256];
};

struct PlayerStateDef {
    char name[64];
    std::int32_t visible;
    char description[64];
    std::uint8_t reserved[64];
};

struct PlayerDataDef {
    char name[64];
    std::int32_t visible;
    char unit[6];
    std::int32_t kind;  // at a 2-byte boundary: the block is 206 bytes long
    char description[128];
};

struct SquareDef {
    char name[64];
    std::int32_t picture;
    std::int32_t supplementPicture;
    std::int32_t sound;
    std::int32_t arrivalJump;
    std::int32_t passJump;
    std::int32_t dieJumps[kDieJumpCount];
    std::int32_t nextSquares[kNextSquareCount];
    char description[64];
    std::int32_t x;
    std::int32_t y;
    std::int32_t kind;
    std::int32_t updateCodes[kUpdateCount];
    std::int32_t updateValues[kUpdateCount];
    char updateTexts[kUpdateCount][64];
    char stateChanges[kStateCount][64];
    std::uint8_t reserved[256];
};

struct ImageDef {
    char name[64];
    char fileName[64];
    std::int32_t transparentColor;
    std::int32_t width;
    std::int32_t height;
    std::int32_t imageMark;
    std::uint8_t reserved[64];
};

struct SoundDef {
    char name[64];
    char fileName[64];
    std::int32_t repeat;
    std::int32_t soundMark;
    std::uint8_t reserved[64];
};

struct GameRecord {
    std::int32_t headerMarker;
    char headerText[260];
    GameSettings settings;
    PlayerDef players[kPlayerCount];
    PlayerStateDef states[kStateCount];
    PlayerDataDef dataItems[kDataItemCount];
    std::uint8_t reserved1[6];
    SquareDef squares[kSquareCount];
    ImageDef images[kImageCount];
    std::uint8_t reserved2[4];
    SoundDef sounds[kSoundCount];
};

#pragma pack(pop)

constexpr std::size_t kGameRecordSize = 273760;

enum SquareKind : std::int32_t {
    kSquareNormal = 0,
    kSquareLucky = 1,
    kSquareUnlucky = 2,
    kSquareRest = 3,
    kSquareStart = 4,
    kSquareGoal = 5,
    kSquareRetire = 6,
};
constexpr int kSquareKindCount = 7;

enum VictoryCondition : std::int32_t {
    kVictoryGoalOrder = 0,
    // 1..5: the data item 1..5 with the largest value wins.
};
constexpr int kVictoryConditionCount = 6;

enum EndCondition : std::int32_t {
    kEndFirstGoal = 0,
    kEndAllPeopleGoal = 1,
    kEndAllGoal = 2,
};
constexpr int kEndConditionCount = 3;

enum DataKind : std::int32_t { kDataThing = 0, kDataMoney = 1, kDataPerson = 2 };
constexpr int kDataKindCount = 3;

enum RepeatMode : std::int32_t { kRepeatLoop = 0, kRepeatOnce = 1 };

// Slot use: the first byte of the name.
inline bool inUse(const SquareDef& s) {
    return s.name[0] != 0;
}
inline bool inUse(const ImageDef& m) {
    return m.name[0] != 0;
}
inline bool inUse(const SoundDef& n) {
    return n.name[0] != 0;
}
inline bool inUse(const PlayerDef& p) {
    return p.name[0] != 0;
}

// A reference that names a slot in use; -1, out-of-range and free slots all
// mean no object.
bool isSquareRef(const GameRecord& record, std::int32_t index);
bool isImageRef(const GameRecord& record, std::int32_t index);
bool isSoundRef(const GameRecord& record, std::int32_t index);

}  // namespace banmen
