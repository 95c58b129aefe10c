#pragma once
// The sound half of "banmen-cli probe", filled in by the sound library's
// side. The picture half is in cli_probe_command.cpp, which calls this for
// the files isSoundPath accepts, and prints for both halves.

#include <initializer_list>
#include <string>
#include <string_view>

#include "cli/cli_support.h"

namespace banmen::cli {

// One probed value under its key.
struct ProbeField {
    std::string_view key;
    std::string value;
};

// Prints the fields in order, one "key: value" line each, or with `json` one
// object with those keys; returns the exit status.
int printProbe(std::initializer_list<ProbeField> fields, bool json, Context& context);

// Files probed as sounds: the extensions ".wav" and ".mp3", in any case.
bool isSoundPath(const std::string& path);

// Loads the sound as the program would and prints `channels`, `rate`, `bits`
// and `samples` after conversion, one "key: value" line each, or with `json`
// one object with those keys; or tells why it does not load (cli_support.h).
// Returns the exit status.
int probeSound(const std::string& path, bool json, Context& context);

}  // namespace banmen::cli
