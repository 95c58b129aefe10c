#include "model/game_record.h"

#include <bit>
#include <type_traits>

namespace banmen {

// The record's bytes are the file's bytes: these checks pin the layout.
static_assert(std::endian::native == std::endian::little,
              "the game record is stored little-endian, as the host must be");
static_assert(std::is_trivially_copyable_v<GameRecord>);
static_assert(std::is_standard_layout_v<GameRecord>);

static_assert(sizeof(GameRecord) == kGameRecordSize);
static_assert(sizeof(GameSettings) == 1644);
static_assert(sizeof(PlayerDef) == 556);
static_assert(sizeof(PlayerStateDef) == 196);
static_assert(sizeof(PlayerDataDef) == 206);
static_assert(sizeof(SquareDef) == 1008);
static_assert(sizeof(ImageDef) == 208);
static_assert(sizeof(SoundDef) == 200);

static_assert(offsetof(GameRecord, headerMarker) == 0);
static_assert(offsetof(GameRecord, headerText) == 4);
static_assert(offsetof(GameRecord, settings) == 264);
static_assert(offsetof(GameRecord, players) == 1908);
static_assert(offsetof(GameRecord, states) == 4132);
static_assert(offsetof(GameRecord, dataItems) == 4720);
static_assert(offsetof(GameRecord, reserved1) == 5750);
static_assert(offsetof(GameRecord, squares) == 5756);
static_assert(offsetof(GameRecord, images) == 207356);
static_assert(offsetof(GameRecord, reserved2) == 269756);
static_assert(offsetof(GameRecord, sounds) == 269760);

static_assert(offsetof(GameSettings, title) == 0);
static_assert(offsetof(GameSettings, bankName) == 64);
static_assert(offsetof(GameSettings, rightsNotice) == 128);
static_assert(offsetof(GameSettings, reserved1) == 192);
static_assert(offsetof(GameSettings, helpText) == 256);
static_assert(offsetof(GameSettings, playerCount) == 1284);
static_assert(offsetof(GameSettings, victoryCondition) == 1288);
static_assert(offsetof(GameSettings, endCondition) == 1292);
static_assert(offsetof(GameSettings, gamePicture) == 1296);
static_assert(offsetof(GameSettings, helpPicture) == 1300);
static_assert(offsetof(GameSettings, music) == 1304);
static_assert(offsetof(GameSettings, reserved2) == 1308);

static_assert(offsetof(PlayerDef, name) == 0);
static_assert(offsetof(PlayerDef, stateTexts) == 64);
static_assert(offsetof(PlayerDef, picture) == 256);
static_assert(offsetof(PlayerDef, startSquare) == 260);
static_assert(offsetof(PlayerDef, currentSquare) == 264);
static_assert(offsetof(PlayerDef, dataValues) == 268);
static_assert(offsetof(PlayerDef, isComputer) == 288);
static_assert(offsetof(PlayerDef, restFlag) == 292);
static_assert(offsetof(PlayerDef, finishState) == 296);
static_assert(offsetof(PlayerDef, reserved) == 300);

static_assert(offsetof(PlayerStateDef, name) == 0);
static_assert(offsetof(PlayerStateDef, visible) == 64);
static_assert(offsetof(PlayerStateDef, description) == 68);
static_assert(offsetof(PlayerStateDef, reserved) == 132);

static_assert(offsetof(PlayerDataDef, name) == 0);
static_assert(offsetof(PlayerDataDef, visible) == 64);
static_assert(offsetof(PlayerDataDef, unit) == 68);
static_assert(offsetof(PlayerDataDef, kind) == 74);
static_assert(offsetof(PlayerDataDef, description) == 78);
// The kind of data item 0 lies in bytes 4,794..4,797 of the record.
static_assert(offsetof(GameRecord, dataItems) + offsetof(PlayerDataDef, kind) == 4794);

static_assert(offsetof(SquareDef, name) == 0);
static_assert(offsetof(SquareDef, picture) == 64);
static_assert(offsetof(SquareDef, supplementPicture) == 68);
static_assert(offsetof(SquareDef, sound) == 72);
static_assert(offsetof(SquareDef, arrivalJump) == 76);
static_assert(offsetof(SquareDef, passJump) == 80);
static_assert(offsetof(SquareDef, dieJumps) == 84);
static_assert(offsetof(SquareDef, nextSquares) == 108);
static_assert(offsetof(SquareDef, description) == 124);
static_assert(offsetof(SquareDef, x) == 188);
static_assert(offsetof(SquareDef, y) == 192);
static_assert(offsetof(SquareDef, kind) == 196);
static_assert(offsetof(SquareDef, updateCodes) == 200);
static_assert(offsetof(SquareDef, updateValues) == 220);
static_assert(offsetof(SquareDef, updateTexts) == 240);
static_assert(offsetof(SquareDef, stateChanges) == 560);
static_assert(offsetof(SquareDef, reserved) == 752);

static_assert(offsetof(ImageDef, name) == 0);
static_assert(offsetof(ImageDef, fileName) == 64);
static_assert(offsetof(ImageDef, transparentColor) == 128);
static_assert(offsetof(ImageDef, width) == 132);
static_assert(offsetof(ImageDef, height) == 136);
static_assert(offsetof(ImageDef, imageMark) == 140);
static_assert(offsetof(ImageDef, reserved) == 144);

static_assert(offsetof(SoundDef, name) == 0);
static_assert(offsetof(SoundDef, fileName) == 64);
static_assert(offsetof(SoundDef, repeat) == 128);
static_assert(offsetof(SoundDef, soundMark) == 132);
static_assert(offsetof(SoundDef, reserved) == 136);

bool isSquareRef(const GameRecord& record, std::int32_t index) {
    return index >= 0 && index < kSquareCount && inUse(record.squares[index]);
}

bool isImageRef(const GameRecord& record, std::int32_t index) {
    return index >= 0 && index < kImageCount && inUse(record.images[index]);
}

bool isSoundRef(const GameRecord& record, std::int32_t index) {
    return index >= 0 && index < kSoundCount && inUse(record.sounds[index]);
}

}  // namespace banmen
