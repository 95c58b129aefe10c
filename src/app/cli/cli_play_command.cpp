// play, simulate: games played by the engine without a window.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_game_file.h"
#include "cli/terminal_play_screen.h"
#include "engine/game_session.h"
#include "engine/ranking.h"
#include "engine/transcript_writer.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen::cli {
namespace {

constexpr int kAutoMaxTurns = 10000;

bool parseDice(const std::string& text, std::vector<int>& out) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        long long face = 0;
        if (!parseCount(part, 1, 6, face)) {
            return false;
        }
        out.push_back(static_cast<int>(face));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return !out.empty();
}

bool validPlayers(const std::string& text) {
    if (text.empty() || text.size() > kPlayerCount) {
        return false;
    }
    for (char c : text) {
        if (c != 'p' && c != 'c') {
            return false;
        }
    }
    return true;
}

// The square --from names: a 1-based number or a square's name; -1 if none.
std::int32_t findSquare(const GameRecord& record, const std::string& text) {
    long long number = 0;
    if (parseCount(text, 1, kSquareCount, number) &&
        isSquareRef(record, static_cast<std::int32_t>(number - 1))) {
        return static_cast<std::int32_t>(number - 1);
    }
    const std::optional<std::string> name = sjis::fromUtf8(text);
    for (int s = 0; name && s < kSquareCount; ++s) {
        if (inUse(record.squares[s]) && fieldText(record.squares[s].name) == *name) {
            return s;
        }
    }
    return -1;
}

std::string endLine(const GameSession& session, bool inputClosed) {
    const std::string turns = std::to_string(session.turnsPlayed());
    switch (session.endReason()) {
        case EndReason::Finished:
            return "game over after " + turns + " turns";
        case EndReason::TurnLimit:
            return "stopped by the turn limit after " + turns + " turns";
        case EndReason::ResolutionLimit:
            return "stopped in turn " + turns + ": a chain of jumps did not end";
        case EndReason::Stopped:
            return "stopped in turn " + turns + (inputClosed ? ": the input ended" : "");
    }
    return {};
}

void runToEnd(GameSession& session) {
    while (session.running()) {
        session.Step();
        if (session.IsFinished()) {
            session.RequestStop();
        }
    }
}

}  // namespace

std::string checkPlayArguments(const Arguments& args) {
    long long number = 0;
    if (args.has("--seed") && !parseCount(args.value("--seed"), 0, 0xFFFFFFFFLL, number)) {
        return "--seed must be a number from 0 to 4294967295";
    }
    if (args.has("--max-turns") &&
        !parseCount(args.value("--max-turns"), 1, 1000000000LL, number)) {
        return "--max-turns must be a positive number";
    }
    std::vector<int> faces;
    if (args.has("--dice") && !parseDice(args.value("--dice"), faces)) {
        return "--dice must be faces 1 to 6 separated by commas, e.g. 3,5,1";
    }
    if (args.has("--players") && !validPlayers(args.value("--players"))) {
        return "--players must be p (person) or c (computer) per player, e.g. pccc";
    }
    if (args.has("--games") && !parseCount(args.value("--games"), 1, 100000000LL, number)) {
        return "--games must be a positive number";
    }
    return {};
}

int runPlay(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    auto record = std::make_unique<GameRecord>();
    std::string folder;
    if (Status read = readPlayableGame(path, *record, folder); !read) {
        return fail(context, path, read);
    }
    const bool automatic = args.has("--auto");
    std::int32_t from = -1;
    if (args.has("--from")) {
        from = findSquare(*record, args.value("--from"));
        if (from == -1) {
            return fail(context, path, "no square \"" + args.value("--from") + "\"");
        }
    }
    const std::string players = args.value("--players");
    const int playerCount = std::clamp<int>(record->settings.playerCount, 1, kPlayerCount);
    if (!players.empty() && static_cast<int>(players.size()) != playerCount) {
        return fail(context, path,
                    "--players needs " + std::to_string(playerCount) + " letters, one per player");
    }

    PlayOptions options;
    long long number = 0;
    if (parseCount(args.value("--max-turns"), 1, 1000000000LL, number)) {
        options.maxTurns = static_cast<int>(number);
    } else if (automatic) {
        options.maxTurns = kAutoMaxTurns;
    }
    options.limitAlways = automatic;
    if (args.has("--dice")) {
        parseDice(args.value("--dice"), options.forcedDice);
    }
    std::unique_ptr<CRandomSource> random;
    if (parseCount(args.value("--seed"), 0, 0xFFFFFFFFLL, number)) {
        random = std::make_unique<CRandomSource>(static_cast<unsigned>(number));
    } else {
        random = std::make_unique<CRandomSource>();
    }

    std::ofstream transcriptFile;
    std::unique_ptr<TranscriptWriter> transcript;
    if (args.has("--transcript")) {
        const std::string transcriptPath = args.value("--transcript");
        // As every output: an existing file is replaced only when asked,
        // and never the game itself.
        if (Status writable = checkOutput(transcriptPath, args.has("--force"), {path}); !writable) {
            return fail(context, transcriptPath, writable.reason());
        }
        transcriptFile.open(transcriptPath, std::ios::binary | std::ios::trunc);
        if (!transcriptFile) {
            return fail(context, transcriptPath, "cannot write the transcript");
        }
        transcript = std::make_unique<TranscriptWriter>(transcriptFile);
    }

    TerminalOptions screenOptions;
    screenOptions.automatic = automatic;
    screenOptions.verbose = args.has("--verbose");
    screenOptions.presetPlayers = automatic || !players.empty();
    TerminalPlayScreen screen(screenOptions, STDIN_FILENO, stdout, context.notifier);
    GameSession session(screen, *random);
    session.setOptions(options);
    session.setEvents(transcript.get());
    session.StartPlay(*record, folder, args.has("--debug") || from != -1, from);
    for (int p = 0; p < playerCount; ++p) {
        if (automatic) {
            session.SetComputer(p, true);
        } else if (!players.empty()) {
            session.SetComputer(p, players[static_cast<std::size_t>(p)] == 'c');
        }
    }
    runToEnd(session);
    if (transcript) {
        transcriptFile.flush();
        if (!transcriptFile) {
            return fail(context, args.value("--transcript"), "writing the transcript failed");
        }
    }
    // A game stopped before its end is told like a failure, with the
    // engine's notice, but has an exit status of its own.
    if (session.endReason() != EndReason::Finished) {
        printFailure(context, path, endLine(session, screen.inputClosed()));
        return kExitStopped;
    }
    if (Status written = writeStdout(endLine(session, false) + "\n"); !written) {
        return fail(context, "<stdout>", written);
    }
    return kExitSuccess;
}

int runSimulate(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    auto record = std::make_unique<GameRecord>();
    std::string folder;
    if (Status read = readPlayableGame(path, *record, folder); !read) {
        return fail(context, path, read);
    }
    long long number = 0;
    const long long games =
        parseCount(args.value("--games"), 1, 100000000LL, number) ? number : 1000;
    PlayOptions options;
    options.maxTurns = parseCount(args.value("--max-turns"), 1, 1000000000LL, number)
                           ? static_cast<int>(number)
                           : kAutoMaxTurns;
    options.limitAlways = true;
    const unsigned seed = parseCount(args.value("--seed"), 0, 0xFFFFFFFFLL, number)
                              ? static_cast<unsigned>(number)
                              : static_cast<unsigned>(std::time(nullptr));
    CRandomSource random(seed);
    PlayScreen screen;  // shows nothing; every wait is over at once
    GameSession session(screen, random);
    session.setOptions(options);
    const int n = std::clamp<int>(record->settings.playerCount, 1, kPlayerCount);

    long long turns = 0;
    long long finished = 0;
    long long turnLimit = 0;
    long long chains = 0;
    long long nobodyFirst = 0;  // games that ended without a first place
    std::vector<long long> wins(static_cast<std::size_t>(n), 0);
    const auto started = std::chrono::steady_clock::now();
    for (long long g = 0; g < games; ++g) {
        session.StartPlay(*record, folder, false, -1);
        for (int p = 0; p < n; ++p) {
            session.SetComputer(p, true);
        }
        runToEnd(session);
        turns += session.turnsPlayed();
        finished += session.endReason() == EndReason::Finished ? 1 : 0;
        turnLimit += session.endReason() == EndReason::TurnLimit ? 1 : 0;
        chains += session.endReason() == EndReason::ResolutionLimit ? 1 : 0;
        const std::vector<std::int32_t> ranks = RanksByPlayer(session.record(), n);
        bool anyFirst = false;
        for (int p = 0; p < n; ++p) {
            const bool first = ranks[static_cast<std::size_t>(p)] == 1;
            wins[static_cast<std::size_t>(p)] += first ? 1 : 0;
            anyFirst = anyFirst || first;
        }
        nobodyFirst += anyFirst ? 0 : 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::string text = "games: " + std::to_string(games) + " (seed " + std::to_string(seed) + ")\n";
    text += "finished: " + std::to_string(finished) +
            ", stopped by the turn limit: " + std::to_string(turnLimit) +
            ", stopped in an endless chain of jumps: " + std::to_string(chains) + "\n";
    char average[64];
    std::snprintf(average, sizeof average, "%.1f",
                  static_cast<double>(turns) / static_cast<double>(games));
    text += "turns: " + std::to_string(turns) + " (" + average + " per game)\n";
    text += "first places:";
    for (int p = 0; p < n; ++p) {
        text += (p == 0 ? " " : ", ") + sjis::toUtf8Lossy(fieldText(record->players[p].name)) +
                " " + std::to_string(wins[static_cast<std::size_t>(p)]);
    }
    text += ", nobody " + std::to_string(nobodyFirst);
    char speed[96];
    std::snprintf(speed, sizeof speed, "\ntime: %.3f s (%.0f turns/s)\n", seconds,
                  seconds > 0 ? static_cast<double>(turns) / seconds : 0.0);
    text += speed;
    if (Status written = writeStdout(text); !written) {
        return fail(context, "<stdout>", written);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
