// The new game: what a new or closed workspace holds.

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "model/default_folders.h"
#include "model/enum_texts.h"
#include "model/record_owner.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

struct DefaultSound {
    const char* name;
    const char* fileName;
    std::int32_t repeat;
};

// Sound slots 0..9; slot 2 stays empty, 3..9 are the per-kind sounds.
constexpr DefaultSound kDefaultSounds[] = {
    {"バックミュージック１", "Game1.mp3", kRepeatLoop},
    {"バックミュージック２", "Game2.mp3", kRepeatLoop},
    {nullptr, nullptr, 0},
    {"普通サウンド", "Normal.mp3", kRepeatOnce},
    {"幸運サウンド", "Luck.mp3", kRepeatOnce},
    {"不運サウンド", "UnLuck.mp3", kRepeatOnce},
    {"１回休みサウンド", "Rest.mp3", kRepeatOnce},
    {"スタートサウンド", "Start.mp3", kRepeatOnce},
    {"ゴールサウンド", "Goal.mp3", kRepeatOnce},
    {"リタイヤサウンド", "Retire.mp3", kRepeatOnce},
};

struct DefaultSquare {
    std::int32_t x, y, kind, sound, next;
};

// Start at the lower right, over one normal square at the lower left, to the
// goal at the upper left.
constexpr DefaultSquare kDefaultSquares[] = {
    {700, 500, kSquareStart, 7, 2},
    {100, 100, kSquareGoal, 8, -1},
    {100, 500, kSquareNormal, 3, 1},
};

int currentLocalYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return 0;
    }
    return local.tm_year + 1900;
}

bool isBitmapName(const std::string& name) {
    return path::sameExtension(path::PathExtension(name), ".bmp");
}

}  // namespace

void RecordOwner::ApplyNewGameDefaults() {
    notifications_ = false;
    std::memset(record_.get(), 0, sizeof(GameRecord));
    record_->headerMarker = 1;
    edit_ = EditState{};

    auto setText = [this](ObjectKind kind, int index, std::int32_t id, std::string_view utf8,
                          int sub = 0) { SetText(*field(kind, index, id, sub), sjis::lit(utf8)); };
    auto setNumber = [this](ObjectKind kind, int index, std::int32_t id, std::int32_t value,
                            int sub = 0) { SetNumber(*field(kind, index, id, sub), value); };

    // Settings.
    setText(ObjectKind::Game, 0, kFieldTitle, "新規雙六");
    setNumber(ObjectKind::Game, 0, kFieldPicture, -1);
    setNumber(ObjectKind::Game, 0, kFieldHelpPicture, -1);
    setNumber(ObjectKind::Game, 0, kFieldSound, -1);
    setText(ObjectKind::Game, 0, kFieldRightsNotice,
            "Copyright " + std::to_string(currentLocalYear()) + " ");
    setText(ObjectKind::Game, 0, kFieldHelpText, "この雙六は．．．");
    setText(ObjectKind::Game, 0, kFieldBankName, "銀行");
    setNumber(ObjectKind::Game, 0, kFieldPlayerCount, kPlayerCount);
    setNumber(ObjectKind::Game, 0, kFieldVictoryCondition, 0);
    setNumber(ObjectKind::Game, 0, kFieldEndCondition, 0);

    // Players: every field through its default, then the numbered name.
    for (int i = 0; i < kPlayerCount; ++i) {
        ResetToDefault(ObjectKind::Player, i);
        setText(ObjectKind::Player, i, kFieldName,
                "プレイヤー" + std::string(fullWidthDigit(i + 1)));
    }
    for (int j = 0; j < kStateCount; ++j) {
        ResetToDefault(ObjectKind::PlayerState, j);
    }
    for (int k = 0; k < kDataItemCount; ++k) {
        ResetToDefault(ObjectKind::PlayerData, k);
    }
    for (int s = 0; s < kSquareCount; ++s) {
        ResetToDefault(ObjectKind::Square, s);
    }
    for (int m = 0; m < kImageCount; ++m) {
        ResetToDefault(ObjectKind::Image, m);
    }
    for (int n = 0; n < kSoundCount; ++n) {
        ResetToDefault(ObjectKind::Sound, n);
    }

    // Default images: every bitmap of the default image folder, in listing
    // order. A name that cannot be stored (not Shift-JIS, too long) is skipped.
    const std::string imageFolder = defaultImageFolder();
    std::vector<std::string> names;
    if (ListFolder(imageFolder, names)) {
        int slot = 0;
        for (const std::string& name : names) {
            if (slot >= kImageCount) {
                break;
            }
            if (!isBitmapName(name) || IsFolder(path::PathJoin(imageFolder, name))) {
                continue;
            }
            auto stored = sjis::fromUtf8(name);
            auto title = sjis::fromUtf8(path::PathTitle(name));
            if (!stored || !title || stored->size() > kNameMax || title->empty()) {
                continue;
            }
            SetText(*field(ObjectKind::Image, slot, kFieldName), *title);
            SetText(*field(ObjectKind::Image, slot, kFieldFileName), *stored);
            SetNumber(*field(ObjectKind::Image, slot, kFieldTransparentColor),
                      static_cast<std::int32_t>(kTransparentMagenta));
            ++slot;
        }
    }

    // Default sounds.
    for (int n = 0; n < static_cast<int>(std::size(kDefaultSounds)); ++n) {
        const DefaultSound& sound = kDefaultSounds[n];
        if (sound.name == nullptr) {
            continue;
        }
        setText(ObjectKind::Sound, n, kFieldName, sound.name);
        setText(ObjectKind::Sound, n, kFieldFileName, sound.fileName);
        setNumber(ObjectKind::Sound, n, kFieldRepeat, sound.repeat);
    }

    // Data item 1: the players' money.
    setText(ObjectKind::PlayerData, 0, kFieldName, "所持金");
    setText(ObjectKind::PlayerData, 0, kFieldUnit, "円");
    setNumber(ObjectKind::PlayerData, 0, kFieldVisible, 1);
    setNumber(ObjectKind::PlayerData, 0, kFieldKind, kDataMoney);

    // Three linked squares.
    for (int s = 0; s < static_cast<int>(std::size(kDefaultSquares)); ++s) {
        const DefaultSquare& square = kDefaultSquares[s];
        setText(ObjectKind::Square, s, kFieldName,
                std::string(squareKindText(square.kind)) + "(" + std::to_string(s + 1) + ")");
        setNumber(ObjectKind::Square, s, kFieldX, square.x);
        setNumber(ObjectKind::Square, s, kFieldY, square.y);
        setNumber(ObjectKind::Square, s, kFieldKind, square.kind);
        setNumber(ObjectKind::Square, s, kFieldSound, square.sound);
        setNumber(ObjectKind::Square, s, kFieldNextSquares, square.next, 0);
    }

    for (int i = 0; i < kPlayerCount; ++i) {
        setNumber(ObjectKind::Player, i, kFieldStartSquare, 0);
    }
    notifications_ = true;
}

}  // namespace banmen
