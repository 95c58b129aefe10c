#pragma once
// The commands of banmen-cli, one group per file:
//   cli_workspace_commands.cpp  new, info, convert
//   cli_json_commands.cpp       dump, load-json
//   cli_pack_commands.cpp       pack, unpack
//   cli_build_commands.cpp      build, list, extract
//   cli_play_command.cpp        play, simulate
//   cli_probe_command.cpp       probe
//   cli_analyze_command.cpp     analyze
// Each returns the exit status (cli_support.h).

#include "cli/cli_support.h"
#include "model/record_owner.h"

namespace banmen::cli {

int runNew(const Arguments& args, Context& context);
int runInfo(const Arguments& args, Context& context);
int runConvert(const Arguments& args, Context& context);
int runDump(const Arguments& args, Context& context);
int runLoadJson(const Arguments& args, Context& context);
int runPack(const Arguments& args, Context& context);
int runUnpack(const Arguments& args, Context& context);
int runProbe(const Arguments& args, Context& context);
int runBuild(const Arguments& args, Context& context);
int runList(const Arguments& args, Context& context);
int runExtract(const Arguments& args, Context& context);
int runPlay(const Arguments& args, Context& context);
int runSimulate(const Arguments& args, Context& context);
int runAnalyze(const Arguments& args, Context& context);

// The record of a .sgw, .sgp or .sgr (read inside the game file) for the
// commands that only look at it.
Status openRecordFile(const std::string& path, RecordOwner& owner, Context& context);

// The one check of a command's arguments that parsing cannot do; an empty
// text when they are fine.
std::string checkPackArguments(const Arguments& args);
std::string checkPlayArguments(const Arguments& args);
std::string checkAnalyzeArguments(const Arguments& args);

}  // namespace banmen::cli
