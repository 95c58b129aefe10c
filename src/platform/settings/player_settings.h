#pragma once
// The companion player's settings, which this program only reads. Key:
// "HKEY_CURRENT_USER\Software\MOEGI\Sugoroku"; on Linux the file
// $XDG_CONFIG_HOME/MOEGI/Sugoroku.conf.

#include <string>

namespace banmen {

inline constexpr char kPlayerKeyPath[] = "HKEY_CURRENT_USER\\Software\\MOEGI\\Sugoroku";

// "DefImageFolder": the pictures of a new game. The base folder's "Image
// Files" when the value is missing or names no existing folder.
std::string readDefImageFolder();

// "DefSoundFolder": the system sounds and the sounds a game names. The base
// folder's "Sound Files" when the value is missing, empty or names no existing
// folder: this program installs its own default sounds there, as a Linux
// system seldom has the companion player.
std::string readDefSoundFolder();

// Makes the default media folders of new games and test runs
// (model/default_folders.h) follow these two values, read afresh each time.
// The programs call this once at start-up.
void installDefaultFolderProviders();

}  // namespace banmen
