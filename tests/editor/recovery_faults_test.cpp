// The recovery file walked through every disk operation its write makes,
// each failing in turn: the failure is reported, the workspace is never
// touched, no temporary file is left, and what a later start-up would offer
// is a whole record (the one before or the one being written), never a part.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "editor/document/recovery.h"
#include "support/fault_walk.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const GameRecord& record) {
    return {reinterpret_cast<const char*>(&record), sizeof record};
}

class RecoveryFaults : public ::testing::Test {
  protected:
    void makeScene(bool withEarlierRecovery) {
        fs::remove_all(scene);
        fs::create_directories(scene + "/ws");
        test::writeText(workspace, bytesOf(*savedRecord));
        if (withEarlierRecovery) {
            ASSERT_TRUE(RecoveryFile(workspace, folder).write(*earlierRecord));
        }
    }

    // After a failed write: a recovery, when one is offered, is whole.
    void checkOffered(bool withEarlierRecovery) {
        const RecoveryFile recovery(workspace, folder);
        if (!recovery.exists()) {
            EXPECT_FALSE(withEarlierRecovery) << "the earlier recovery was lost";
            return;
        }
        auto read = std::make_unique<GameRecord>();
        ASSERT_TRUE(recovery.read(*read));
        const std::string got = bytesOf(*read);
        EXPECT_TRUE(got == bytesOf(*newRecord) ||
                    (withEarlierRecovery && got == bytesOf(*earlierRecord)));
    }

    test::TempDir root;
    const std::string scene = root.file("scene");
    const std::string workspace = scene + "/ws/game.sgw";
    const std::string folder = scene + "/state/banmen/recovery";
    std::unique_ptr<GameRecord> savedRecord = std::make_unique<GameRecord>(test::defaultRecord());
    std::unique_ptr<GameRecord> earlierRecord = std::make_unique<GameRecord>(test::defaultRecord());
    std::unique_ptr<GameRecord> newRecord = std::make_unique<GameRecord>(test::fullRecord());
};

TEST_F(RecoveryFaults, WritingARecovery) {
    earlierRecord->settings.playerCount = 2;
    for (const bool withEarlierRecovery : {false, true}) {
        SCOPED_TRACE(withEarlierRecovery ? "over an earlier recovery" : "the first recovery");
        test::TreeSnapshot workspaceBefore;
        test::walkFaults({[&] {
                              makeScene(withEarlierRecovery);
                              workspaceBefore = test::snapshotTree(scene + "/ws");
                          },
                          [&] { return RecoveryFile(workspace, folder).write(*newRecord); },
                          [&](const Status&) {
                              EXPECT_EQ(test::snapshotTree(scene + "/ws"), workspaceBefore);
                              if (fs::exists(folder)) {
                                  EXPECT_TRUE(
                                      test::temporaryNames(test::snapshotTree(folder)).empty());
                              }
                              checkOffered(withEarlierRecovery);
                          }});
        auto read = std::make_unique<GameRecord>();
        ASSERT_TRUE(RecoveryFile(workspace, folder).read(*read));
        EXPECT_EQ(bytesOf(*read), bytesOf(*newRecord));
        EXPECT_EQ(test::readText(workspace), bytesOf(*savedRecord));
    }
}

}  // namespace
}  // namespace banmen
