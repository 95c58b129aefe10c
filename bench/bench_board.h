#pragma once
// The 200-square board the engine and analysis benchmarks play: branches that
// join again, pass, arrival and die-face jumps, rest squares, data updates
// and state changes, four players.

#include <cstring>
#include <memory>
#include <string>

#include "engine/update_code.h"
#include "support/sample_records.h"

namespace banmen::bench {

inline void setName(char* field, const std::string& text) {
    std::memset(field, 0, 64);
    std::memcpy(field, text.data(), text.size());
}

inline std::unique_ptr<GameRecord> benchBoard(std::int32_t endCondition) {
    auto r = std::make_unique<GameRecord>(test::defaultRecord());
    constexpr int kLast = kSquareCount - 1;
    for (int s = 0; s < kSquareCount; ++s) {
        SquareDef& q = r->squares[s];
        std::memset(&q, 0, sizeof q);
        setName(q.name, "S" + std::to_string(s));
        q.picture = q.supplementPicture = q.sound = q.arrivalJump = q.passJump = -1;
        for (std::int32_t& j : q.dieJumps) {
            j = -1;
        }
        for (std::int32_t& n : q.nextSquares) {
            n = -1;
        }
        q.x = 20 + (s % 20) * 38;
        q.y = 40 + (s / 20) * 55;
        q.kind = s == 0 ? kSquareStart : s == kLast ? kSquareGoal : kSquareNormal;
        if (s < kLast) {
            q.nextSquares[0] = s + 1;
        }
        if (s % 20 == 5 && s + 3 < kLast) {
            q.nextSquares[1] = s + 3;  // a short cut that joins again
        }
        if (s % 37 == 10 && s + 6 < kLast) {
            q.passJump = s + 6;
        }
        if (s % 29 == 13) {
            q.arrivalJump = s - 8;
        }
        if (s % 23 == 7 && s + 10 < kLast) {
            q.dieJumps[5] = s + 10;
        }
        if (s % 31 == 17) {
            q.kind = kSquareRest;
        }
        if (s % 3 == 0) {
            q.updateCodes[0] = encodeUpdate(OPOADD, OPMONE, OPFBNK);
            q.updateValues[0] = 100;
        }
        if (s % 7 == 2) {
            q.updateCodes[1] = encodeUpdate(OPOSUB, OPMDIC1, OPFALL);
            q.updateValues[1] = 10;
        }
        if (s % 11 == 4) {
            q.updateCodes[2] = encodeUpdate(OPOADD, OPMONE, OPFPLY);
            q.updateValues[2] = 50;
        }
        if (s % 13 == 6) {
            q.updateCodes[3] = encodeUpdate(OPOMUL, OPMONE, OPFBNK);
            q.updateValues[3] = 2;
        }
        if (s % 17 == 8) {
            setName(q.stateChanges[0], s % 2 == 0 ? "up" : "down");
        }
    }
    setName(r->dataItems[1].name, "B");
    r->dataItems[1].visible = 1;
    setName(r->states[0].name, "mood");
    r->states[0].visible = 1;
    r->settings.playerCount = 4;
    r->settings.endCondition = endCondition;
    r->settings.victoryCondition = 1;
    return r;
}

}  // namespace banmen::bench
