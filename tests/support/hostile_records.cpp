#include "support/hostile_records.h"

#include <cstring>
#include <limits>

#include "support/sample_records.h"

namespace banmen::test {
namespace {

class Lcg {
  public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    // The high half of a 64-bit generator: its low bits are not periodic.
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::uint32_t>(state_ >> 32);
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
    // A board position: mostly on the board, sometimes anywhere, sometimes
    // at either end of the range.
    std::int32_t position(int size) {
        switch (next() % 8) {
            case 0:
                return std::numeric_limits<std::int32_t>::min();
            case 1:
                return std::numeric_limits<std::int32_t>::max();
            case 2:
            case 3:
                return static_cast<std::int32_t>(next());
            default:
                return static_cast<std::int32_t>(next() % static_cast<std::uint32_t>(size + 40)) -
                       20;
        }
    }
    // Some bytes of filler, now and then the whole field without a NUL.
    void text(char* field, std::size_t width, char fill) {
        const std::size_t n = next() % 5 == 0 ? width : next() % width;
        std::memset(field, 0, width);
        std::memset(field, fill, n);
    }

  private:
    std::uint64_t state_;
};

}  // namespace

std::unique_ptr<GameRecord> hostileRecord(std::uint32_t seed) {
    auto r = std::make_unique<GameRecord>(defaultRecord());
    Lcg lcg(seed);
    const int used = 1 + static_cast<int>(lcg.next() % 40);
    for (int m = 0; m < 4; ++m) {
        std::strcpy(r->images[m].name, "I");
        std::strcpy(r->images[m].fileName, kHostileImageFile);
    }
    for (int s = 0; s < kSquareCount; ++s) {
        SquareDef& q = r->squares[s];
        std::memset(&q, 0, sizeof q);
        if (s < used || lcg.next() % 50 == 0) {
            lcg.text(q.name, sizeof q.name, 'S');
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
        q.x = lcg.position(800);
        q.y = lcg.position(600);
        lcg.text(q.description, sizeof q.description, 'd');
        for (int u = 0; u < kUpdateCount; ++u) {
            // Half of them well formed, with operators, operands and
            // targets one past the known ones.
            q.updateCodes[u] =
                lcg.next() % 2 == 0
                    ? static_cast<std::int32_t>(lcg.next())
                    : static_cast<std::int32_t>(lcg.next() % 6 | (lcg.next() % 10) << 8 |
                                                (lcg.next() % 4) << 20);
            q.updateValues[u] = lcg.next() % 3 == 0 ? static_cast<std::int32_t>(lcg.next())
                                                    : static_cast<std::int32_t>(lcg.next() % 7) - 3;
            lcg.text(q.updateTexts[u], sizeof q.updateTexts[u], 'm');
        }
        for (auto& change : q.stateChanges) {
            std::memset(change, 'x', lcg.next() % 3);
        }
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        PlayerDef& player = r->players[p];
        player.startSquare = lcg.reference(used + 2);
        player.picture = lcg.reference(kImageCount);
        lcg.text(player.name, sizeof player.name, 'P');
        for (auto& state : player.stateTexts) {
            lcg.text(state, sizeof state, 't');
        }
        for (std::int32_t& value : player.dataValues) {
            value = static_cast<std::int32_t>(lcg.next());
        }
    }
    for (auto& state : r->states) {
        state.visible = static_cast<std::int32_t>(lcg.next() % 2);
        lcg.text(state.name, sizeof state.name, 'T');
    }
    for (auto& item : r->dataItems) {
        item.visible = static_cast<std::int32_t>(lcg.next() % 2);
        item.kind = static_cast<std::int32_t>(lcg.next() % 5) - 1;
        lcg.text(item.name, sizeof item.name, 'D');
        lcg.text(item.unit, sizeof item.unit, 'u');
    }
    lcg.text(r->settings.title, sizeof r->settings.title, 'G');
    lcg.text(r->settings.rightsNotice, sizeof r->settings.rightsNotice, 'R');
    lcg.text(r->settings.helpText, sizeof r->settings.helpText, 'H');
    r->settings.gamePicture = lcg.reference(kImageCount);
    r->settings.helpPicture = lcg.reference(kImageCount);
    r->settings.playerCount = static_cast<std::int32_t>(lcg.next() % 7) - 1;
    r->settings.endCondition = static_cast<std::int32_t>(lcg.next() % 5) - 1;
    r->settings.victoryCondition = static_cast<std::int32_t>(lcg.next() % 8) - 1;
    r->settings.music = lcg.reference(kSoundCount + 5);
    return r;
}

}  // namespace banmen::test
