#include "app/player/player_options.h"

#include <array>
#include <charconv>

#include "platform/file_version.h"

namespace banmen::player {
namespace {

bool parseSeed(const std::string& text, unsigned& out) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && at == end;
}

}  // namespace

PlayerOptions parsePlayerArguments(const std::vector<std::string>& arguments) {
    PlayerOptions options;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.empty() || word.front() != '-' || word == "-") {
            files.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            options.help = true;
        } else if (word == "--version") {
            options.version = true;
        } else if (word == "--auto") {
            options.autoPlay = true;
        } else if (word == "--seed") {
            unsigned seed = 0;
            if (i + 1 >= arguments.size() || !parseSeed(arguments[i + 1], seed)) {
                options.error = "--seed needs a number from 0 to 4294967295";
                return options;
            }
            options.seed = seed;
            ++i;
        } else {
            options.error = "unknown option \"" + word + "\"";
            return options;
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.seed && !options.autoPlay) {
        options.error = "--seed goes with --auto";
    } else if (files.empty()) {
        options.error = "no game given";
    } else if (files.size() > 1) {
        options.error = "one game at a time";
    } else {
        options.file = files.front();
    }
    return options;
}

std::string playerHelpText() {
    return "banmen-player: plays a sugoroku game built with 盤面工房\n"
           "\n"
           "usage: banmen-player GAME\n"
           "       banmen-player --auto [--seed N] GAME\n"
           "       banmen-player --help | --version\n"
           "\n"
           "GAME is a built game file (.sgr), a workspace (.sgw) or a project file (.sgp).\n"
           "\n"
           "  --auto      computers play every seat without waits; ends after the\n"
           "              results with status 0, and tells errors on standard error\n"
           "  --seed N    the dice's random seed for --auto (default: the clock)\n"
           "  --help      this text\n"
           "  --version   the program's version\n"
           "\n"
           "In the window: F11 switches full screen on and off (Esc leaves it).\n"
           "Exit status: 0 success; 1 the game could not be played; 2 wrong usage.\n";
}

std::string playerVersionText() {
    std::array<int, 4> numbers{};
    std::string version = "0.0.0.0";
    if (parseVersionString(kProgramFileVersion, numbers)) {
        version = std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
                  std::to_string(numbers[2]) + "." + std::to_string(numbers[3]);
    }
    return "banmen-player " + version + "\n";
}

}  // namespace banmen::player
