#include "editor/document/object_captions.h"

#include <algorithm>
#include <string_view>

#include "model/enum_texts.h"
#include "model/object_kind.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameText(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8Lossy(cp932));
}

bool exists(const GameRecord& record, Selection object) {
    const int count =
        object.kind == ObjectKind::Player ? listedPlayerCount(record) : objectCount(object.kind);
    if (object.index < 0 || object.index >= count) {
        return false;
    }
    switch (object.kind) {
        case ObjectKind::Square:
            return inUse(record.squares[object.index]);
        case ObjectKind::Image:
            return inUse(record.images[object.index]);
        case ObjectKind::Sound:
            return inUse(record.sounds[object.index]);
        default:
            return true;
    }
}

std::string_view nameOf(const GameRecord& record, Selection object) {
    const auto i = static_cast<std::size_t>(object.index);
    switch (object.kind) {
        case ObjectKind::Player:
            return fieldText(record.players[i].name);
        case ObjectKind::PlayerState:
            return fieldText(record.states[i].name);
        case ObjectKind::PlayerData:
            return fieldText(record.dataItems[i].name);
        case ObjectKind::Square:
            return fieldText(record.squares[i].name);
        case ObjectKind::Image:
            return fieldText(record.images[i].name);
        case ObjectKind::Sound:
            return fieldText(record.sounds[i].name);
        case ObjectKind::Game:
            break;
    }
    return {};
}

}  // namespace

int listedPlayerCount(const GameRecord& record) {
    return std::clamp(record.settings.playerCount, 1, kPlayerCount);
}

QString objectLabel(Selection object) {
    const QString digit = utf8(fullWidthDigit(object.index + 1));
    const QString number = QString::number(object.index + 1);
    switch (object.kind) {
        case ObjectKind::Game:
            return QStringLiteral("ゲーム全般");
        case ObjectKind::Player:
            return QStringLiteral("プレイヤー") + digit;
        case ObjectKind::PlayerState:
            return QStringLiteral("プレイヤー状態") + digit;
        case ObjectKind::PlayerData:
            return QStringLiteral("プレイヤーデータ") + digit;
        case ObjectKind::Square:
            return QStringLiteral("マス") + number;
        case ObjectKind::Image:
            return QStringLiteral("イメージ") + number;
        case ObjectKind::Sound:
            return QStringLiteral("サウンド") + number;
    }
    return {};
}

QString objectCaption(const GameRecord& record, Selection object) {
    if (!exists(record, object)) {
        return {};
    }
    const std::string_view name = nameOf(record, object);
    QString caption = objectLabel(object);
    if (!name.empty()) {
        caption += QStringLiteral(" [") + nameText(name) + QStringLiteral("]");
    }
    return caption;
}

std::vector<CaptionEntry> allObjectCaptions(const GameRecord& record) {
    std::vector<CaptionEntry> entries;
    const auto add = [&](ObjectKind kind, int count) {
        for (int i = 0; i < count; ++i) {
            const Selection object{kind, i};
            if (exists(record, object)) {
                entries.push_back({object, objectCaption(record, object)});
            }
        }
    };
    add(ObjectKind::Game, 1);
    add(ObjectKind::Player, listedPlayerCount(record));
    add(ObjectKind::PlayerData, kDataItemCount);
    add(ObjectKind::PlayerState, kStateCount);
    add(ObjectKind::Square, kSquareCount);
    add(ObjectKind::Image, kImageCount);
    add(ObjectKind::Sound, kSoundCount);
    return entries;
}

std::optional<Selection> findCaption(const GameRecord& record, const QString& caption) {
    if (caption.isEmpty()) {
        return std::nullopt;
    }
    for (const CaptionEntry& entry : allObjectCaptions(record)) {
        if (entry.caption == caption) {
            return entry.object;
        }
    }
    return std::nullopt;
}

}  // namespace banmen
