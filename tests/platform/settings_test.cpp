#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/default_folders.h"
#include "platform/base_folder.h"
#include "platform/settings/player_settings.h"
#include "platform/settings/program_settings.h"
#include "platform/settings/registry_key.h"
#include "settings_test_environment.h"

namespace banmen {
namespace {

using test::SettingsTest;

class ProgramSettingsTest : public SettingsTest {
  protected:
    std::string programFile() const { return config("MOEGI/Banmen.conf"); }
    std::string playerFile() const { return config("MOEGI/Sugoroku.conf"); }
    static RegistryKey program() { return RegistryKey(kProgramKeyPath); }
};

TEST_F(ProgramSettingsTest, DefaultsWithoutAnyFile) {
    EXPECT_EQ(readBuildFolder(), "");
    EXPECT_EQ(readProjectFolder(), base("MyProjects"));
    EXPECT_EQ(readOpenFolder(), "");
    EXPECT_EQ(readRecentWorkspaces(), RecentWorkspaces{});
    EXPECT_FALSE(readMapLock());  // squares movable
    EXPECT_TRUE(readMapGrid());   // grid on
    EXPECT_EQ(readDefImageFolder(), base("Image Files"));
    EXPECT_EQ(readDefSoundFolder(), base("Sound Files"));
    EXPECT_FALSE(std::filesystem::exists(config("")));  // reading creates nothing
}

TEST_F(ProgramSettingsTest, ValuesPersistInTheProgramFileOnly) {
    ASSERT_TRUE(writeBuildFolder("/home/me/games"));
    ASSERT_TRUE(writeProjectFolder("/home/me/projects"));
    ASSERT_TRUE(writeOpenFolder("/home/me/open"));
    ASSERT_TRUE(writeMapLock(true));
    ASSERT_TRUE(writeMapGrid(false));
    EXPECT_EQ(readBuildFolder(), "/home/me/games");
    EXPECT_EQ(readProjectFolder(), "/home/me/projects");
    EXPECT_EQ(readOpenFolder(), "/home/me/open");
    EXPECT_TRUE(readMapLock());
    EXPECT_FALSE(readMapGrid());

    const std::string text = contents(programFile());
    EXPECT_NE(text.find("BuildFolder=sz:/home/me/games"), std::string::npos) << text;
    EXPECT_NE(text.find("bMapLock=dword:1"), std::string::npos) << text;
    EXPECT_NE(text.find("bMapGrid=dword:0"), std::string::npos) << text;
    EXPECT_FALSE(test::exists(playerFile()));  // never written
}

TEST_F(ProgramSettingsTest, FlagsAreDwords) {
    RegistryType type = RegistryType::None;
    ASSERT_TRUE(writeMapGrid(true));
    EXPECT_TRUE(program().ValueType("", "bMapGrid", type));
    EXPECT_EQ(type, RegistryType::Dword);
    // Any number but 0 is on; a flag stored as text is not a flag.
    ASSERT_TRUE(program().WriteDword("", "bMapLock", 7));
    EXPECT_TRUE(readMapLock());
    ASSERT_TRUE(program().WriteString("", "bMapGrid", "0"));
    EXPECT_TRUE(readMapGrid());
    ASSERT_TRUE(program().WriteString("", "bMapLock", "1"));
    EXPECT_FALSE(readMapLock());
}

TEST_F(ProgramSettingsTest, EmptyProjectFolderMeansMyProjects) {
    ASSERT_TRUE(writeProjectFolder(""));
    std::string stored = "unread";
    ASSERT_TRUE(program().ReadString("", "ProjectFolder", stored));
    EXPECT_EQ(stored, "");
    EXPECT_EQ(readProjectFolder(), base("MyProjects"));
}

TEST_F(ProgramSettingsTest, MyProjectsMovesToTheDataFolderWhenTheBaseIsNotWritable) {
    test::ScopedEnv unwritable("BANMEN_HOME", root() + "/missing-base");
    EXPECT_EQ(readProjectFolder(), WritableBaseFolder() + "/MyProjects");
    EXPECT_EQ(WritableBaseFolder(), root() + "/data/banmen");
}

TEST_F(ProgramSettingsTest, RecentWorkspaces) {
    RecentWorkspaces paths = {"/a/one.sgw", "/b/two.sgw", "", "/d/four.sgw", "/e/five.sgw"};
    ASSERT_TRUE(writeRecentWorkspaces(paths));
    EXPECT_EQ(readRecentWorkspaces(), paths);
    std::string first;
    ASSERT_TRUE(program().ReadString(kRecentWorkspacesKey, "Project1", first));
    EXPECT_EQ(first, "/a/one.sgw");
    EXPECT_TRUE(program().KeyExists("ResentWorkspaces"));

    // A shorter list leaves no old entries behind.
    paths = {"/x.sgw", "", "", "", ""};
    ASSERT_TRUE(writeRecentWorkspaces(paths));
    EXPECT_EQ(readRecentWorkspaces(), paths);
    RegistryType type = RegistryType::None;
    EXPECT_FALSE(program().ValueType(kRecentWorkspacesKey, "Project2", type));
    EXPECT_FALSE(program().ValueType(kRecentWorkspacesKey, "Project5", type));
    EXPECT_EQ(contents(programFile()).find("two.sgw"), std::string::npos);

    ASSERT_TRUE(writeRecentWorkspaces(RecentWorkspaces{}));
    EXPECT_EQ(readRecentWorkspaces(), RecentWorkspaces{});
    EXPECT_FALSE(program().KeyExists("ResentWorkspaces"));
}

TEST_F(ProgramSettingsTest, RecentWorkspaceOfAnotherTypeReadsAsEmpty) {
    ASSERT_TRUE(program().WriteDword(kRecentWorkspacesKey, "Project3", 3));
    ASSERT_TRUE(program().WriteString(kRecentWorkspacesKey, "Project4", "/four.sgw"));
    const RecentWorkspaces read = readRecentWorkspaces();
    EXPECT_EQ(read[2], "");
    EXPECT_EQ(read[3], "/four.sgw");
}

TEST_F(ProgramSettingsTest, DefImageFolder) {
    const std::string pictures = root() + "/pictures";
    std::filesystem::create_directories(pictures);
    // The companion player's file, as it or a user would write it.
    put(playerFile(), "[General]\nDefImageFolder=" + pictures + "\n");
    EXPECT_EQ(readDefImageFolder(), pictures);
    put(playerFile(), "[General]\nDefImageFolder=sz:" + pictures + "\n");
    EXPECT_EQ(readDefImageFolder(), pictures);

    // A folder that no longer exists.
    std::filesystem::remove(pictures);
    EXPECT_EQ(readDefImageFolder(), base("Image Files"));
    // A file is no folder; empty names nothing.
    put(pictures, "a file");
    EXPECT_EQ(readDefImageFolder(), base("Image Files"));
    put(playerFile(), "[General]\nDefImageFolder=sz:\n");
    EXPECT_EQ(readDefImageFolder(), base("Image Files"));
}

TEST_F(ProgramSettingsTest, DefSoundFolderFallsBackToOurOwnSounds) {
    EXPECT_EQ(readDefSoundFolder(), base("Sound Files"));
    put(playerFile(), "[General]\nDefSoundFolder=sz:\n");
    EXPECT_EQ(readDefSoundFolder(), base("Sound Files"));
    put(playerFile(), "[General]\nDefSoundFolder=sz:" + root() + "/gone\n");
    EXPECT_EQ(readDefSoundFolder(), base("Sound Files"));
    std::filesystem::create_directories(root() + "/sounds");
    put(playerFile(), "[General]\nDefSoundFolder=sz:" + root() + "/sounds\n");
    EXPECT_EQ(readDefSoundFolder(), root() + "/sounds");
}

TEST_F(ProgramSettingsTest, ProvidersFollowTheSettings) {
    installDefaultFolderProviders();
    EXPECT_EQ(defaultImageFolder(), base("Image Files"));
    EXPECT_EQ(defaultSoundFolder(), base("Sound Files"));
    std::filesystem::create_directories(root() + "/pictures");
    std::filesystem::create_directories(root() + "/sounds");
    put(playerFile(), "[General]\nDefImageFolder=sz:" + root() +
                          "/pictures\nDefSoundFolder=sz:" + root() + "/sounds\n");
    // Read afresh on every call.
    EXPECT_EQ(defaultImageFolder(), root() + "/pictures");
    EXPECT_EQ(defaultSoundFolder(), root() + "/sounds");
    setDefaultImageFolderProvider(nullptr);
    setDefaultSoundFolderProvider(nullptr);
}

TEST_F(ProgramSettingsTest, BrokenProgramFileGivesDefaultsAndStaysAsItWas) {
    const std::string broken =
        "[General]\nBuildFolder=sz:/out\nbMapGrid=dword:0\nbMapLock=dword:1\nProjectFolder=sz:/p\n"
        "a line someone typed by hand\n[ResentWorkspaces]\nProject1=sz:/a.sgw\n";
    put(programFile(), broken);
    EXPECT_EQ(readBuildFolder(), "");
    EXPECT_EQ(readProjectFolder(), base("MyProjects"));
    EXPECT_TRUE(readMapGrid());
    EXPECT_FALSE(readMapLock());
    EXPECT_EQ(readRecentWorkspaces(), RecentWorkspaces{});
    EXPECT_FALSE(writeMapGrid(false));
    EXPECT_FALSE(writeBuildFolder("/new"));
    EXPECT_FALSE(writeRecentWorkspaces({"/b.sgw", "", "", "", ""}));
    EXPECT_EQ(contents(programFile()), broken);
}

TEST_F(ProgramSettingsTest, BrokenPlayerFileGivesTheFallbackFolders) {
    std::filesystem::create_directories(root() + "/pictures");
    put(playerFile(), "[General\nDefImageFolder=sz:" + root() + "/pictures\n");
    EXPECT_EQ(readDefImageFolder(), base("Image Files"));
    EXPECT_EQ(readDefSoundFolder(), base("Sound Files"));
}

}  // namespace
}  // namespace banmen
