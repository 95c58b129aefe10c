#include "model/field_table.h"

#include <array>

#include "model/game_record.h"

namespace banmen {
namespace {

constexpr FieldSpec text(const char* name, std::int32_t id, std::uint32_t offset,
                         std::uint32_t width, std::uint32_t limit, std::int32_t count = 1) {
    return {name, id, count, offset, width, width, FieldType::Text, limit, 0, false, RefKind::None};
}

constexpr FieldSpec number(const char* name, std::int32_t id, std::uint32_t offset,
                           std::int32_t defaultValue, bool redraw, RefKind refers = RefKind::None,
                           std::int32_t count = 1) {
    return {name, id, count, offset, 4, 4, FieldType::Number, 0, defaultValue, redraw, refers};
}

constexpr FieldSpec mark(const char* name, std::int32_t id, std::uint32_t offset) {
    return {name, id, 1, offset, 4, 4, FieldType::Mark, 0, 0, false, RefKind::None};
}

#define OFF(type, field) static_cast<std::uint32_t>(offsetof(type, field))

constexpr FieldSpec kSettingsFields[] = {
    text("title", kFieldTitle, OFF(GameSettings, title), 64, kNameMax),
    text("bankName", kFieldBankName, OFF(GameSettings, bankName), 64, kNameMax),
    text("rightsNotice", kFieldRightsNotice, OFF(GameSettings, rightsNotice), 64, kNameMax),
    text("helpText", kFieldHelpText, OFF(GameSettings, helpText), 1028, kHelpTextMax),
    number("gamePicture", kFieldPicture, OFF(GameSettings, gamePicture), -1, true, RefKind::Image),
    number("helpPicture", kFieldHelpPicture, OFF(GameSettings, helpPicture), -1, false,
           RefKind::Image),
    number("music", kFieldSound, OFF(GameSettings, music), -1, false, RefKind::Sound),
    number("playerCount", kFieldPlayerCount, OFF(GameSettings, playerCount), 0, false),
    number("victoryCondition", kFieldVictoryCondition, OFF(GameSettings, victoryCondition), 0,
           false),
    number("endCondition", kFieldEndCondition, OFF(GameSettings, endCondition), 0, false),
};

constexpr FieldSpec kPlayerFields[] = {
    text("name", kFieldName, OFF(PlayerDef, name), 64, kNameMax),
    text("stateTexts", kFieldStateTexts, OFF(PlayerDef, stateTexts), 64, kNameMax, kStateCount),
    number("picture", kFieldPicture, OFF(PlayerDef, picture), -1, true, RefKind::Image),
    number("startSquare", kFieldStartSquare, OFF(PlayerDef, startSquare), -1, true,
           RefKind::Square),
    number("currentSquare", kFieldCurrentSquare, OFF(PlayerDef, currentSquare), -1, true,
           RefKind::Square),
    number("dataValues", kFieldValues, OFF(PlayerDef, dataValues), 0, false, RefKind::None,
           kDataItemCount),
    number("isComputer", kFieldIsComputer, OFF(PlayerDef, isComputer), 0, false),
    number("restFlag", kFieldRestFlag, OFF(PlayerDef, restFlag), 0, false),
    number("finishState", kFieldFinishState, OFF(PlayerDef, finishState), 0, false),
};

constexpr FieldSpec kStateFields[] = {
    text("name", kFieldName, OFF(PlayerStateDef, name), 64, kNameMax),
    number("visible", kFieldVisible, OFF(PlayerStateDef, visible), 0, false),
    text("description", kFieldDescription, OFF(PlayerStateDef, description), 64, kNameMax),
};

constexpr FieldSpec kDataItemFields[] = {
    text("name", kFieldName, OFF(PlayerDataDef, name), 64, kNameMax),
    number("visible", kFieldVisible, OFF(PlayerDataDef, visible), 0, false),
    text("unit", kFieldUnit, OFF(PlayerDataDef, unit), 6, kUnitMax),
    number("kind", kFieldKind, OFF(PlayerDataDef, kind), 0, false),
    text("description", kFieldDescription, OFF(PlayerDataDef, description), 128, kNameMax),
};

constexpr FieldSpec kSquareFields[] = {
    text("name", kFieldName, OFF(SquareDef, name), 64, kNameMax),
    number("picture", kFieldPicture, OFF(SquareDef, picture), -1, false, RefKind::Image),
    number("supplementPicture", kFieldSupplementPicture, OFF(SquareDef, supplementPicture), -1,
           false, RefKind::Image),
    number("sound", kFieldSound, OFF(SquareDef, sound), -1, false, RefKind::Sound),
    number("arrivalJump", kFieldArrivalJump, OFF(SquareDef, arrivalJump), -1, false,
           RefKind::Square),
    number("passJump", kFieldPassJump, OFF(SquareDef, passJump), -1, false, RefKind::Square),
    number("dieJumps", kFieldDieJumps, OFF(SquareDef, dieJumps), -1, false, RefKind::Square,
           kDieJumpCount),
    number("nextSquares", kFieldNextSquares, OFF(SquareDef, nextSquares), -1, true, RefKind::Square,
           kNextSquareCount),
    text("description", kFieldDescription, OFF(SquareDef, description), 64, kNameMax),
    number("x", kFieldX, OFF(SquareDef, x), 0, false),
    number("y", kFieldY, OFF(SquareDef, y), 0, false),
    number("kind", kFieldKind, OFF(SquareDef, kind), 0, true),
    number("updateCodes", kFieldUpdateCodes, OFF(SquareDef, updateCodes), 0, false, RefKind::None,
           kUpdateCount),
    number("updateValues", kFieldValues, OFF(SquareDef, updateValues), 0, false, RefKind::None,
           kUpdateCount),
    text("updateTexts", kFieldUpdateTexts, OFF(SquareDef, updateTexts), 64, kNameMax, kUpdateCount),
    text("stateChanges", kFieldStateTexts, OFF(SquareDef, stateChanges), 64, kNameMax, kStateCount),
};

constexpr FieldSpec kImageFields[] = {
    text("name", kFieldName, OFF(ImageDef, name), 64, kNameMax),
    text("fileName", kFieldFileName, OFF(ImageDef, fileName), 64, kNameMax),
    number("transparentColor", kFieldTransparentColor, OFF(ImageDef, transparentColor), -1, true),
    number("width", kFieldWidth, OFF(ImageDef, width), 0, false),
    number("height", kFieldHeight, OFF(ImageDef, height), 0, false),
    mark("imageMark", kFieldImageMark, OFF(ImageDef, imageMark)),
};

constexpr FieldSpec kSoundFields[] = {
    text("name", kFieldName, OFF(SoundDef, name), 64, kNameMax),
    text("fileName", kFieldFileName, OFF(SoundDef, fileName), 64, kNameMax),
    number("repeat", kFieldRepeat, OFF(SoundDef, repeat), 1, false),
    mark("soundMark", kFieldSoundMark, OFF(SoundDef, soundMark)),
};

constexpr BlockSpec kBlocks[] = {
    {ObjectKind::Game, "settings", OFF(GameRecord, settings), sizeof(GameSettings), 1},
    {ObjectKind::Player, "players", OFF(GameRecord, players), sizeof(PlayerDef), kPlayerCount},
    {ObjectKind::PlayerState, "states", OFF(GameRecord, states), sizeof(PlayerStateDef),
     kStateCount},
    {ObjectKind::PlayerData, "dataItems", OFF(GameRecord, dataItems), sizeof(PlayerDataDef),
     kDataItemCount},
    {ObjectKind::Square, "squares", OFF(GameRecord, squares), sizeof(SquareDef), kSquareCount},
    {ObjectKind::Image, "images", OFF(GameRecord, images), sizeof(ImageDef), kImageCount},
    {ObjectKind::Sound, "sounds", OFF(GameRecord, sounds), sizeof(SoundDef), kSoundCount},
};

#undef OFF

constexpr ObjectKind kKinds[] = {
    ObjectKind::Game,   ObjectKind::Player, ObjectKind::PlayerState, ObjectKind::PlayerData,
    ObjectKind::Square, ObjectKind::Image,  ObjectKind::Sound};

constexpr std::size_t kindIndex(ObjectKind kind) {
    return static_cast<std::size_t>(toInt(kind) - 1);
}

}  // namespace

std::span<const FieldSpec> fieldSpecs(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Game:
            return kSettingsFields;
        case ObjectKind::Player:
            return kPlayerFields;
        case ObjectKind::PlayerState:
            return kStateFields;
        case ObjectKind::PlayerData:
            return kDataItemFields;
        case ObjectKind::Square:
            return kSquareFields;
        case ObjectKind::Image:
            return kImageFields;
        case ObjectKind::Sound:
            return kSoundFields;
    }
    return {};
}

const BlockSpec& blockSpec(ObjectKind kind) {
    return kBlocks[kindIndex(kind)];
}

std::span<const ObjectKind> allKinds() {
    return kKinds;
}

int objectCount(ObjectKind kind) {
    return blockSpec(kind).count;
}

}  // namespace banmen
