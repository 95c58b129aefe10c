#pragma once
// Small game records for engine tests, and a harness that plays one through
// a scripted screen and collects its transcript.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game_session.h"
#include "engine/transcript_writer.h"
#include "model/json_value.h"
#include "model/record_owner.h"
#include "platform/sjis.h"
#include "scripted_screen.h"

namespace banmen::test {

inline void putText(char* field, std::size_t limit, std::string_view utf8) {
    const std::string text = sjis::lit(utf8);
    const std::size_t n = std::min(limit, text.size());
    std::memset(field, 0, limit + 1);
    std::memcpy(field, text.data(), n);
}

// A record with the new-game settings and players but no squares; squares
// are added one by one. Players start on square 0 and are all in use.
class GameBuilder {
  public:
    GameBuilder() : owner_(std::make_unique<RecordOwner>()) {
        for (int s = 0; s < kSquareCount; ++s) {
            SquareDef& q = r().squares[s];
            std::memset(&q, 0, sizeof q);
            clearRefs(q);
        }
    }

    GameRecord& r() { return owner_->record(); }

    // A square of kind `kind` named "S<index>" at (100 + 10*index, 100), with
    // the given next squares.
    SquareDef& square(int index, std::int32_t kind, std::vector<int> next = {}) {
        SquareDef& q = r().squares[index];
        clearRefs(q);
        const std::string name = "S" + std::to_string(index);
        putText(q.name, kNameMax, name);
        q.kind = kind;
        q.x = 100 + 10 * index;
        q.y = 100;
        for (std::size_t i = 0; i < next.size() && i < kNextSquareCount; ++i) {
            q.nextSquares[i] = next[i];
        }
        return q;
    }

    // A straight line of normal squares from..to (each leading to the next),
    // the last one of kind `lastKind` with no next square.
    void line(int from, int to, std::int32_t lastKind = kSquareGoal) {
        for (int s = from; s < to; ++s) {
            square(s, s == 0 ? kSquareStart : kSquareNormal, {s + 1});
        }
        square(to, lastKind);
    }

    void players(int count, std::int32_t start = 0) {
        r().settings.playerCount = count;
        for (int p = 0; p < kPlayerCount; ++p) {
            r().players[p].startSquare = start;
        }
    }

  private:
    static void clearRefs(SquareDef& q) {
        q.picture = -1;
        q.supplementPicture = -1;
        q.sound = -1;
        q.arrivalJump = -1;
        q.passJump = -1;
        for (auto& j : q.dieJumps) {
            j = -1;
        }
        for (auto& n : q.nextSquares) {
            n = -1;
        }
    }

    std::unique_ptr<RecordOwner> owner_;
};

// One game: a session over a scripted screen with a transcript.
struct Harness {
    explicit Harness(std::vector<int> randoms = {0})
        : random(std::move(randoms)), session(screen, random), writer(out) {
        session.setEvents(&writer);
    }

    void start(const GameRecord& record, bool debug = false, int from = -1) {
        session.StartPlay(record, "/nonexistent", debug, from);
    }

    // Steps until the game has ended (the phase machine is back to idle).
    void run(int maxSteps = 100000) {
        for (int i = 0; i < maxSteps && session.running(); ++i) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
        if (session.stopRequested()) {
            session.Step();
        }
    }

    // Starts and runs the opening; the screen's log then starts afresh.
    void startAtTurns(const GameRecord& record, bool debug = false) {
        start(record, debug);
        session.Step();  // the opening
        screen.log.clear();
        screen.texts.clear();
        screen.textRects.clear();
    }

    std::vector<JsonValue> events(std::string_view name = {}) const {
        std::vector<JsonValue> result;
        std::istringstream in(out.str());
        std::string line;
        while (std::getline(in, line)) {
            JsonValue value;
            if (!parseJson(line, value)) {
                ADD_FAILURE() << "not JSON: " << line;
                continue;
            }
            const JsonValue* event = value.find("event");
            if (name.empty() || (event != nullptr && event->asString() == name)) {
                result.push_back(std::move(value));
            }
        }
        return result;
    }

    // "kind from->to" of every move event of a player.
    std::vector<std::string> moves(int player) const {
        std::vector<std::string> result;
        for (const JsonValue& e : events("move")) {
            if (e.find("player")->asInteger() != player) {
                continue;
            }
            std::string text = e.find("kind")->asString() + " " +
                               std::to_string(e.find("from")->asInteger()) + "->" +
                               std::to_string(e.find("to")->asInteger());
            if (e.find("undone") != nullptr) {
                text += " undone";
            }
            result.push_back(text);
        }
        return result;
    }

    std::vector<std::int64_t> resolved(int player) const {
        std::vector<std::int64_t> result;
        for (const JsonValue& e : events("resolve")) {
            if (e.find("player")->asInteger() == player) {
                result.push_back(e.find("square")->asInteger());
            }
        }
        return result;
    }

    const JsonValue& endPlayer(int player) {
        ends_ = events("end");
        return ends_.back().find("players")->elements()[static_cast<std::size_t>(player)];
    }

    ScriptedScreen screen;
    SequenceRandomSource random;
    GameSession session;
    std::ostringstream out;
    TranscriptWriter writer;

  private:
    std::vector<JsonValue> ends_;
};

inline std::int32_t field(const JsonValue& object, std::string_view key) {
    const JsonValue* value = object.find(key);
    return value != nullptr ? static_cast<std::int32_t>(value->asInteger()) : -999;
}

}  // namespace banmen::test
