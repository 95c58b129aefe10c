#include "model/build_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/record_owner.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

class MemorySetting : public BuildFolderSetting {
  public:
    std::string read() override { return value.value_or(""); }
    void write(const std::string& folder) override {
        value = folder;
        ++writes;
    }
    std::optional<std::string> value;
    int writes = 0;
};

class BuildDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { owner.setModified(false); }
    void setHeader(const std::string& utf8) {
        storeFieldText(owner.record().headerText, kHeaderTextMax, *sjis::fromUtf8(utf8));
    }
    void setTitle(const std::string& utf8) {
        storeFieldText(owner.record().settings.title, kNameMax, *sjis::fromUtf8(utf8));
    }
    std::string header() const { return *sjis::toUtf8(fieldText(owner.record().headerText)); }

    test::TempDir dir;
    RecordOwner owner;
    MemorySetting setting;
    test::CapturingNotifier notifier;
    BuildDialogLogic logic{owner, setting, notifier};
};

TEST_F(BuildDialogTest, StartsWithTheWorkspaceFolderAndTheTitle) {
    setTitle("春の野山");
    const BuildTarget target = logic.initialTarget("/work/space");
    EXPECT_EQ(target.folder, "/work/space");
    EXPECT_EQ(target.fileName, "春の野山.sgr");
}

TEST_F(BuildDialogTest, AStoredBuildFolderAndTheLastFileNameWin) {
    setTitle("春の野山");
    setHeader("前回.sgr");
    setting.value = "/games";
    const BuildTarget target = logic.initialTarget("/work/space");
    EXPECT_EQ(target.folder, "/games");
    EXPECT_EQ(target.fileName, "前回.sgr");
}

TEST_F(BuildDialogTest, AnEmptyStoredBuildFolderKeepsTheWorkspaceFolder) {
    setting.value = "";
    EXPECT_EQ(logic.initialTarget("/work/space").folder, "/work/space");
}

TEST_F(BuildDialogTest, EmptyNameOrFolderIsRefusedAndTheDialogStaysOpen) {
    BuildTarget target;
    EXPECT_EQ(logic.accept("", dir.path(), target), BuildDialogResult::StayOpen);
    EXPECT_EQ(logic.accept("", "", target), BuildDialogResult::StayOpen);
    EXPECT_EQ(logic.accept("a", "", target), BuildDialogResult::StayOpen);
    ASSERT_EQ(notifier.notices.size(), 3u);
    EXPECT_EQ(notifier.notices[0].text, "ファイル名を入力して下さい。");
    EXPECT_EQ(notifier.notices[1].text, "ファイル名を入力して下さい。");
    EXPECT_EQ(notifier.notices[2].text, "保存先を入力して下さい。");
    for (const test::Notice& notice : notifier.notices) {
        EXPECT_EQ(notice.caption, "盤面工房");
        EXPECT_EQ(notice.icon, NoticeIcon::Exclamation);
    }
    // Nothing was stored.
    EXPECT_EQ(setting.writes, 0);
    EXPECT_EQ(header(), "");
    EXPECT_FALSE(owner.modified());
}

TEST_F(BuildDialogTest, TheExtensionRule) {
    EXPECT_EQ(withGameExtension("game"), "game.sgr");
    EXPECT_EQ(withGameExtension("game.sgr"), "game.sgr");
    EXPECT_EQ(withGameExtension("game.SGR"), "game.SGR");
    EXPECT_EQ(withGameExtension("game.Sgr"), "game.Sgr");
    EXPECT_EQ(withGameExtension("game.txt"), "game.txt.sgr");
    EXPECT_EQ(withGameExtension("game.sgrx"), "game.sgrx.sgr");
    EXPECT_EQ(withGameExtension("game."), "game..sgr");
    EXPECT_EQ(withGameExtension("すごろく"), "すごろく.sgr");
}

TEST_F(BuildDialogTest, AcceptStoresTheNameAndTheFolderAndConfirms) {
    BuildTarget target;
    EXPECT_EQ(logic.accept("すごろく", dir.path(), target), BuildDialogResult::Confirmed);
    EXPECT_EQ(target.folder, dir.path());
    EXPECT_EQ(target.fileName, "すごろく.sgr");
    EXPECT_EQ(target.path(), dir.file("すごろく.sgr"));
    EXPECT_EQ(header(), "すごろく.sgr");
    EXPECT_TRUE(owner.modified());
    EXPECT_EQ(setting.value, dir.path());
    EXPECT_TRUE(notifier.notices.empty());

    // The same name again changes nothing in the record.
    owner.setModified(false);
    EXPECT_EQ(logic.accept("すごろく.sgr", dir.path(), target), BuildDialogResult::Confirmed);
    EXPECT_FALSE(owner.modified());
}

TEST_F(BuildDialogTest, CapitalExtensionIsKept) {
    BuildTarget target;
    EXPECT_EQ(logic.accept("GAME.SGR", dir.path(), target), BuildDialogResult::Confirmed);
    EXPECT_EQ(target.fileName, "GAME.SGR");
    EXPECT_EQ(header(), "GAME.SGR");
}

TEST_F(BuildDialogTest, AnExistingFileIsOverwrittenOnlyAfterOk) {
    test::writeText(dir.file("g.sgr"), "old");
    BuildTarget target;
    notifier.answers = {NoticeAnswer::Cancel, NoticeAnswer::Ok};
    EXPECT_EQ(logic.accept("g", dir.path(), target), BuildDialogResult::Cancelled);
    EXPECT_EQ(logic.accept("g", dir.path(), target), BuildDialogResult::Confirmed);
    ASSERT_EQ(notifier.notices.size(), 2u);
    EXPECT_EQ(notifier.notices[0].caption, "盤面工房");
    EXPECT_EQ(notifier.notices[0].text, "ファイルを上書きしますか？　　");
    EXPECT_EQ(notifier.notices[0].icon, NoticeIcon::Question);
    // Name and folder are stored even when the question is answered Cancel.
    EXPECT_EQ(setting.writes, 2);
    EXPECT_EQ(header(), "g.sgr");
    // A different name asks nothing.
    EXPECT_EQ(logic.accept("h", dir.path(), target), BuildDialogResult::Confirmed);
    EXPECT_EQ(notifier.notices.size(), 2u);
}

TEST_F(BuildDialogTest, NamesTheHeaderCannotHoldAreRefused) {
    BuildTarget target;
    EXPECT_EQ(logic.accept("smile😀", dir.path(), target), BuildDialogResult::StayOpen);
    EXPECT_EQ(logic.accept("sub/game", dir.path(), target), BuildDialogResult::StayOpen);
    // 255 bytes + ".sgr" is 259: the longest that fits.
    EXPECT_EQ(logic.accept(std::string(256, 'a'), dir.path(), target), BuildDialogResult::StayOpen);
    ASSERT_EQ(notifier.notices.size(), 3u);
    EXPECT_EQ(notifier.notices[0].text, kBuildNameNotShiftJis);
    EXPECT_EQ(notifier.notices[1].text, kBuildNameHasSlash);
    EXPECT_EQ(notifier.notices[2].text, kBuildNameTooLong);
    EXPECT_EQ(setting.writes, 0);
    EXPECT_EQ(header(), "");

    // Two-byte characters count two bytes each.
    std::string longest;
    for (int i = 0; i < 127; ++i) {
        longest += "あ";
    }
    longest += "a";  // 255 bytes in Shift-JIS
    EXPECT_EQ(logic.accept(longest, dir.path(), target), BuildDialogResult::Confirmed);
    EXPECT_EQ(header(), longest + ".sgr");
    EXPECT_EQ(logic.accept(longest + "a", dir.path(), target), BuildDialogResult::StayOpen);
}

}  // namespace
}  // namespace banmen
