// analyze: the board's problems, then a report of many games of computers.

#include <memory>
#include <string>

#include "analysis/lint.h"
#include "analysis/report_output.h"
#include "analysis/simulation.h"
#include "cli/cli_commands.h"
#include "cli/cli_game_file.h"
#include "model/default_folders.h"
#include "platform/paths.h"

namespace banmen::cli {
namespace {

constexpr long long kMostGames = 10000000;
constexpr int kMostThreads = 64;

}  // namespace

std::string checkAnalyzeArguments(const Arguments& args) {
    // --seed and --max-turns as for play and simulate.
    if (std::string problem = checkPlayArguments(args); !problem.empty()) {
        return problem;
    }
    long long number = 0;
    if (args.has("--games") && !parseCount(args.value("--games"), 1, kMostGames, number)) {
        return "--games must be a number from 1 to " + std::to_string(kMostGames);
    }
    if (args.has("--threads") && !parseCount(args.value("--threads"), 1, kMostThreads, number)) {
        return "--threads must be a number from 1 to " + std::to_string(kMostThreads);
    }
    return {};
}

int runAnalyze(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    auto record = std::make_unique<GameRecord>();
    std::string folder;
    if (Status read = readPlayableGame(path, *record, folder); !read) {
        return fail(context, path, read);
    }
    GameMedia media = GameMedia::inFolder(folder, defaultImageFolder(), defaultSoundFolder());
    if (path::sameExtension(path::PathExtension(path), ".sgr")) {
        if (Status listed =
                GameMedia::inGameFile(path, defaultImageFolder(), defaultSoundFolder(), media);
            !listed) {
            return fail(context, path, listed);
        }
    }
    const std::vector<Finding> findings = LintGame(*record, media);

    SimulationOptions options;
    long long number = 0;
    if (parseCount(args.value("--games"), 1, kMostGames, number)) {
        options.games = number;
    }
    if (parseCount(args.value("--seed"), 0, 0xFFFFFFFFLL, number)) {
        options.seed = static_cast<std::uint32_t>(number);
    }
    if (parseCount(args.value("--max-turns"), 1, 1000000000LL, number)) {
        options.maxTurns = static_cast<int>(number);
    }
    if (parseCount(args.value("--threads"), 1, kMostThreads, number)) {
        options.threads = static_cast<int>(number);
    }
    const SimulationReport report = RunSimulation(*record, folder, options);

    const std::string text = args.has("--json") ? AnalysisJson(*record, findings, report)
                                                : AnalysisText(*record, findings, report);
    if (Status written = writeStdout(text); !written) {
        return fail(context, "<stdout>", written);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
