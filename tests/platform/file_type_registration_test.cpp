// "/INSTALL" and "/UNINSTALL" in a temporary home: the classes-root values,
// the desktop's files and the database tools, and what uninstalling leaves.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop_entries.h"
#include "platform/settings/file_type_registration.h"
#include "platform/settings/registration_switches.h"
#include "platform/settings/registry_key.h"
#include "settings_test_environment.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::set<std::string> filesUnder(const std::string& folder) {
    std::set<std::string> files;
    if (fs::exists(folder)) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                files.insert(entry.path().string());
            }
        }
    }
    return files;
}

class FileTypeRegistrationTest : public test::SettingsTest {
  protected:
    FileTypeRegistrationTest() {
        // The programs (a folder with a blank and a "$" in its name, to be
        // quoted) and database tools that log how they were called.
        fs::create_directories(programs_);
        fs::create_directories(tools_);
        makeScript(editor_, "exit 0\n");
        makeScript(player_, "exit 0\n");
        for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
            makeScript(tools_ + "/" + tool,
                       std::string("echo ") + tool + " \"$@\" >> " + log_ + "\n");
        }
    }

    static void makeScript(const std::string& path, const std::string& body) {
        test::writeText(path, "#!/bin/sh\n" + body);
        chmod(path.c_str(), 0755);
    }

    std::string data(const std::string& relative) const { return dataHome_ + "/" + relative; }
    std::string log() const { return fs::exists(log_) ? contents(log_) : std::string(); }

    std::string programs_ = root() + "/My $Games/bin";
    std::string editor_ = programs_ + "/banmen";
    std::string player_ = programs_ + "/banmen-player";
    std::string tools_ = root() + "/tools";
    std::string log_ = root() + "/tools.log";
    std::string dataHome_ = root() + "/data";
    test::ScopedEnv path_{"PATH", tools_ + ":/usr/bin:/bin"};
};

TEST(RegistrationSwitchTest, SwitchesAreWholeArgumentsInAnyCase) {
    using S = RegistrationSwitch;
    EXPECT_EQ(FindRegistrationSwitch({"/install"}), S::Install);
    EXPECT_EQ(FindRegistrationSwitch({"/Uninstall"}), S::Uninstall);
    EXPECT_EQ(FindRegistrationSwitch({"/UNINSTALL", "/InStAlL"}), S::Install);
    EXPECT_EQ(FindRegistrationSwitch({"/home/me/install/a.sgw"}), std::nullopt);
    EXPECT_EQ(FindRegistrationSwitch({"/INSTALLER"}), std::nullopt);
    EXPECT_EQ(FindRegistrationSwitch({}), std::nullopt);
}

TEST_F(FileTypeRegistrationTest, InstallWritesValuesFilesAndRefreshes) {
    ASSERT_EQ(RunRegistrationSwitch(RegistrationSwitch::Install, editor_), 0);

    RegistryKey classes("HKEY_CLASSES_ROOT");
    auto value = [&](const std::string& key, const std::string& name) {
        std::string text;
        EXPECT_TRUE(classes.ReadString(key, name, text)) << key << " " << name;
        return text;
    };
    EXPECT_EQ(value("SugorokuWorkspace", ""), "雙六ワークスペース");
    EXPECT_EQ(value("SugorokuWorkspace\\DefaultIcon", ""), editor_ + ",5");
    EXPECT_EQ(value("SugorokuWorkspace\\shell\\open\\command", ""), "\"" + editor_ + "\" %1");
    EXPECT_EQ(value(".sgw", ""), "SugorokuWorkspace");
    EXPECT_EQ(value(".sgw", "Content Type"), "application/x-sugoroku-workspace");
    EXPECT_EQ(value(".sgr", ""), "SugorokuGame");
    EXPECT_EQ(value(".sgr", "Content Type"), "application/x-sugoroku-game");
    EXPECT_EQ(value("SugorokuGame\\shell\\open\\command", ""), "\"" + player_ + "\" %1");

    const std::string package = contents(data("mime/packages/banmen-sgw.xml"));
    EXPECT_THAT(package, HasSubstr("<mime-type type=\"application/x-sugoroku-workspace\">"));
    EXPECT_THAT(package, HasSubstr("<glob pattern=\"*.sgw\"/>"));
    EXPECT_THAT(package, HasSubstr("<comment>雙六ワークスペース</comment>"));
    EXPECT_THAT(contents(data("mime/packages/banmen-sgr.xml")),
                HasSubstr("<comment>雙六ゲーム</comment>"));

    const std::string entry = contents(data("applications/banmen-sgw.desktop"));
    // Quoted for the blank; "$" and the entry's own backslash escaped.
    EXPECT_THAT(entry, HasSubstr("\nExec=\"" + root() + "/My \\\\$Games/bin/banmen\" %f\n"));
    EXPECT_THAT(entry, HasSubstr("\nMimeType=application/x-sugoroku-workspace;\n"));
    EXPECT_THAT(entry, HasSubstr("\nIcon=banmen-sgw\n"));
    EXPECT_THAT(contents(data("applications/banmen-sgr.desktop")),
                HasSubstr("/bin/banmen-player\" %f\n"));

    const std::vector<DesktopIcon> icons = ProgramIcons();
    ASSERT_FALSE(icons.empty());
    for (const DesktopIcon& icon : icons) {
        const std::string size = std::to_string(icon.size);
        EXPECT_EQ(
            test::readBytes(data("icons/hicolor/" + size + "x" + size + "/apps/banmen-sgw.png")),
            icon.png);
    }
    EXPECT_EQ(log(), "update-mime-database " + data("mime") + "\nupdate-desktop-database " +
                         data("applications") + "\n");
}

TEST_F(FileTypeRegistrationTest, UninstallRemovesExactlyWhatInstallWrote) {
    // Somebody else's files in the same folders stay.
    put(data("applications/other.desktop"), "[Desktop Entry]\n");
    put(data("icons/hicolor/32x32/apps/other.png"), "png");
    put(config("banmen-registry/HKEY_CLASSES_ROOT/.txt.conf"), "[General]\n@=sz:txtfile\n");
    const std::set<std::string> dataBefore = filesUnder(dataHome_);
    const std::set<std::string> configBefore = filesUnder(config(""));

    ASSERT_EQ(RunRegistrationSwitch(RegistrationSwitch::Install, editor_), 0);
    ASSERT_GT(filesUnder(dataHome_).size(), dataBefore.size() + 10);
    std::remove(log_.c_str());

    ASSERT_EQ(RunRegistrationSwitch(RegistrationSwitch::Uninstall, editor_), 0);
    EXPECT_EQ(filesUnder(dataHome_), dataBefore);
    EXPECT_EQ(filesUnder(config("")), configBefore);
    EXPECT_FALSE(RegistryKey("HKEY_CLASSES_ROOT").KeyExists("SugorokuWorkspace"));
    EXPECT_THAT(log(), HasSubstr("update-mime-database"));
}

TEST_F(FileTypeRegistrationTest, UninstallWhenNotRegisteredTouchesNothing) {
    ASSERT_EQ(RunRegistrationSwitch(RegistrationSwitch::Uninstall, editor_), 0);
    EXPECT_FALSE(fs::exists(dataHome_));
    EXPECT_TRUE(filesUnder(config("")).empty());
    EXPECT_EQ(log(), "");
}

TEST_F(FileTypeRegistrationTest, NoPlayerBesideTheEditorRegistersWorkspacesOnly) {
    fs::remove(player_);
    ASSERT_EQ(RunRegistrationSwitch(RegistrationSwitch::Install, editor_), 0);
    EXPECT_TRUE(fs::exists(data("applications/banmen-sgw.desktop")));
    EXPECT_FALSE(fs::exists(data("applications/banmen-sgr.desktop")));
    EXPECT_FALSE(RegistryKey("HKEY_CLASSES_ROOT").KeyExists(".sgr"));
}

// The program itself: the switch in lower case, with no display to open a
// window on, registers and ends.
TEST_F(FileTypeRegistrationTest, TheEditorRegistersWithoutAWindow) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                                std::string(BANMEN_BIN_DIR) + "/banmen' /install";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string entry = contents(data("applications/banmen-sgw.desktop"));
    EXPECT_THAT(entry, HasSubstr("Exec=\"" + std::string(BANMEN_BIN_DIR) + "/banmen\" %f"));
    ASSERT_EQ(std::system(("'" + std::string(BANMEN_BIN_DIR) + "/banmen' /UNINSTALL").c_str()), 0);
    EXPECT_FALSE(fs::exists(data("applications/banmen-sgw.desktop")));
}

}  // namespace
}  // namespace banmen
