#include "platform/settings/registry_key.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/settings/registry_location.h"
#include "settings_test_environment.h"

namespace banmen {
namespace {

using test::SettingsTest;

constexpr char kBanmen[] = "HKEY_CURRENT_USER\\Software\\MOEGI\\Banmen";

// --- Paths --------------------------------------------------------------

TEST(RegistryPath, RootNamesInAnyCase) {
    for (const char* path : {"HKEY_CURRENT_USER\\Software\\X", "hkey_current_user\\Software\\X",
                             "Hkey_Current_User\\Software\\X"}) {
        const RegistryPath parsed = ParseRegistryPath(path, RegistryRoot::None);
        EXPECT_EQ(parsed.root, RegistryRoot::CurrentUser) << path;
        EXPECT_EQ(parsed.subkey, "Software\\X") << path;
    }
    EXPECT_EQ(ParseRegistryPath("hkey_classes_root\\.sgw", RegistryRoot::None).root,
              RegistryRoot::ClassesRoot);
    EXPECT_EQ(ParseRegistryPath("HKEY_local_MACHINE\\Software", RegistryRoot::None).root,
              RegistryRoot::LocalMachine);
    EXPECT_EQ(ParseRegistryPath("hkey_users\\.Default", RegistryRoot::None).root,
              RegistryRoot::Users);
}

TEST(RegistryPath, SubkeyIsTheRestAfterOneSeparator) {
    EXPECT_EQ(ParseRegistryPath("HKEY_USERS", RegistryRoot::None).subkey, "");
    EXPECT_EQ(ParseRegistryPath("HKEY_USERS", RegistryRoot::None).root, RegistryRoot::Users);
    EXPECT_EQ(ParseRegistryPath("HKEY_LOCAL_MACHINE\\", RegistryRoot::None).subkey, "");
    EXPECT_EQ(ParseRegistryPath("HKEY_CURRENT_USER\\\\A", RegistryRoot::None).subkey, "\\A");
}

TEST(RegistryPath, WithoutRootNameTheDefaultRootTakesTheWholePath) {
    const RegistryPath relative = ParseRegistryPath("Software\\MOEGI", RegistryRoot::CurrentUser);
    EXPECT_EQ(relative.root, RegistryRoot::CurrentUser);
    EXPECT_EQ(relative.subkey, "Software\\MOEGI");
    EXPECT_EQ(ParseRegistryPath("Software\\MOEGI", RegistryRoot::None).root, RegistryRoot::None);
    // A longer name that merely starts like a root is no root name.
    const RegistryPath lookalike = ParseRegistryPath("HKEY_USERSX\\a", RegistryRoot::None);
    EXPECT_EQ(lookalike.root, RegistryRoot::None);
    EXPECT_EQ(ParseRegistryPath("HKEY_CURRENT_USER_2\\a", RegistryRoot::ClassesRoot).subkey,
              "HKEY_CURRENT_USER_2\\a");
}

TEST(RegistryPath, SplitRefusesNamesThatWouldLeaveTheFolder) {
    std::vector<std::string> parts;
    ASSERT_TRUE(splitRegistrySubkey("\\A\\\\B\\", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(splitRegistrySubkey("A\\..\\B", parts));
    EXPECT_FALSE(splitRegistrySubkey("A\\.", parts));
    EXPECT_FALSE(splitRegistrySubkey("A/B", parts));
    EXPECT_FALSE(splitRegistrySubkey(std::string_view("A\0B", 3), parts));
    EXPECT_FALSE(splitRegistrySubkey("A\\\xff", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"A", "B"}));  // untouched on failure
}

TEST(RegistryPath, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("\xe7\x9b\xa4\xe9\x9d\xa2"));  // 盤面
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x8e\xb2"));          // U+1F3B2
    EXPECT_FALSE(isValidUtf8("\x83\x5c"));                 // Shift-JIS "ソ"
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));                 // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));             // a surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));         // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xe7\x9b"));                 // cut short
}

// --- Where keys live ----------------------------------------------------

class RegistryKeyTest : public SettingsTest {};

TEST_F(RegistryKeyTest, LowerCaseRootNameSelectsTheSameKey) {
    ASSERT_TRUE(RegistryKey("hkey_current_user\\software\\MOEGI\\Banmen")
                    .WriteString("", "OpenFolder", "/work"));
    std::string value;
    EXPECT_TRUE(RegistryKey(kBanmen).ReadString("", "OpenFolder", value));
    EXPECT_EQ(value, "/work");
    EXPECT_TRUE(test::exists(config("MOEGI/Banmen.conf")));
}

TEST_F(RegistryKeyTest, DeepKeysAreGroupsOfTheSecondLevelFile) {
    RegistryKey key("HKEY_CURRENT_USER\\Software\\A\\B\\C\\D");
    ASSERT_TRUE(key.WriteString("", "v", "deep"));
    EXPECT_TRUE(test::exists(config("A/B.conf")));
    EXPECT_FALSE(test::exists(config("A/B")));
    EXPECT_NE(contents(config("A/B.conf")).find("[C]"), std::string::npos);

    std::string value;
    EXPECT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\A\\B").ReadString("C\\D", "v", value));
    EXPECT_EQ(value, "deep");
    EXPECT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\A").KeyExists("B\\C\\D"));
}

TEST_F(RegistryKeyTest, ShallowKeys) {
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\A").WriteDword("", "n", 5));
    EXPECT_TRUE(test::exists(config("A.conf")));

    // The software branch itself holds no values.
    RegistryKey software("HKEY_CURRENT_USER\\Software");
    EXPECT_FALSE(software.WriteString("", "x", "y"));
    EXPECT_TRUE(software.KeyExists(""));
    EXPECT_TRUE(software.KeyExists("A"));
    std::string value = "kept";
    EXPECT_FALSE(software.ReadString("", "x", value));
    EXPECT_EQ(value, "kept");

    // Other current-user keys and the classes root live in a tree of our own.
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Control Panel\\Desktop").WriteString("", "a", "b"));
    EXPECT_TRUE(
        test::exists(config("banmen-registry/HKEY_CURRENT_USER/Control Panel/Desktop.conf")));
    ASSERT_TRUE(RegistryKey("HKEY_CLASSES_ROOT\\.sgw").WriteString("", "", "SugorokuWorkspace"));
    EXPECT_TRUE(test::exists(config("banmen-registry/HKEY_CLASSES_ROOT/.sgw.conf")));
    EXPECT_TRUE(RegistryKey("HKEY_CLASSES_ROOT\\.sgw").ReadString("", "", value));
    EXPECT_EQ(value, "SugorokuWorkspace");
    EXPECT_FALSE(RegistryKey("HKEY_CLASSES_ROOT").WriteString("", "x", "y"));
}

TEST_F(RegistryKeyTest, LocalMachineIsReadOnlySystemConfiguration) {
    put(system("Vendor/Tool.conf"), "[General]\nPath=sz:/opt/tool\n");
    RegistryKey key("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Tool");
    std::string value;
    EXPECT_TRUE(key.ReadString("", "Path", value));
    EXPECT_EQ(value, "/opt/tool");
    EXPECT_TRUE(key.KeyExists(""));
    const std::string before = contents(system("Vendor/Tool.conf"));
    EXPECT_FALSE(key.WriteString("", "Path", "/elsewhere"));
    EXPECT_FALSE(key.DeleteValue("", "Path"));
    EXPECT_FALSE(key.DeleteKey("HKEY_LOCAL_MACHINE\\Software\\Vendor\\Tool"));
    EXPECT_EQ(contents(system("Vendor/Tool.conf")), before);

    EXPECT_FALSE(RegistryKey("HKEY_LOCAL_MACHINE\\System\\X").WriteString("", "a", "b"));
    EXPECT_FALSE(RegistryKey("HKEY_LOCAL_MACHINE\\System").KeyExists(""));
}

TEST_F(RegistryKeyTest, UsersRootAndRootlessPathsFailEverything) {
    for (RegistryKey key : {RegistryKey("HKEY_USERS\\.Default\\Software\\A\\B"),
                            RegistryKey("Software\\MOEGI\\Banmen")}) {
        EXPECT_FALSE(key.WriteString("", "a", "b")) << key.path();
        EXPECT_FALSE(key.WriteDword("", "a", 1)) << key.path();
        EXPECT_FALSE(key.KeyExists("")) << key.path();
        RegistryType type = RegistryType::None;
        EXPECT_FALSE(key.ValueType("", "a", type)) << key.path();
        EXPECT_FALSE(key.DeleteKey("Software\\MOEGI\\Banmen")) << key.path();
    }
    EXPECT_FALSE(std::filesystem::exists(config("")));
}

TEST_F(RegistryKeyTest, DefaultRootServesRootlessPaths) {
    RegistryKey key("Software\\MOEGI\\Banmen", RegistryRoot::CurrentUser);
    ASSERT_TRUE(key.WriteDword("", "bMapGrid", 0));
    std::uint32_t value = 7;
    EXPECT_TRUE(RegistryKey(kBanmen).ReadDword("", "bMapGrid", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(key.DeleteKey("Software\\MOEGI\\Banmen"));
    EXPECT_FALSE(test::exists(config("MOEGI/Banmen.conf")));
}

TEST_F(RegistryKeyTest, NamesThatWouldEscapeTheFolderAreRefused) {
    EXPECT_FALSE(RegistryKey("HKEY_CURRENT_USER\\Software\\..\\..\\x").WriteString("", "a", "b"));
    EXPECT_FALSE(RegistryKey(kBanmen).WriteString("..", "a", "b"));
    EXPECT_FALSE(RegistryKey(kBanmen).WriteString("a/b", "a", "b"));
    EXPECT_FALSE(RegistryKey(kBanmen).WriteString("", "a/b", "c"));
    EXPECT_FALSE(RegistryKey(kBanmen).WriteString("", "\xff", "c"));
    EXPECT_FALSE(std::filesystem::exists(config("")));
}

// --- Values and their types -------------------------------------------

TEST_F(RegistryKeyTest, StringsRoundTrip) {
    std::string every;
    for (int c = 1; c < 128; ++c) {
        every += static_cast<char>(c);
    }
    const std::vector<std::string> texts = {
        "",
        "plain",
        "/home/user/My Projects/game.sgw",
        "  leading and trailing  ",
        "a=b;c,d \"quoted\" \\back\\slash #hash [section]",
        "line\nbreak\r\nand\ttab",
        "sz:looks typed",
        "dword:12",
        "binary:00ff",
        "@Variant(x)",
        "\xe7\x9b\xa4\xe9\x9d\xa2\xe5\xb7\xa5\xe6\x88\xbf",  // 盤面工房
        "\xf0\x9f\x8e\xb2",
        "\x83\x5c\x82\xa0 Shift-JIS bytes",  // not UTF-8: kept byte for byte
        every,
    };
    RegistryKey key(kBanmen);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string name = "s" + std::to_string(i);
        ASSERT_TRUE(key.WriteString("Texts", name, texts[i])) << i;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string name = "s" + std::to_string(i);
        std::string value = "unchanged";
        EXPECT_TRUE(key.ReadString("Texts", name, value)) << i;
        EXPECT_EQ(value, texts[i]) << i;
        RegistryType type = RegistryType::None;
        EXPECT_TRUE(key.ValueType("Texts", name, type));
        EXPECT_EQ(type, RegistryType::String) << i;
    }
}

TEST_F(RegistryKeyTest, StringEndsAtItsFirstNul) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "s", std::string_view("before\0after", 12)));
    std::string value;
    ASSERT_TRUE(key.ReadString("", "s", value));
    EXPECT_EQ(value, "before");
}

TEST_F(RegistryKeyTest, DwordsRoundTrip) {
    RegistryKey key(kBanmen);
    for (const std::uint32_t number : {0u, 1u, 255u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(key.WriteDword("", "n", number));
        std::uint32_t value = number ^ 0x5A5A5A5Au;
        EXPECT_TRUE(key.ReadDword("", "n", value));
        EXPECT_EQ(value, number);
        RegistryType type = RegistryType::None;
        EXPECT_TRUE(key.ValueType("", "n", type));
        EXPECT_EQ(type, RegistryType::Dword);
    }
}

TEST_F(RegistryKeyTest, BinaryRoundTrip) {
    std::vector<std::uint8_t> all(256);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(255 - i);
    }
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteBinary("", "all", all.data(), all.size()));
    ASSERT_TRUE(key.WriteBinary("", "empty", nullptr, 0));
    EXPECT_FALSE(key.WriteBinary("", "bad", nullptr, 3));

    std::vector<std::uint8_t> read;
    EXPECT_TRUE(key.ReadBinary("", "all", read));
    EXPECT_EQ(read, all);
    read = {1, 2, 3};
    EXPECT_TRUE(key.ReadBinary("", "empty", read));
    EXPECT_TRUE(read.empty());
    RegistryType type = RegistryType::None;
    EXPECT_TRUE(key.ValueType("", "empty", type));
    EXPECT_EQ(type, RegistryType::Binary);
    EXPECT_FALSE(key.ValueType("", "bad", type));
}

TEST_F(RegistryKeyTest, CBinaryRoundTrip) {
    const std::uint8_t bytes[] = {0, 0x5C, 0x0A, 0xFF, '=', ';'};
    CBinary owner(bytes, sizeof bytes);
    CBinary view;
    ASSERT_TRUE(view.makeView(owner, 1, 4));
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteBinary("", "view", view));
    ASSERT_TRUE(key.WriteBinary("", "owner", owner));

    CBinary read(10);
    ASSERT_TRUE(key.ReadBinary("", "view", read));
    EXPECT_EQ(std::vector<std::uint8_t>(read.data(), read.data() + read.length()),
              std::vector<std::uint8_t>(bytes + 1, bytes + 5));
    ASSERT_TRUE(key.ReadBinary("", "owner", read));
    EXPECT_EQ(std::vector<std::uint8_t>(read.data(), read.data() + read.length()),
              std::vector<std::uint8_t>(bytes, bytes + sizeof bytes));

    CBinary locked(2);
    locked.lock();
    EXPECT_FALSE(key.ReadBinary("", "owner", locked));
    EXPECT_EQ(locked.length(), 2u);
}

TEST_F(RegistryKeyTest, ReadsOfAnotherTypeFailAndLeaveTheOutput) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "text", "12"));
    ASSERT_TRUE(key.WriteDword("", "number", 12));
    ASSERT_TRUE(key.WriteBinary("", "bytes", "12", 2));

    std::uint32_t number = 99;
    EXPECT_FALSE(key.ReadDword("", "text", number));
    EXPECT_FALSE(key.ReadDword("", "bytes", number));
    EXPECT_EQ(number, 99u);
    std::string text = "default";
    EXPECT_FALSE(key.ReadString("", "number", text));
    EXPECT_FALSE(key.ReadString("", "bytes", text));
    EXPECT_FALSE(key.ReadString("", "missing", text));
    EXPECT_FALSE(key.ReadString("Missing\\Key", "text", text));
    EXPECT_EQ(text, "default");
    std::vector<std::uint8_t> bytes = {7};
    EXPECT_FALSE(key.ReadBinary("", "text", bytes));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{7});
}

TEST_F(RegistryKeyTest, OverwritingChangesTheType) {
    RegistryKey key(kBanmen);
    RegistryType type = RegistryType::None;
    ASSERT_TRUE(key.WriteString("", "v", "text"));
    ASSERT_TRUE(key.WriteDword("", "v", 3));
    EXPECT_TRUE(key.ValueType("", "v", type));
    EXPECT_EQ(type, RegistryType::Dword);
    ASSERT_TRUE(key.WriteBinary("", "v", "ab", 2));
    EXPECT_TRUE(key.ValueType("", "v", type));
    EXPECT_EQ(type, RegistryType::Binary);
    std::string text;
    EXPECT_FALSE(key.ReadString("", "v", text));
}

TEST_F(RegistryKeyTest, HandWrittenValues) {
    put(config("MOEGI/Banmen.conf"),
        "[General]\n"
        "Plain=/home/me/pictures\n"
        "Typed=dword:42\n"
        "Big=dword:4294967296\n"
        "Signed=dword:-1\n"
        "Hex=dword:0x10\n"
        "OddHex=binary:abc\n"
        "BadHex=binary:zz\n"
        "UpperHex=binary:ABcd\n"
        "BadSzHex=sz-hex:4\n"
        "List=a, b\n");
    RegistryKey key(kBanmen);
    std::string text;
    EXPECT_TRUE(key.ReadString("", "Plain", text));
    EXPECT_EQ(text, "/home/me/pictures");
    std::uint32_t number = 0;
    EXPECT_TRUE(key.ReadDword("", "Typed", number));
    EXPECT_EQ(number, 42u);
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(key.ReadBinary("", "UpperHex", bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xAB, 0xCD}));
    RegistryType type = RegistryType::None;
    for (const char* name : {"Big", "Signed", "Hex", "OddHex", "BadHex", "BadSzHex", "List"}) {
        EXPECT_FALSE(key.ValueType("", name, type)) << name;
        text = "default";
        EXPECT_FALSE(key.ReadString("", name, text)) << name;
        EXPECT_EQ(text, "default");
    }
}

TEST_F(RegistryKeyTest, UnnamedValueAndGroupsOfTheSameName) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "", "unnamed"));
    ASSERT_TRUE(key.WriteString("", "Twin", "value"));
    ASSERT_TRUE(key.WriteString("Twin", "inner", "subkey value"));
    std::string text;
    EXPECT_TRUE(key.ReadString("", "", text));
    EXPECT_EQ(text, "unnamed");
    EXPECT_TRUE(key.ReadString("", "Twin", text));
    EXPECT_EQ(text, "value");
    EXPECT_TRUE(key.ReadString("Twin", "inner", text));
    EXPECT_EQ(text, "subkey value");
}

TEST_F(RegistryKeyTest, MissingFileReadsNothingAndCreatesNothing) {
    RegistryKey key(kBanmen);
    std::string text = "default";
    std::uint32_t number = 1;
    std::vector<std::uint8_t> bytes = {1};
    RegistryType type = RegistryType::Dword;
    EXPECT_FALSE(key.ReadString("", "BuildFolder", text));
    EXPECT_FALSE(key.ReadDword("", "bMapGrid", number));
    EXPECT_FALSE(key.ReadBinary("", "x", bytes));
    EXPECT_FALSE(key.ValueType("", "x", type));
    EXPECT_FALSE(key.KeyExists(""));
    EXPECT_FALSE(key.DeleteValue("", "x"));
    EXPECT_EQ(text, "default");
    EXPECT_EQ(number, 1u);
    EXPECT_EQ(type, RegistryType::Dword);
    EXPECT_FALSE(std::filesystem::exists(config("")));
}

// --- Keys ---------------------------------------------------------------

TEST_F(RegistryKeyTest, KeyExistsAtEveryDepth) {
    RegistryKey moegi("HKEY_CURRENT_USER\\Software\\MOEGI");
    EXPECT_FALSE(moegi.KeyExists(""));
    ASSERT_TRUE(RegistryKey(kBanmen).WriteString("ResentWorkspaces\\Deeper", "a", "b"));
    EXPECT_TRUE(moegi.KeyExists(""));
    EXPECT_TRUE(moegi.KeyExists("Banmen"));
    EXPECT_TRUE(moegi.KeyExists("Banmen\\ResentWorkspaces"));
    EXPECT_TRUE(moegi.KeyExists("Banmen\\ResentWorkspaces\\Deeper"));
    EXPECT_FALSE(moegi.KeyExists("Banmen\\ResentWorkspaces\\Other"));
    EXPECT_FALSE(moegi.KeyExists("Banmen\\Other"));
    EXPECT_FALSE(moegi.KeyExists("Sugoroku"));
    // A folder without settings files is no key.
    std::filesystem::create_directories(config("Empty"));
    EXPECT_FALSE(RegistryKey("HKEY_CURRENT_USER\\Software\\Empty").KeyExists(""));
}

TEST_F(RegistryKeyTest, DeleteValueTakesOnlyTheValue) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "Twin", "value"));
    ASSERT_TRUE(key.WriteString("Twin", "inner", "kept"));
    ASSERT_TRUE(key.WriteDword("", "other", 3));
    EXPECT_TRUE(key.DeleteValue("", "Twin"));
    RegistryType type = RegistryType::None;
    EXPECT_FALSE(key.ValueType("", "Twin", type));
    std::string text;
    EXPECT_TRUE(key.ReadString("Twin", "inner", text));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(key.ValueType("", "other", type));
    EXPECT_FALSE(key.DeleteValue("", "Twin"));  // already gone
    EXPECT_FALSE(key.DeleteValue("", "never"));
    // The key stays, empty, while its file does.
    EXPECT_TRUE(key.DeleteValue("", "other"));
    EXPECT_TRUE(key.KeyExists(""));
}

TEST_F(RegistryKeyTest, DeleteKeyGuardList) {
    // Rootless paths below take the current user as their root.
    RegistryKey key(kBanmen, RegistryRoot::CurrentUser);
    ASSERT_TRUE(key.WriteDword("", "bMapLock", 1));
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\System\\X").WriteDword("", "a", 1));
    ASSERT_TRUE(RegistryKey("HKEY_CLASSES_ROOT\\CLSID\\X").WriteDword("", "a", 1));
    const std::string before = contents(config("MOEGI/Banmen.conf"));
    for (const char* path : {"HKEY_CURRENT_USER\\Software",
                             "hkey_current_user\\SOFTWARE",
                             "HKEY_CURRENT_USER\\software\\",
                             "HKEY_CURRENT_USER\\\\Software",
                             "HKEY_CURRENT_USER\\.Default",
                             "HKEY_CURRENT_USER\\Security",
                             "HKEY_CURRENT_USER\\System",
                             "HKEY_CURRENT_USER\\Network",
                             "HKEY_CLASSES_ROOT\\CLSID",
                             "HKEY_CLASSES_ROOT\\clsid",
                             "HKEY_CURRENT_USER\\Hardware",
                             "HKEY_CURRENT_USER\\EUDC",
                             "HKEY_CURRENT_USER\\Control Panel",
                             "HKEY_CURRENT_USER\\control panel",
                             "HKEY_CURRENT_USER\\AppEvent",
                             "HKEY_CURRENT_USER",
                             "HKEY_CURRENT_USER\\",
                             "HKEY_CURRENT_USER\\\\",
                             "HKEY_CLASSES_ROOT",
                             "",
                             "\\",
                             "Software",
                             "software\\",
                             "Control Panel"}) {
        EXPECT_FALSE(key.DeleteKey(path)) << path;
    }
    EXPECT_EQ(contents(config("MOEGI/Banmen.conf")), before);
    EXPECT_TRUE(RegistryKey("HKEY_CURRENT_USER\\System").KeyExists("X"));
    EXPECT_TRUE(RegistryKey("HKEY_CLASSES_ROOT\\CLSID").KeyExists("X"));
    // Only the names themselves are guarded, not the keys below them.
    EXPECT_TRUE(key.DeleteKey("HKEY_CURRENT_USER\\System\\X"));
    EXPECT_TRUE(key.DeleteKey("HKEY_CLASSES_ROOT\\CLSID\\X"));
    EXPECT_FALSE(RegistryKey("HKEY_CLASSES_ROOT\\CLSID").KeyExists("X"));
}

TEST_F(RegistryKeyTest, DeleteKeyTakesTheProgramKeyWithItsSubkeys) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "BuildFolder", "/out"));
    ASSERT_TRUE(key.WriteString("ResentWorkspaces", "Project1", "/a.sgw"));
    ASSERT_TRUE(key.WriteString("ResentWorkspaces\\Deeper", "x", "y"));
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\MOEGI\\Sugoroku")
                    .WriteString("", "DefImageFolder", "/img"));
    EXPECT_TRUE(key.DeleteKey("HKEY_CURRENT_USER\\Software\\MOEGI\\Banmen"));
    EXPECT_FALSE(key.KeyExists(""));
    EXPECT_FALSE(key.KeyExists("ResentWorkspaces"));
    EXPECT_FALSE(test::exists(config("MOEGI/Banmen.conf")));
    std::string text;
    EXPECT_FALSE(key.ReadString("ResentWorkspaces", "Project1", text));
    // The sibling key is untouched.
    EXPECT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\MOEGI\\Sugoroku")
                    .ReadString("", "DefImageFolder", text));
    EXPECT_EQ(text, "/img");
    EXPECT_FALSE(key.DeleteKey(kBanmen));  // nothing left to delete
}

TEST_F(RegistryKeyTest, DeleteKeyOfAGroupKeepsAValueOfTheSameName) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteString("", "ResentWorkspaces", "a value"));
    ASSERT_TRUE(key.WriteString("ResentWorkspaces", "Project1", "/a.sgw"));
    ASSERT_TRUE(key.WriteString("ResentWorkspaces\\Deeper", "x", "y"));
    EXPECT_TRUE(key.DeleteKey(std::string(kBanmen) + "\\ResentWorkspaces"));
    EXPECT_FALSE(key.KeyExists("ResentWorkspaces"));
    EXPECT_FALSE(key.KeyExists("ResentWorkspaces\\Deeper"));
    std::string text;
    EXPECT_TRUE(key.ReadString("", "ResentWorkspaces", text));
    EXPECT_EQ(text, "a value");
}

TEST_F(RegistryKeyTest, DeleteKeyOnAValuePathDeletesTheValue) {
    RegistryKey key(kBanmen);
    ASSERT_TRUE(key.WriteDword("", "bMapGrid", 0));
    ASSERT_TRUE(key.WriteDword("", "bMapLock", 1));
    ASSERT_TRUE(key.WriteString("ResentWorkspaces", "Project2", "/b.sgw"));
    EXPECT_TRUE(key.DeleteKey(std::string(kBanmen) + "\\bMapGrid"));
    EXPECT_TRUE(key.DeleteKey(std::string(kBanmen) + "\\ResentWorkspaces\\Project2"));
    RegistryType type = RegistryType::None;
    EXPECT_FALSE(key.ValueType("", "bMapGrid", type));
    EXPECT_FALSE(key.ValueType("ResentWorkspaces", "Project2", type));
    EXPECT_TRUE(key.ValueType("", "bMapLock", type));
    EXPECT_FALSE(key.DeleteKey(std::string(kBanmen) + "\\bMapGrid"));
    EXPECT_FALSE(key.DeleteKey("HKEY_CURRENT_USER\\NoSuchValue"));
}

TEST_F(RegistryKeyTest, DeleteKeyOfAFirstLevelKeyTakesOnlyItsSettingsFiles) {
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\MOEGI").WriteDword("", "own", 1));
    ASSERT_TRUE(RegistryKey(kBanmen).WriteDword("", "bMapGrid", 1));
    ASSERT_TRUE(RegistryKey("HKEY_CURRENT_USER\\Software\\MOEGI\\Sugoroku").WriteDword("", "a", 1));
    put(config("MOEGI/notes.txt"), "not a key");
    EXPECT_TRUE(RegistryKey(kBanmen).DeleteKey("HKEY_CURRENT_USER\\Software\\MOEGI"));
    EXPECT_FALSE(test::exists(config("MOEGI.conf")));
    EXPECT_FALSE(test::exists(config("MOEGI/Banmen.conf")));
    EXPECT_FALSE(test::exists(config("MOEGI/Sugoroku.conf")));
    EXPECT_TRUE(test::exists(config("MOEGI/notes.txt")));
    EXPECT_FALSE(RegistryKey("HKEY_CURRENT_USER\\Software\\MOEGI").KeyExists(""));

    ASSERT_TRUE(RegistryKey(kBanmen).WriteDword("", "bMapGrid", 1));
    std::filesystem::remove(config("MOEGI/notes.txt"));
    EXPECT_TRUE(RegistryKey(kBanmen).DeleteKey("HKEY_CURRENT_USER\\Software\\MOEGI"));
    EXPECT_FALSE(std::filesystem::exists(config("MOEGI")));  // emptied, so removed
}

// --- Files that do not parse --------------------------------------------

class BrokenSettingsFile : public RegistryKeyTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(BrokenSettingsFile, ReadsGiveDefaultsAndWritesLeaveTheFileAlone) {
    const std::string file = config("MOEGI/Banmen.conf");
    put(file, GetParam());
    const std::string before = contents(file);
    RegistryKey key(kBanmen);
    // Twice: the second round must find the file as broken as the first.
    for (int round = 0; round < 2; ++round) {
        std::uint32_t grid = 1;
        EXPECT_FALSE(key.ReadDword("", "bMapGrid", grid));
        EXPECT_EQ(grid, 1u);
        std::string text = "default";
        EXPECT_FALSE(key.ReadString("", "BuildFolder", text));
        EXPECT_EQ(text, "default");
        EXPECT_FALSE(key.KeyExists("Group"));
        EXPECT_FALSE(key.WriteDword("", "bMapGrid", 0));
        EXPECT_FALSE(key.WriteString("Group", "x", "y"));
        EXPECT_FALSE(key.DeleteValue("", "BuildFolder"));
        EXPECT_FALSE(key.DeleteKey(std::string(kBanmen) + "\\Group"));
        EXPECT_EQ(contents(file), before) << "round " << round;
        EXPECT_FALSE(test::exists(file + ".lock"));
    }
    // Once mended, the file is written again.
    put(file, "[General]\nBuildFolder=sz:/mended\n");
    EXPECT_TRUE(key.WriteDword("", "bMapGrid", 0));
    std::string text;
    EXPECT_TRUE(key.ReadString("", "BuildFolder", text));
    EXPECT_EQ(text, "/mended");
    // A deliberate DeleteKey still removes a broken file as a whole.
    put(file, GetParam());
    EXPECT_TRUE(key.DeleteKey(kBanmen));
    EXPECT_FALSE(test::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, BrokenSettingsFile,
    ::testing::Values(
        // A line without "=" at the top level.
        "[General]\nBuildFolder=sz:/out\nthis line is no setting\nbMapGrid=dword:1\n",
        // A section header without its closing bracket.
        "[General]\nBuildFolder=sz:/out\n[Group\nx=sz:y\n",
        // A bad line in a later section only.
        "[General]\nBuildFolder=sz:/out\n[Group]\nx=sz:y\ngarbage\n",
        // Binary noise.
        "\x01\x02\x03\xff\xfe garbage \x7f\n\x80\x81"));

TEST_F(RegistryKeyTest, ABrokenFileSpoilsNoOtherFile) {
    put(config("MOEGI/Sugoroku.conf"), "[General\nDefImageFolder=sz:/x\n");
    EXPECT_TRUE(RegistryKey(kBanmen).WriteDword("", "bMapGrid", 0));
    std::uint32_t grid = 1;
    EXPECT_TRUE(RegistryKey(kBanmen).ReadDword("", "bMapGrid", grid));
    EXPECT_EQ(grid, 0u);
}

// --- Two programs at once -----------------------------------------------

// Each child writes its own values into the same file, one short operation
// after another, starting together; the values of both must all be there.
TEST_F(RegistryKeyTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 40;
    ASSERT_TRUE(RegistryKey(kBanmen).WriteDword("", "before", 1));
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (const char* prefix : {"First", "Second"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(gate[1]);
            char go = 0;
            (void)read(gate[0], &go, 1);  // returns when the parent closes its end
            RegistryKey key(kBanmen);
            int failures = 0;
            for (int i = 0; i < kWrites; ++i) {
                const std::string name = std::string(prefix) + std::to_string(i);
                failures += key.WriteDword("", name, static_cast<std::uint32_t>(i)) ? 0 : 1;
                failures += key.WriteString("Shared", name, name) ? 0 : 1;
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    close(gate[0]);
    close(gate[1]);
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a child saw a write fail";
    }
    RegistryKey key(kBanmen);
    std::uint32_t before = 0;
    EXPECT_TRUE(key.ReadDword("", "before", before));
    for (const char* prefix : {"First", "Second"}) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = std::string(prefix) + std::to_string(i);
            std::uint32_t value = 9999;
            EXPECT_TRUE(key.ReadDword("", name, value)) << name;
            EXPECT_EQ(value, static_cast<std::uint32_t>(i)) << name;
            std::string text;
            EXPECT_TRUE(key.ReadString("Shared", name, text)) << name;
            EXPECT_EQ(text, name);
        }
    }
    EXPECT_FALSE(test::exists(config("MOEGI/Banmen.conf.lock")));
}

}  // namespace
}  // namespace banmen
