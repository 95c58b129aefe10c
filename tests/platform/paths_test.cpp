#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace banmen {
namespace {

// "ソ" in Shift-JIS: its second byte is "\".
const std::string kSo = "\x83\x5C";

std::string normalized(std::string text) {
    return path::NormalizePath(text) ? text : "<failed>";
}

std::string normalizedStored(std::string text) {
    return sjispath::NormalizePath(text) ? text : "<failed>";
}

TEST(NativePathNormalize, QuotesBlanksAndDoubledSeparators) {
    EXPECT_EQ(normalized("  \"/home//user///a.txt\"  "), "/home/user/a.txt");
    EXPECT_EQ(normalized("\t/a/\"b\"/c\r\n"), "/a/b/c");
    EXPECT_EQ(normalized("//a"), "/a");
    EXPECT_EQ(normalized("a/b/"), "a/b/");
    EXPECT_EQ(normalized("/a/\"/\"/b"), "/a/b");  // runs joined by a removed quote
    EXPECT_EQ(normalized("\" /a \""), "/a");      // blanks inside the quotes go too
}

TEST(NativePathNormalize, EmptyResultFails) {
    for (const char* text : {"", "   ", "\"\"", " \" \" "}) {
        std::string path = text;
        EXPECT_FALSE(path::NormalizePath(path)) << text;
        EXPECT_TRUE(path.empty());
    }
}

TEST(NativePathNormalize, BackslashesAreOrdinaryCharacters) {
    EXPECT_EQ(normalized("/a\\\\b"), "/a\\\\b");
}

TEST(NativePathSplit, Parts) {
    EXPECT_EQ(path::PathFolder("/a/b.tar.gz"), "/a");
    EXPECT_EQ(path::PathFileName("/a/b.tar.gz"), "b.tar.gz");
    EXPECT_EQ(path::PathTitle("/a/b.tar.gz"), "b.tar");
    EXPECT_EQ(path::PathExtension("/a/b.tar.gz"), ".gz");
    EXPECT_EQ(path::PathFolder("\"/a//b.txt\""), "/a");  // split after normalising
}

TEST(NativePathSplit, RootAndTrailingSeparator) {
    EXPECT_EQ(path::PathFolder("/x"), "/");
    EXPECT_EQ(path::PathFileName("/x"), "x");
    EXPECT_EQ(path::PathFolder("/a/"), "/a");
    std::string name = "unchanged";
    EXPECT_TRUE(path::PathFileName("/a/", name));
    EXPECT_EQ(name, "");
}

TEST(NativePathSplit, MissingSeparatorFails) {
    std::string out = "unchanged";
    EXPECT_FALSE(path::PathFolder("b.txt", out));
    EXPECT_FALSE(path::PathFileName("b.txt", out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(path::PathFolder("b.txt"), "");
    EXPECT_FALSE(path::PathFolder("   ", out));
    // Title and extension need only the dot.
    EXPECT_EQ(path::PathExtension("b.txt"), ".txt");
    EXPECT_EQ(path::PathTitle("b.txt"), "b");
}

TEST(NativePathSplit, DotsOutsideTheFileNameDoNotCount) {
    std::string out = "unchanged";
    EXPECT_FALSE(path::PathExtension("/a.dir/b", out));
    EXPECT_FALSE(path::PathTitle("/a.dir/b", out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(path::PathTitle("/a/.hidden"), "");
    EXPECT_EQ(path::PathExtension("/a/.hidden"), ".hidden");
    EXPECT_EQ(path::PathExtension("/a/b."), ".");
}

TEST(NativePathSplit, Utf8NamesWithManyBytes) {
    // Half-width katakana and "ā" hold UTF-8 bytes in 0x80..0x9F, which are
    // Shift-JIS lead bytes: a scanner skipping "second bytes" would swallow the "/".
    const std::string path = "/tmp/ﾜｰｸｽﾍﾟｰｽ/ā/所持金ソ.sgw";
    EXPECT_EQ(normalized(path), path);
    EXPECT_EQ(path::PathFolder(path), "/tmp/ﾜｰｸｽﾍﾟｰｽ/ā");
    EXPECT_EQ(path::PathFolder("/tmp/ﾜｰｸｽﾍﾟｰｽ/x"), "/tmp/ﾜｰｸｽﾍﾟｰｽ");
    EXPECT_EQ(path::PathFileName(path), "所持金ソ.sgw");
    EXPECT_EQ(path::PathTitle(path), "所持金ソ");
    EXPECT_EQ(path::PathExtension(path), ".sgw");
    EXPECT_EQ(normalized("/ā//ﾜ//x"), "/ā/ﾜ/x");
}

TEST(NativePathAbsolute, RelativePathsStartAtTheWorkingFolderAndDotsGo) {
    const std::string here = std::filesystem::current_path().string();
    ASSERT_NE(here, "/");
    EXPECT_EQ(path::AbsolutePath("a/../b/./c"), here + "/b/c");
    EXPECT_EQ(path::AbsolutePath("."), here + "/");
    EXPECT_EQ(path::AbsolutePath(" \"/x//y/../z\" "), "/x/z");
    EXPECT_EQ(path::AbsolutePath("/x/y/"), "/x/y/");  // the trailing "/" stays
    EXPECT_EQ(path::AbsolutePath("/../.."), "/");
    EXPECT_EQ(path::AbsolutePath(" \"\" "), "");
}

TEST(NativePathJoin, OneSeparatorBetween) {
    EXPECT_EQ(path::PathJoin("/a", "b"), "/a/b");
    EXPECT_EQ(path::PathJoin("/a/", "/b"), "/a/b");
    EXPECT_EQ(path::PathJoin("/", "b"), "/b");
    EXPECT_EQ(path::PathJoin("", "b"), "b");  // stays relative
    EXPECT_EQ(path::PathJoin("/a", ""), "/a/");
    EXPECT_EQ(path::PathJoin("  ", "b"), "b");
    EXPECT_EQ(path::PathJoin("  ", " "), "");
}

TEST(NativePathExtension, ComparesWithoutAsciiCase) {
    EXPECT_TRUE(path::sameExtension(".SGW", ".sgw"));
    EXPECT_TRUE(path::sameExtension(".Mp3", ".mP3"));
    EXPECT_FALSE(path::sameExtension(".sgw", ".sgp"));
    EXPECT_FALSE(path::sameExtension(".sgw", ".sgw2"));
    EXPECT_FALSE(path::sameExtension(".[", ".{"));  // 0x5B is not "{" lowered
}

TEST(StoredPathNormalize, DoubledBackslashesInQuotes) {
    EXPECT_EQ(normalizedStored("\"C:\\\\Data\\\\\\\\a.sgw\""), "C:\\Data\\a.sgw");
    EXPECT_EQ(normalizedStored("  C:\\x\\\\  "), "C:\\x\\");
}

TEST(StoredPathNormalize, LongPathPrefixAndNetworkNames) {
    EXPECT_EQ(normalizedStored("\\\\?\\C:\\\\x"), "C:\\x");
    EXPECT_EQ(normalizedStored("\\\\server\\\\share\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(normalizedStored("\\\\\\server\\x"), "\\\\server\\x");
    EXPECT_EQ(normalizedStored("\\x"), "\\x");
}

TEST(StoredPathNormalize, SlashesAreOrdinaryCharacters) {
    EXPECT_EQ(normalizedStored("a//b"), "a//b");
}

TEST(StoredPathSo, SurvivesNormalisation) {
    // The "\" after "ソ" is a separator of its own, which the run rule must
    // not merge with the second byte of "ソ".
    const std::string raw = "\"C:\\\\Games\\" + kSo + "\\\\\\" + kSo + ".sgw\"";
    EXPECT_EQ(normalizedStored(raw), "C:\\Games\\" + kSo + "\\" + kSo + ".sgw");
    EXPECT_EQ(normalizedStored(kSo + kSo), kSo + kSo);
}

TEST(StoredPathSo, SurvivesSplitting) {
    const std::string path = "C:\\Games\\" + kSo + "\\" + kSo + ".sgw";
    EXPECT_EQ(sjispath::PathFolder(path), "C:\\Games\\" + kSo);
    EXPECT_EQ(sjispath::PathFileName(path), kSo + ".sgw");
    EXPECT_EQ(sjispath::PathTitle(path), kSo);
    EXPECT_EQ(sjispath::PathExtension(path), ".sgw");
    // A folder name ending in "ソ" is not a trailing separator.
    EXPECT_EQ(sjispath::PathFolder("C:\\dir" + kSo), "C:");
    EXPECT_EQ(sjispath::PathFileName("C:\\dir" + kSo), "dir" + kSo);
    std::string out = "unchanged";
    EXPECT_FALSE(sjispath::PathFolder("dir" + kSo, out));
    EXPECT_EQ(out, "unchanged");
}

TEST(StoredPathSo, SurvivesJoining) {
    EXPECT_EQ(sjispath::PathJoin("C:\\x" + kSo, "y"), "C:\\x" + kSo + "\\y");
    EXPECT_EQ(sjispath::PathJoin("C:\\x\\", "\\y"), "C:\\x\\y");
    EXPECT_EQ(sjispath::PathJoin("", kSo), kSo);
}

TEST(StoredPathSplit, RootForms) {
    EXPECT_EQ(sjispath::PathFolder("C:\\x"), "C:");
    std::string out = "unchanged";
    EXPECT_TRUE(sjispath::PathFolder("\\x", out));
    EXPECT_EQ(out, "");  // no special root folder in this syntax
}

TEST(StoredPathSplit, LoneLeadByteAtTheEnd) {
    const std::string path = "C:\\a\\b\x83";
    EXPECT_EQ(normalizedStored(path), path);
    EXPECT_EQ(sjispath::PathFileName(path), "b\x83");
}

TEST(StoredPathParts, SplitsAtRealSeparatorsOnly) {
    using Parts = std::vector<std::string>;
    EXPECT_EQ(sjispath::splitParts("Image Files\\" + kSo + ".bmp"),
              (Parts{"Image Files", kSo + ".bmp"}));
    EXPECT_EQ(sjispath::splitParts(kSo + "\\" + kSo), (Parts{kSo, kSo}));
    EXPECT_EQ(sjispath::splitParts("\\a\\\\b\\"), (Parts{"a", "b"}));
    EXPECT_EQ(sjispath::splitParts(kSo), (Parts{kSo}));
    EXPECT_TRUE(sjispath::splitParts("").empty());
    EXPECT_TRUE(sjispath::splitParts("\\\\").empty());
}

}  // namespace
}  // namespace banmen
