// banmen-cli: workspaces, project files and the game record from the command
// line. See cli_support.h for exit codes and how failures are told.

#include <array>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_support.h"
#include "platform/settings/player_settings.h"

namespace banmen::cli {
namespace {

constexpr OptionSpec kNewOptions[] = {{"--picture", true}};
constexpr OptionSpec kDumpOptions[] = {{"--all", false}};
constexpr OptionSpec kForceOptions[] = {{"--force", false}};
constexpr OptionSpec kPackOptions[] = {{"--unit", true}, {"--force", false}};
constexpr OptionSpec kProbeOptions[] = {{"--json", false}};
constexpr OptionSpec kBuildOptions[] = {{"--out", true}, {"--force", false}};
constexpr OptionSpec kPlayOptions[] = {
    {"--debug", false}, {"--from", true},    {"--players", true},   {"--seed", true},
    {"--dice", true},   {"--auto", false},   {"--max-turns", true}, {"--transcript", true},
    {"--force", false}, {"--verbose", false}};
constexpr OptionSpec kSimulateOptions[] = {
    {"--games", true}, {"--seed", true}, {"--max-turns", true}};
constexpr OptionSpec kAnalyzeOptions[] = {{"--games", true},
                                          {"--seed", true},
                                          {"--max-turns", true},
                                          {"--threads", true},
                                          {"--json", false}};

const std::array<Command, 14> kCommands = {{
    {"new", "TITLE FOLDER [--picture FILE.bmp]", "create FOLDER/TITLE.sgw and print its path",
     kNewOptions, 2, 2, runNew},
    {"info", "FILE", "summary of a .sgw (either format), .sgp or .sgr", {}, 1, 1, runInfo},
    {"dump", "FILE [--all]", "the game record as JSON (--all: every slot)", kDumpOptions, 1, 1,
     runDump},
    {"load-json", "[--force] FILE.json OUT.sgw", "write the workspace a JSON record describes",
     kForceOptions, 2, 2, runLoadJson},
    {"pack", "[--unit 1|2|4] [--force] IN OUT", "pack any file (unit 1 unless given)", kPackOptions,
     2, 2, runPack, checkPackArguments},
    {"unpack", "[--force] IN OUT", "unpack a packed block", kForceOptions, 2, 2, runUnpack},
    {"convert", "[--force] OLD.sgw NEW.sgw", "previous-format workspace to the current one",
     kForceOptions, 2, 2, runConvert},
    {"play",
     "GAME [--auto] [--debug] [--from SQUARE] [--players pcpc] [--seed N] [--dice 3,5,1] "
     "[--max-turns N] [--transcript FILE [--force]] [--verbose]",
     "play a .sgw, .sgp or .sgr in the terminal (exit 3: stopped before the end)", kPlayOptions, 1,
     1, runPlay, checkPlayArguments},
    {"simulate", "GAME [--games N] [--seed N] [--max-turns N]",
     "play N games of computers at full speed and count the results", kSimulateOptions, 1, 1,
     runSimulate, checkPlayArguments},
    {"analyze", "GAME [--games N] [--seed N] [--max-turns N] [--threads N] [--json]",
     "the board's problems and a report of N games of computers (default 10000 games, seed 1, "
     "1000 turns)",
     kAnalyzeOptions, 1, 1, runAnalyze, checkAnalyzeArguments},
    {"build", "WORKSPACE.sgw [--out PATH.sgr|FOLDER] [--force]",
     "build the game file beside the workspace (or at --out); print its path", kBuildOptions, 1, 1,
     runBuild},
    {"list", "GAME.sgr", "the entries of a game file (or any archive)", {}, 1, 1, runList},
    {"extract", "GAME.sgr [DIR] [--force]",
     "unpack a game file into DIR (default: a new folder GAME beside it)", kForceOptions, 1, 2,
     runExtract},
    {"probe", "FILE [--json]", "what a picture or sound holds, or why it does not load",
     kProbeOptions, 1, 1, runProbe},
}};

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

// "  name synopsis", then the summary indented below it, both wrapped
// within the help's width.
std::string commandLine(std::string_view name, std::string_view synopsis,
                        std::string_view summary) {
    return wrapped("  " + std::string(name), synopsis, 8) + "\n" +
           wrapped(std::string(6, ' '), summary, 6) + "\n";
}

std::string commandList() {
    std::string text =
        "banmen-cli: workspaces, project files and game records of 盤面工房\n"
        "\n"
        "usage: banmen-cli COMMAND [ARGUMENTS]\n"
        "\n"
        "commands:\n";
    for (const Command& command : kCommands) {
        text += commandLine(command.name, command.synopsis, command.summary);
    }
    text += commandLine("help", "[COMMAND]", "this list, or the usage of one command");
    text +=
        "\n"
        "An IN or FILE.json of \"-\" reads standard input; an OUT, OUT.sgw or NEW.sgw\n"
        "of \"-\" writes standard output. An output file that exists is replaced\n"
        "only with --force, and never when it is one of the command's inputs.\n"
        "Texts are printed in UTF-8.\n"
        "Exit status: 0 success; 1 failure, told in one line on standard error\n"
        "(\"banmen-cli: FILE: reason\"); 2 wrong usage; 3 (play) a game stopped\n"
        "before its end.\n";
    return text;
}

int printHelp(const std::vector<std::string>& topics) {
    if (topics.empty()) {
        return writeStdout(commandList()) ? kExitSuccess : kExitFailure;
    }
    const Command* command = findCommand(topics.front());
    if (command == nullptr || topics.size() > 1) {
        std::string text = std::string(kProgramName) + ": unknown command \"" + topics.front() +
                           "\"\n\n" + commandList();
        std::fwrite(text.data(), 1, text.size(), stderr);
        return kExitUsage;
    }
    const std::string text = usageText(*command) + wrapped({}, command->summary, 0) + "\n";
    return writeStdout(text) ? kExitSuccess : kExitFailure;
}

int run(const std::vector<std::string>& words) {
    if (words.empty()) {
        const std::string text =
            std::string(kProgramName) + ": no command given\n\n" + commandList();
        std::fwrite(text.data(), 1, text.size(), stderr);
        return kExitUsage;
    }
    const std::string& name = words.front();
    std::vector<std::string> rest(words.begin() + 1, words.end());
    if (name == "help" || name == "--help" || name == "-h") {
        return printHelp(rest);
    }
    const Command* command = findCommand(name);
    if (command == nullptr) {
        const std::string text =
            std::string(kProgramName) + ": unknown command \"" + name + "\"\n\n" + commandList();
        std::fwrite(text.data(), 1, text.size(), stderr);
        return kExitUsage;
    }
    for (const std::string& word : rest) {
        if (word == "--help" || word == "-h") {
            return printHelp({name});
        }
        if (word == "--") {
            break;
        }
    }
    Arguments args;
    std::string error;
    if (!parseArguments(rest, command->options, args, error)) {
        return usageError(*command, error);
    }
    if (args.positional.size() < command->minPositional) {
        return usageError(*command, "too few arguments");
    }
    if (args.positional.size() > command->maxPositional) {
        return usageError(*command, "too many arguments");
    }
    if (command->check != nullptr) {
        if (std::string problem = command->check(args); !problem.empty()) {
            return usageError(*command, problem);
        }
    }
    Context context;
    const int status = command->run(args, context);
    printHeldNotices(context);
    return status;
}

}  // namespace
}  // namespace banmen::cli

int main(int argc, char** argv) {
    // New games take their pictures, and games their default sounds, from
    // the folders the companion player's settings name.
    banmen::installDefaultFolderProviders();
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        words.emplace_back(argv[i]);
    }
    return banmen::cli::run(words);
}
