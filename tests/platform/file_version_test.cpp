#include "platform/file_version.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/base_folder.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using Version = std::array<int, 4>;

Version parsed(std::string_view text) {
    Version out{-1, -1, -1, -1};
    EXPECT_TRUE(parseVersionString(text, out)) << text;
    return out;
}

TEST(VersionString, DotsAndCommasGiveTheSameNumbers) {
    EXPECT_EQ(parsed("10.0.0.1"), (Version{10, 0, 0, 1}));
    EXPECT_EQ(parsed("10, 0, 0, 1"), (Version{10, 0, 0, 1}));
    EXPECT_EQ(parsed(" 10 ,\t0,,0 ;1 "), (Version{10, 0, 0, 1}));
}

TEST(VersionString, AnythingButDigitsSeparates) {
    EXPECT_EQ(parsed("v2-beta7"), (Version{2, 7, 0, 0}));
    EXPECT_EQ(parsed("010.002"), (Version{10, 2, 0, 0}));
    EXPECT_EQ(parsed("1.2.3.4.5.6"), (Version{1, 2, 3, 4}));
    EXPECT_EQ(parsed("１.2"), (Version{2, 0, 0, 0}));  // full-width digits are no digits
}

TEST(VersionString, HugeNumbersSaturate) {
    EXPECT_EQ(parsed("99999999999999999999999.1"), (Version{INT_MAX, 1, 0, 0}));
}

TEST(VersionString, NoNumberFails) {
    Version out{7, 7, 7, 7};
    EXPECT_FALSE(parseVersionString("", out));
    EXPECT_FALSE(parseVersionString("version", out));
    EXPECT_EQ(out, (Version{7, 7, 7, 7}));
}

TEST(FileVersion, ThisProgramCarriesTheBuildVersion) {
    EXPECT_STREQ(kProgramFileVersion, "10, 0, 0, 1");
    Version out{};
    ASSERT_TRUE(FileVersion(ModulePath(), out));
    EXPECT_EQ(out, (Version{10, 0, 0, 1}));
}

TEST(FileVersion, OtherFilesHaveNone) {
    test::TempDir dir;
    test::writeText(dir.file("other"), "10, 0, 0, 1");
    Version out{7, 7, 7, 7};
    EXPECT_FALSE(FileVersion(dir.file("other"), out));
    EXPECT_FALSE(FileVersion(dir.file("missing"), out));
    EXPECT_FALSE(FileVersion("", out));
    EXPECT_EQ(out, (Version{7, 7, 7, 7}));
}

}  // namespace
}  // namespace banmen
