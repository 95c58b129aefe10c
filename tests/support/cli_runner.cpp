#include "support/cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/test_support.h"

extern char** environ;

namespace banmen::test {
namespace {

bool changed(const std::string& entry, const std::vector<EnvironmentChange>& changes) {
    return std::any_of(changes.begin(), changes.end(), [&entry](const EnvironmentChange& change) {
        return entry.size() > change.name.size() && entry.starts_with(change.name) &&
               entry[change.name.size()] == '=';
    });
}

}  // namespace

CliResult runCli(const std::vector<std::string>& args,
                 const std::vector<EnvironmentChange>& environment,
                 const std::optional<std::string>& input) {
    // Output goes through files, so that neither stream can fill up and stall.
    const TempDir capture;
    const std::string program = std::string(BANMEN_BIN_DIR) + "/banmen-cli";
    const std::string inPath = input ? capture.file("stdin") : std::string("/dev/null");
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");
    if (input) {
        writeText(inPath, *input);
    }

    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> entries;
    for (const EnvironmentChange& change : environment) {
        if (change.value) {
            entries.push_back(change.name + "=" + *change.value);
        }
    }
    for (char** e = environ; *e != nullptr; ++e) {
        if (!changed(*e, environment)) {
            entries.emplace_back(*e);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : entries) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    CliResult result;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot run " << program << ": " << std::strerror(spawned);
        return result;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

std::string expectOneLineFailure(const CliResult& result, const std::string& file) {
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    const std::string prefix = "banmen-cli: " + file + ": ";
    EXPECT_THAT(result.err, ::testing::StartsWith(prefix));
    if (result.err.size() < prefix.size() + 1) {
        return {};
    }
    return result.err.substr(prefix.size(), result.err.size() - prefix.size() - 1);
}

}  // namespace banmen::test
