// Records full of nonsense (references out of range or to free slots, unknown
// kinds, codes and conditions, player counts outside 1..4, extreme values)
// play to an end without touching memory they should not.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/game_session.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

class Lcg {
  public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_;
    }
    // A reference: mostly small, sometimes -1, sometimes wild.
    std::int32_t reference(int range) {
        const std::uint32_t pick = next() % 10;
        if (pick < 6) {
            return static_cast<std::int32_t>(next() % static_cast<std::uint32_t>(range));
        }
        if (pick < 9) {
            return -1;
        }
        return static_cast<std::int32_t>(next());
    }

  private:
    std::uint32_t state_;
};

std::unique_ptr<GameRecord> hostileRecord(std::uint32_t seed) {
    auto r = std::make_unique<GameRecord>(test::defaultRecord());
    Lcg lcg(seed);
    const int used = 1 + static_cast<int>(lcg.next() % 40);
    for (int s = 0; s < kSquareCount; ++s) {
        SquareDef& q = r->squares[s];
        std::memset(&q, 0, sizeof q);
        if (s < used || lcg.next() % 50 == 0) {
            q.name[0] = 'S';
        }
        q.kind = static_cast<std::int32_t>(lcg.next() % 9) - 1;
        q.picture = lcg.reference(kImageCount);
        q.supplementPicture = lcg.reference(kImageCount);
        q.sound = lcg.reference(kSoundCount + 5);
        q.arrivalJump = lcg.next() % 4 == 0 ? lcg.reference(used + 2) : -1;
        q.passJump = lcg.next() % 4 == 0 ? lcg.reference(used + 2) : -1;
        for (std::int32_t& j : q.dieJumps) {
            j = lcg.next() % 6 == 0 ? lcg.reference(used + 2) : -1;
        }
        for (std::int32_t& n : q.nextSquares) {
            n = lcg.reference(used + 2);
        }
        q.x = static_cast<std::int32_t>(lcg.next());
        q.y = static_cast<std::int32_t>(lcg.next());
        for (int u = 0; u < kUpdateCount; ++u) {
            q.updateCodes[u] = static_cast<std::int32_t>(lcg.next());
            q.updateValues[u] = lcg.next() % 3 == 0 ? static_cast<std::int32_t>(lcg.next())
                                                    : static_cast<std::int32_t>(lcg.next() % 7) - 3;
            std::memset(q.updateTexts[u], 'm', lcg.next() % 63);
        }
        for (auto& change : q.stateChanges) {
            std::memset(change, 'x', lcg.next() % 3);
        }
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        r->players[p].startSquare = lcg.reference(used + 2);
        for (std::int32_t& value : r->players[p].dataValues) {
            value = static_cast<std::int32_t>(lcg.next());
        }
    }
    for (auto& item : r->dataItems) {
        item.visible = static_cast<std::int32_t>(lcg.next() % 2);
        item.kind = static_cast<std::int32_t>(lcg.next() % 5) - 1;
    }
    r->settings.playerCount = static_cast<std::int32_t>(lcg.next() % 7) - 1;
    r->settings.endCondition = static_cast<std::int32_t>(lcg.next() % 5) - 1;
    r->settings.victoryCondition = static_cast<std::int32_t>(lcg.next() % 8) - 1;
    r->settings.music = lcg.reference(kSoundCount + 5);
    return r;
}

TEST(HostileRecordTest, EveryGameEndsWithinItsLimits) {
    SequenceRandomSource random({5, 17, 2, 31, 8, 0, 23, 11, 4});
    PlayScreen screen;
    GameSession session(screen, random);
    PlayOptions options;
    options.maxTurns = 150;
    options.limitAlways = true;
    options.resolutionLimit = 50;
    session.setOptions(options);
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const std::unique_ptr<GameRecord> record = hostileRecord(seed);
        session.StartPlay(*record, "", seed % 3 == 0,
                          seed % 5 == 0 ? static_cast<std::int32_t>(seed % 45) - 2 : -1);
        for (int step = 0; step < 1000 && session.running(); ++step) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
        ASSERT_FALSE(session.running()) << "seed " << seed;
        EXPECT_LE(session.turnsPlayed(), options.maxTurns) << "seed " << seed;
        const int n = session.playerCount();
        EXPECT_GE(n, 1);
        EXPECT_LE(n, kPlayerCount);
    }
}

}  // namespace
}  // namespace banmen
