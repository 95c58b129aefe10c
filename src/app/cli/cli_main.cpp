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
constexpr OptionSpec kPackOptions[] = {{"--unit", true}};
constexpr OptionSpec kProbeOptions[] = {{"--json", false}};
constexpr OptionSpec kBuildOptions[] = {{"--out", true}};
constexpr OptionSpec kPlayOptions[] = {
    {"--debug", false},    {"--from", true},       {"--players", true},
    {"--seed", true},      {"--dice", true},       {"--auto", false},
    {"--max-turns", true}, {"--transcript", true}, {"--verbose", false}};
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
    {"load-json",
     "FILE.json OUT.sgw",
     "write the workspace a JSON record describes",
     {},
     2,
     2,
     runLoadJson},
    {"pack", "[--unit 1|2|4] IN OUT", "pack any file (unit 1 unless given)", kPackOptions, 2, 2,
     runPack, checkPackArguments},
    {"unpack", "IN OUT", "unpack a packed block", {}, 2, 2, runUnpack},
    {"convert",
     "OLD.sgw NEW.sgw",
     "previous-format workspace to the current one",
     {},
     2,
     2,
     runConvert},
    {"play",
     "GAME [--auto] [--debug] [--from SQUARE] [--players pcpc] [--seed N] [--dice 3,5,1] "
     "[--max-turns N] [--transcript FILE] [--verbose]",
     "play a .sgw, .sgp or .sgr in the terminal (exit 3: stopped before the end)", kPlayOptions, 1,
     1, runPlay, checkPlayArguments},
    {"simulate", "GAME [--games N] [--seed N] [--max-turns N]",
     "play N games of computers at full speed and count the results", kSimulateOptions, 1, 1,
     runSimulate, checkPlayArguments},
    {"analyze", "GAME [--games N] [--seed N] [--max-turns N] [--threads N] [--json]",
     "the board's problems and a report of N games of computers (default 10000 games, seed 1, "
     "1000 turns)",
     kAnalyzeOptions, 1, 1, runAnalyze, checkAnalyzeArguments},
    {"build", "WORKSPACE.sgw [--out PATH.sgr]",
     "build the game file, as the editor's build does; print its path", kBuildOptions, 1, 1,
     runBuild},
    {"list", "GAME.sgr", "the entries of a game file (or any archive)", {}, 1, 1, runList},
    {"extract",
     "GAME.sgr [DIR]",
     "unpack a game file into DIR (default: its own folder)",
     {},
     1,
     2,
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

std::string commandList() {
    std::string text =
        "banmen-cli: workspaces, project files and game records of 盤面工房\n"
        "\n"
        "usage: banmen-cli COMMAND [ARGUMENTS]\n"
        "\n"
        "commands:\n";
    constexpr std::size_t kColumn = 41;
    for (const Command& command : kCommands) {
        std::string line = "  " + std::string(command.name) + " " + std::string(command.synopsis);
        line.append(line.size() < kColumn ? kColumn - line.size() : 1, ' ');
        text += line + std::string(command.summary) + "\n";
    }
    std::string help = "  help [COMMAND]";
    help.append(kColumn - help.size(), ' ');
    text += help + "this list, or the usage of one command\n";
    text +=
        "\n"
        "An IN or FILE.json of \"-\" reads standard input; an OUT, OUT.sgw or NEW.sgw\n"
        "of \"-\" writes standard output. Texts are printed in UTF-8.\n"
        "Exit status: 0 success; 1 failure, told in one line on standard error\n"
        "(\"banmen-cli: FILE: reason\"); 2 wrong usage.\n";
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
    const std::string text = "usage: banmen-cli " + std::string(command->name) + " " +
                             std::string(command->synopsis) + "\n" + std::string(command->summary) +
                             "\n";
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
