#pragma once
// Walking a save through every disk operation it makes, failing each in
// turn (platform/disk_faults.h), and snapshots of a folder tree to tell what
// a failed save changed.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>

#include "platform/disk_faults.h"
#include "platform/status.h"
#include "support/test_support.h"

namespace banmen::test {

// Every entry under `root` by its relative path: a file's bytes, "<folder>"
// or "<link to TARGET>".
using TreeSnapshot = std::map<std::string, std::string>;

inline TreeSnapshot snapshotTree(const std::string& root) {
    namespace fs = std::filesystem;
    TreeSnapshot out;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string relative = fs::relative(it->path(), root).string();
        if (it->is_symlink()) {
            out[relative] = "<link to " + fs::read_symlink(it->path()).string() + ">";
        } else if (it->is_directory()) {
            out[relative] = "<folder>";
        } else {
            out[relative] = readText(it->path().string());
        }
    }
    return out;
}

// The names of a snapshot that look like our temporary files:
// ".name.AbC123", maybe followed by ".tmp" or ".old".
inline std::vector<std::string> temporaryNames(const TreeSnapshot& tree) {
    static const std::regex kTemporary(R"(^\..+\.[A-Za-z0-9]{6}(\.tmp|\.old)?$)");
    std::vector<std::string> out;
    for (const auto& [path, content] : tree) {
        if (std::regex_match(std::filesystem::path(path).filename().string(), kTemporary)) {
            out.push_back(path);
        }
    }
    return out;
}

struct FaultWalk {
    // Sets the scene up anew before every run.
    std::function<void()> prepare;
    // The save under test.
    std::function<Status()> save;
    // Called after each run whose fault fired, with the save's result.
    std::function<void(const Status&)> checkFailure;
};

// Runs the save with the 1st, 2nd, ... disk operation failing with `error`,
// until a run no longer reaches the failing operation; that run must
// succeed. Returns the number of operations the successful save made.
inline std::uint64_t walkFaults(const FaultWalk& walk, int error = ENOSPC) {
    for (std::uint64_t nth = 1; nth < 100000; ++nth) {
        walk.prepare();
        Status status;
        bool fired = false;
        std::string where;
        {
            ScopedDiskFault fault(nth, error);
            status = walk.save();
            fired = fault.fired();
            where = fired ? diskOperationName(fault.failed()) : "";
        }
        if (!fired) {
            EXPECT_TRUE(status) << "with no fault left to meet: " << status.reason();
            return nth - 1;
        }
        SCOPED_TRACE("operation " + std::to_string(nth) + " (" + where + ") failed");
        EXPECT_FALSE(status) << "a failed " << where << " was reported as success";
        walk.checkFailure(status);
        if (::testing::Test::HasFatalFailure()) {
            return nth;
        }
    }
    ADD_FAILURE() << "the save never got through";
    return 0;
}

}  // namespace banmen::test
