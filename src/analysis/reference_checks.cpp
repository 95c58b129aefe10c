// References to square, image and sound slots that are not in use: what is
// left behind when a slot is freed outside the editor's list operations, or
// by a file written elsewhere. Play treats such a reference as none.

#include <string>
#include <vector>

#include "analysis/lint_checks.h"
#include "model/enum_texts.h"
#include "platform/sjis.h"

namespace banmen::lint {
namespace {

enum class Slot : std::uint8_t { Square, Image, Sound };

struct Referrer {
    std::string caption;  // Shift-JIS
    std::int32_t square = -1;
    std::int32_t player = -1;
};

bool inUseSlot(const GameRecord& record, Slot slot, std::int32_t index) {
    switch (slot) {
        case Slot::Square:
            return isSquareRef(record, index);
        case Slot::Image:
            return isImageRef(record, index);
        case Slot::Sound:
            return isSoundRef(record, index);
    }
    return false;
}

int slotCount(Slot slot) {
    switch (slot) {
        case Slot::Square:
            return kSquareCount;
        case Slot::Image:
            return kImageCount;
        case Slot::Sound:
            return kSoundCount;
    }
    return 0;
}

std::string_view slotName(Slot slot) {
    switch (slot) {
        case Slot::Square:
            return "マス";
        case Slot::Image:
            return "イメージ";
        case Slot::Sound:
            return "サウンド";
    }
    return {};
}

class ReferenceCheck {
  public:
    ReferenceCheck(const GameRecord& record, std::vector<Finding>& out)
        : record_(record), out_(out) {}

    // `field` is the field's label in UTF-8.
    void check(const Referrer& who, std::string_view field, Slot slot, std::int32_t value) {
        if (value == -1 || inUseSlot(record_, slot, value)) {
            return;
        }
        std::string target;
        if (value >= 0 && value < slotCount(slot)) {
            target =
                sjis::lit("使われていない") + sjis::lit(slotName(slot)) + std::to_string(value + 1);
        } else {
            target = sjis::lit("範囲外の番号 ") + std::to_string(value);
        }
        Finding f;
        f.code = FindingCode::FreeReference;
        f.square = who.square;
        f.player = who.player;
        f.message = who.caption + sjis::lit(" の") + sjis::lit(field) + sjis::lit("が") + target +
                    sjis::lit(" を指しています");
        out_.push_back(std::move(f));
    }

  private:
    const GameRecord& record_;
    std::vector<Finding>& out_;
};

}  // namespace

void checkReferences(const GameRecord& record, std::vector<Finding>& out) {
    ReferenceCheck check(record, out);
    const Referrer game{sjis::lit("ゲーム全般")};
    check.check(game, "絵柄", Slot::Image, record.settings.gamePicture);
    check.check(game, "ヘルプ絵柄", Slot::Image, record.settings.helpPicture);
    check.check(game, "音楽", Slot::Sound, record.settings.music);

    for (int p = 0; p < playersInGame(record); ++p) {
        const PlayerDef& player = record.players[p];
        const Referrer who{playerCaption(record, p), -1, p};
        check.check(who, "駒の絵柄", Slot::Image, player.picture);
        check.check(who, "開始位置", Slot::Square, player.startSquare);
    }

    for (int s = 0; s < kSquareCount; ++s) {
        const SquareDef& square = record.squares[s];
        if (!inUse(square)) {
            continue;
        }
        const Referrer who{squareCaption(record, s), s, -1};
        check.check(who, "絵柄", Slot::Image, square.picture);
        check.check(who, "補足図", Slot::Image, square.supplementPicture);
        check.check(who, "効果音", Slot::Sound, square.sound);
        check.check(who, "到着移動先", Slot::Square, square.arrivalJump);
        check.check(who, "通過移動先", Slot::Square, square.passJump);
        for (int face = 1; face <= kDieJumpCount; ++face) {
            check.check(who, std::to_string(face) + "の目移動先", Slot::Square,
                        square.dieJumps[face - 1]);
        }
        for (int link = 1; link <= kNextSquareCount; ++link) {
            check.check(who, "次のマス" + std::string(fullWidthDigit(link)), Slot::Square,
                        square.nextSquares[link - 1]);
        }
    }
}

}  // namespace banmen::lint
