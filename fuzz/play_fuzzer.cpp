// The engine on any record: a sample game (the new-game defaults or a full
// game) patched by the input, played with the headless screen for a few
// hundred turns with dice drawn from the input. Every game must stop within
// its limits.

#include <memory>
#include <vector>

#include "engine/game_session.h"
#include "engine/play_screen.h"
#include "engine/random_source.h"
#include "fuzz_support.h"
#include "support/sample_records.h"

using namespace banmen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const GameRecord defaults = test::defaultRecord();
    static const GameRecord full = test::fullRecord();
    fuzz::Input input(data, size);
    const std::uint8_t flags = input.byte();
    std::vector<int> dice;
    for (const std::uint8_t value : input.take(1 + flags / 8)) {
        dice.push_back(value * 129);
    }
    if (dice.empty()) {
        dice.push_back(0);
    }
    const std::int32_t debugSquare =
        (flags & 4) != 0 ? static_cast<std::int32_t>(input.byte()) : -1;
    auto record = std::make_unique<GameRecord>((flags & 1) != 0 ? full : defaults);
    fuzz::applyPatches(input, {reinterpret_cast<std::uint8_t*>(record.get()), sizeof(GameRecord)});

    SequenceRandomSource random(dice);
    PlayScreen screen;
    GameSession session(screen, random);
    PlayOptions options;
    options.maxTurns = 300;
    options.limitAlways = true;
    options.resolutionLimit = 50;
    session.setOptions(options);
    const bool debug = (flags & 2) != 0;
    session.StartPlay(*record, "", debug, debugSquare);
    int steps = 0;
    for (; steps < 5000 && session.running(); ++steps) {
        session.Step();
        if (session.IsFinished()) {
            session.RequestStop();
        }
    }
    FUZZ_CHECK(!session.running());
    FUZZ_CHECK(session.turnsPlayed() <= options.maxTurns);
    FUZZ_CHECK(session.playerCount() >= 1 && session.playerCount() <= kPlayerCount);
    return 0;
}
