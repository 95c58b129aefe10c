#include "model/square_list.h"

#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "model/board_place.h"
#include "model/enum_texts.h"
#include "model/object_blocks.h"
#include "model/record_owner.h"
#include "model/route_mode.h"
#include "model/routes.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

// A pasted square's name: at most this many bytes of the original, then the
// copy mark and a number.
constexpr std::size_t kCopyStemMax = 13;

std::int32_t firstFreeSquare(const GameRecord& record) {
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        if (!inUse(record.squares[i])) {
            return i;
        }
    }
    return -1;
}

bool hasRoute(const SquareDef& square, std::int32_t to) {
    for (std::int32_t next : square.nextSquares) {
        if (next == to) {
            return true;
        }
    }
    return false;
}

void removeRoutesTo(SquareDef& square, std::int32_t to) {
    for (std::int32_t& next : square.nextSquares) {
        if (next == to) {
            next = -1;
        }
    }
}

void clearJumpsAndRoutes(SquareDef& square) {
    square.arrivalJump = -1;
    square.passJump = -1;
    for (std::int32_t& jump : square.dieJumps) {
        jump = -1;
    }
    for (std::int32_t& next : square.nextSquares) {
        next = -1;
    }
}

bool nameTaken(const GameRecord& record, std::string_view name) {
    for (const SquareDef& square : record.squares) {
        if (inUse(square) && fieldText(square.name) == name) {
            return true;
        }
    }
    return false;
}

// "<stem> ｺﾋﾟｰ<n>": the stem is the name before any earlier copy mark, cut to
// at most 13 bytes. The cut never keeps half a double-byte character: a lone
// lead byte would swallow the blank of the mark when the name is read back.
std::string copyName(const GameRecord& record, const SquareDef& copy) {
    const std::string mark = sjis::lit(" ｺﾋﾟｰ");
    std::string_view stem = fieldText(copy.name);
    // The blank can be neither half of a double-byte character, so a match
    // always starts on a character boundary.
    stem = stem.substr(0, stem.find(mark));
    stem = stem.substr(0, sjis::safeCutLength(stem, kCopyStemMax));
    const std::string base = std::string(stem) + mark;
    // At most 200 squares are in use, so this ends by 201.
    for (int n = 1;; ++n) {
        std::string name = base + std::to_string(n);
        if (!nameTaken(record, name)) {
            return name;
        }
    }
}

// Where routes into a deleted square lead now: its first successor, unless
// that is the square itself or no square in use.
std::int32_t bypassOf(const GameRecord& record, std::int32_t square) {
    const std::int32_t next = record.squares[square].nextSquares[0];
    return next != square && isSquareRef(record, next) ? next : -1;
}

}  // namespace

std::int32_t AddSquare(RecordOwner& owner, std::int32_t x, std::int32_t y, std::int32_t kind) {
    EndRouteMode(owner);
    GameRecord& record = owner.record();
    const std::string_view kindText = squareKindText(kind);
    const std::int32_t slot = firstFreeSquare(record);
    if (kindText.empty() || slot < 0) {
        return -1;
    }
    SquareDef& square = record.squares[slot];
    std::memset(&square, 0, sizeof square);
    storeFieldText(square.name, kNameMax,
                   sjis::lit(std::string(kindText) + "(" + std::to_string(slot + 1) + ")"));
    square.x = x;
    square.y = y;
    square.kind = kind;
    square.sound = kind + 3;  // the kind's standard sound in a new game
    square.picture = -1;
    square.supplementPicture = -1;
    clearJumpsAndRoutes(square);

    // Splits a→d into a→new→d, and d→a into d→new→a when it runs both ways.
    if (const auto route = NearestRoute(record, x, y)) {
        const std::int32_t a = route->square;
        const std::int32_t d = record.squares[a].nextSquares[route->slot];
        AddRoute(owner, slot, d);
        removeRoutesTo(record.squares[a], d);
        AddRoute(owner, a, slot);
        if (hasRoute(record.squares[d], a)) {
            AddRoute(owner, slot, a);
            removeRoutesTo(record.squares[d], a);
            AddRoute(owner, d, slot);
        }
    }
    return slot;
}

std::int32_t DuplicateSquare(RecordOwner& owner, std::int32_t square) {
    EndRouteMode(owner);
    // Checked first so a failure leaves the place cursor where it was.
    if (!isSquareRef(owner.record(), square) || firstFreeSquare(owner.record()) < 0) {
        return -1;
    }
    const BoardPoint place = FindFreePlace(owner);
    const std::int32_t created = AddSquare(owner, place.x, place.y, kSquareNormal);
    if (created < 0) {
        return -1;
    }
    SquareDef source;
    const auto buffer = std::as_writable_bytes(std::span(&source, 1));
    if (CopyOut(owner, ObjectKind::Square, square, buffer)) {
        PasteSettings(owner, ObjectKind::Square, buffer, created);
    }
    return created;
}

std::int32_t InsertSquareCopy(RecordOwner& owner, const SquareDef& copy, std::int32_t x,
                              std::int32_t y) {
    EndRouteMode(owner);
    GameRecord& record = owner.record();
    const std::int32_t slot = firstFreeSquare(record);
    if (slot < 0) {
        return -1;
    }
    const std::string name = copyName(record, copy);
    const BoardPoint place = x == -1 || y == -1 ? FindFreePlace(owner) : BoardPoint{x, y};
    SquareDef& target = record.squares[slot];
    target = copy;
    std::memset(target.name, 0, sizeof target.name);
    storeFieldText(target.name, kNameMax, name);
    target.x = place.x;
    target.y = place.y;
    return slot;
}

void DeleteSquare(RecordOwner& owner, std::int32_t square) {
    EndRouteMode(owner);
    GameRecord& record = owner.record();
    if (!isSquareRef(record, square)) {
        return;
    }
    const std::int32_t bypass = bypassOf(record, square);
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        SquareDef& other = record.squares[i];
        if (i == square || !inUse(other)) {
            continue;
        }
        if (other.arrivalJump == square) {
            other.arrivalJump = -1;
        }
        if (other.passJump == square) {
            other.passJump = -1;
        }
        for (std::int32_t& jump : other.dieJumps) {
            if (jump == square) {
                jump = -1;
            }
        }
        // Routes through the square now skip it. A bypass that would lead
        // a square to itself or repeat one of its routes is dropped instead.
        for (std::int32_t& next : other.nextSquares) {
            if (next == square) {
                next = bypass == i || hasRoute(other, bypass) ? -1 : bypass;
            }
        }
    }
    for (PlayerDef& player : record.players) {
        if (player.startSquare == square) {
            player.startSquare = bypass;
        }
    }
    SquareDef& gone = record.squares[square];
    clearJumpsAndRoutes(gone);
    gone.name[0] = 0;
}

void DeleteAllSquares(RecordOwner& owner) {
    EndRouteMode(owner);
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        DeleteSquare(owner, i);
    }
}

}  // namespace banmen
