#pragma once
// The object the editor shows: a kind and an index within it (0-based). The
// game settings are (Game, 0). Kept by the document so that commands and the
// undo history can read and restore it without a window.

#include "model/object_kind.h"

namespace banmen {

struct Selection {
    ObjectKind kind = ObjectKind::Game;
    int index = 0;

    friend bool operator==(const Selection&, const Selection&) = default;
    bool isSquare() const { return kind == ObjectKind::Square; }
};

}  // namespace banmen
