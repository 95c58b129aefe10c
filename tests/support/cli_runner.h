#pragma once
// Runs the banmen-cli program of this build as a user would, and checks its
// one-line failure reports.

#include <optional>
#include <string>
#include <vector>

namespace banmen::test {

struct CliResult {
    int exitCode = -1;  // -1 when it could not run or did not exit normally
    std::string out;
    std::string err;
};

// A change to the environment the program inherits: the variable set to
// `value`, or removed when there is none.
struct EnvironmentChange {
    std::string name;
    std::optional<std::string> value;
};

// Runs banmen-cli with the arguments and waits for it. Standard input reads
// `input`, or /dev/null without one. A program that cannot be started is a
// test failure.
CliResult runCli(const std::vector<std::string>& args,
                 const std::vector<EnvironmentChange>& environment = {},
                 const std::optional<std::string>& input = std::nullopt);

// A failure that names `file`: exit status 1 and exactly one line on stderr,
// "banmen-cli: <file>: <reason>". Returns the reason.
std::string expectOneLineFailure(const CliResult& result, const std::string& file);

}  // namespace banmen::test
