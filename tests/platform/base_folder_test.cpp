#include "platform/base_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/files.h"
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

TEST(ModulePath, IsThisTestProgram) {
    const std::string self = ModulePath();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self[0], '/');
    EXPECT_EQ(std::filesystem::path(self).filename(), "base_folder_test");
    EXPECT_EQ(ModuleFolder() + "/base_folder_test", self);
    EXPECT_TRUE(IsFolder(ModuleFolder()));
}

TEST(BaseFolder, ProgramFolderByDefault) {
    ScopedEnv home("BANMEN_HOME", std::nullopt);
    EXPECT_EQ(BaseFolder(), ModuleFolder());
    ScopedEnv blank("BANMEN_HOME", "   ");
    EXPECT_EQ(BaseFolder(), ModuleFolder());
}

TEST(BaseFolder, OverriddenByBanmenHome) {
    test::TempDir dir;
    ScopedEnv home("BANMEN_HOME", " \"" + dir.path() + "//\" ");
    EXPECT_EQ(BaseFolder(), dir.path());
    EXPECT_EQ(WritableBaseFolder(), dir.path());
}

TEST(WritableBaseFolder, FallsBackToXdgDataHome) {
    test::TempDir dir;
    ScopedEnv home("BANMEN_HOME", dir.file("not-there"));
    ScopedEnv data("XDG_DATA_HOME", dir.file("data/"));
    EXPECT_EQ(WritableBaseFolder(), dir.file("data/banmen"));
    EXPECT_TRUE(IsFolder(dir.file("data/banmen")));
    EXPECT_FALSE(test::exists(dir.file("not-there")));
}

TEST(WritableBaseFolder, DefaultDataFolderUnderHome) {
    test::TempDir dir;
    ScopedEnv base("BANMEN_HOME", dir.file("not-there"));
    ScopedEnv home("HOME", dir.path());
    for (const std::optional<std::string>& value :
         {std::optional<std::string>(), std::optional<std::string>("relative/data")}) {
        ScopedEnv data("XDG_DATA_HOME", value);
        EXPECT_EQ(WritableBaseFolder(), dir.file(".local/share/banmen"));
        EXPECT_TRUE(IsFolder(dir.file(".local/share/banmen")));
    }
    EXPECT_FALSE(test::exists(dir.file("relative")));
}

TEST(HomeFolder, FromTheEnvironmentOrTheUserEntry) {
    {
        ScopedEnv home("HOME", "/home/someone/");
        EXPECT_EQ(HomeFolder(), "/home/someone");
    }
    ScopedEnv home("HOME", std::nullopt);
    const std::string fallback = HomeFolder();
    ASSERT_FALSE(fallback.empty());
    EXPECT_EQ(fallback[0], '/');
}

}  // namespace
}  // namespace banmen
