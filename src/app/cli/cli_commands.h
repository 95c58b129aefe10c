#pragma once
// The commands of banmen-cli, one group per file:
//   cli_workspace_commands.cpp  new, info, convert
//   cli_json_commands.cpp       dump, load-json
//   cli_pack_commands.cpp       pack, unpack
// Each returns the exit status (cli_support.h).

#include "cli/cli_support.h"

namespace banmen::cli {

int runNew(const Arguments& args, Context& context);
int runInfo(const Arguments& args, Context& context);
int runConvert(const Arguments& args, Context& context);
int runDump(const Arguments& args, Context& context);
int runLoadJson(const Arguments& args, Context& context);
int runPack(const Arguments& args, Context& context);
int runUnpack(const Arguments& args, Context& context);

// The one check of a command's arguments that parsing cannot do; an empty
// text when they are fine.
std::string checkPackArguments(const Arguments& args);

}  // namespace banmen::cli
