// banmen-cli: workspaces, project files and the game record from the command
// line. See cli_support.h for exit codes and how failures are told.

#include <array>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_support.h"

namespace banmen::cli {
namespace {

constexpr OptionSpec kNewOptions[] = {{"--picture", true}};
constexpr OptionSpec kDumpOptions[] = {{"--all", false}};
constexpr OptionSpec kPackOptions[] = {{"--unit", true}};

const std::array<Command, 7> kCommands = {{
    {"new", "TITLE FOLDER [--picture FILE.bmp]", "create FOLDER/TITLE.sgw and print its path",
     kNewOptions, 2, 2, runNew},
    {"info", "FILE", "summary of a .sgw (either format) or .sgp", {}, 1, 1, runInfo},
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
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        words.emplace_back(argv[i]);
    }
    return banmen::cli::run(words);
}
