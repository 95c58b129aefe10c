#pragma once
// The player's command line:
//   banmen-player [--auto [--seed N]] GAME
//   banmen-player --help | --version
// GAME is a built game file (.sgr), a workspace (.sgw) or a project file
// (.sgp). "--" ends the options, so that a game named "-x.sgr" can be given.

#include <optional>
#include <string>
#include <vector>

namespace banmen::player {

struct PlayerOptions {
    std::string file;  // the game (native path); empty with --help, --version
    bool autoPlay = false;
    std::optional<unsigned> seed;
    bool help = false;
    bool version = false;
    std::string error;  // wrong usage; empty when the line is good
};

// `arguments` are those after the program's own name.
PlayerOptions parsePlayerArguments(const std::vector<std::string>& arguments);

// The texts of --help and --version, each ending in a newline.
std::string playerHelpText();
std::string playerVersionText();

}  // namespace banmen::player
