#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "support/test_support.h"

namespace banmen {
namespace {

// Sets or clears an environment variable for one test and restores it after.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        apply(value);
    }
    ~ScopedEnv() { apply(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    std::string name_;
    std::optional<std::string> old_;
};

using path::ExpandFolderTokens;

TEST(FolderTokens, TemporaryFolderInBothSpellings) {
    test::TempDir temp;
    ScopedEnv tmpdir("TMPDIR", temp.path());
    EXPECT_EQ(ExpandFolderTokens("%Temp%/name"), temp.path() + "/name");
    EXPECT_EQ(ExpandFolderTokens("%TEMP%/name"), temp.path() + "/name");
    EXPECT_EQ(ExpandFolderTokens("%USERTEMP%/a/b"), temp.path() + "/a/b");
    EXPECT_EQ(ExpandFolderTokens("%UserTemp%"), temp.path());
}

TEST(FolderTokens, ExactlyOneSeparatorAfterTheFolder) {
    ScopedEnv tmpdir("TMPDIR", "/scratch/");
    EXPECT_EQ(ExpandFolderTokens("%TEMP%name"), "/scratch/name");
    EXPECT_EQ(ExpandFolderTokens("%TEMP%/name"), "/scratch/name");
    EXPECT_EQ(ExpandFolderTokens("\"%TEMP%//name\""), "/scratch/name");
    EXPECT_EQ(ExpandFolderTokens("%TEMP%/a/%TEMP%/b"), "/scratch/a/scratch/b");
}

TEST(FolderTokens, TemporaryFolderDefault) {
    ScopedEnv tmpdir("TMPDIR", std::nullopt);
    EXPECT_EQ(ExpandFolderTokens("%TEMP%/x"), "/tmp/x");
}

TEST(FolderTokens, SystemFolder) {
    EXPECT_EQ(ExpandFolderTokens("%SystemRoot%"), "/usr/lib");
    EXPECT_EQ(ExpandFolderTokens("%SYSTEM%/x"), "/usr/lib/x");
}

TEST(FolderTokens, TokensAreCaseExact) {
    ScopedEnv lower("temp", std::nullopt);
    ScopedEnv odd("TeMp", std::nullopt);
    EXPECT_EQ(ExpandFolderTokens("%temp%/x"), "%temp%/x");
    EXPECT_EQ(ExpandFolderTokens("%TeMp%/x"), "%TeMp%/x");
}

TEST(FolderTokens, FolderHoldingATokenDoesNotLoop) {
    ScopedEnv tmpdir("TMPDIR", "/t/%TEMP%");
    ScopedEnv temp("TEMP", std::nullopt);
    EXPECT_EQ(ExpandFolderTokens("%TEMP%/x"), "/t/%TEMP%/x");
}

TEST(FolderTokens, DesktopFromTheEnvironment) {
    ScopedEnv desktop("XDG_DESKTOP_DIR", "/home/u/Arbeitsfläche");
    EXPECT_EQ(ExpandFolderTokens("%Desktop%/a.sgw"), "/home/u/Arbeitsfläche/a.sgw");
    EXPECT_EQ(ExpandFolderTokens("%USERDESKTOP%"), "/home/u/Arbeitsfläche");
    EXPECT_EQ(ExpandFolderTokens("%AllUserDesktop%/x"), "/home/u/Arbeitsfläche/x");
}

TEST(FolderTokens, DesktopFromUserDirsFile) {
    test::TempDir home;
    ScopedEnv homeVariable("HOME", home.path());
    ScopedEnv desktop("XDG_DESKTOP_DIR", std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", home.path() + "/conf");
    ASSERT_TRUE(std::filesystem::create_directory(home.file("conf")));

    EXPECT_EQ(ExpandFolderTokens("%DESKTOP%/x"), home.path() + "/Desktop/x");

    test::writeText(home.file("conf/user-dirs.dirs"),
                    "# written by xdg-user-dirs-update\n"
                    "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                    "  XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
    EXPECT_EQ(ExpandFolderTokens("%DESKTOP%/x"), home.path() + "/デスクトップ/x");

    test::writeText(home.file("conf/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"/srv/my \\\"desk\\\"\"\n");
    EXPECT_EQ(ExpandFolderTokens("%DESKTOP%"), "/srv/my desk");  // quotes go in normalising

    test::writeText(home.file("conf/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"relative\"\n");
    EXPECT_EQ(ExpandFolderTokens("%DESKTOP%"), home.path() + "/Desktop");
}

TEST(FolderTokens, EnvironmentVariables) {
    ScopedEnv data("BANMEN_TOKEN_TEST", "/data");
    ScopedEnv unset("BANMEN_TOKEN_UNSET", std::nullopt);
    EXPECT_EQ(ExpandFolderTokens("%BANMEN_TOKEN_TEST%/x"), "/data/x");
    EXPECT_EQ(ExpandFolderTokens("$BANMEN_TOKEN_TEST/x"), "/data/x");
    EXPECT_EQ(ExpandFolderTokens("${BANMEN_TOKEN_TEST}/x"), "/data/x");
    EXPECT_EQ(ExpandFolderTokens("/a/$BANMEN_TOKEN_TEST.b"), "/a/data.b");
    EXPECT_EQ(ExpandFolderTokens("$BANMEN_TOKEN_UNSET/x"), "$BANMEN_TOKEN_UNSET/x");
    EXPECT_EQ(ExpandFolderTokens("%BANMEN_TOKEN_UNSET%/x"), "%BANMEN_TOKEN_UNSET%/x");
    EXPECT_EQ(ExpandFolderTokens("/a/100%.txt"), "/a/100%.txt");
    EXPECT_EQ(ExpandFolderTokens("/a/b$"), "/a/b$");
    EXPECT_EQ(ExpandFolderTokens("/a/${}"), "/a/${}");
}

TEST(FolderTokens, EmptyPathGivesNothing) {
    EXPECT_EQ(ExpandFolderTokens(""), "");
    EXPECT_EQ(ExpandFolderTokens("  \"\" "), "");
}

}  // namespace
}  // namespace banmen
