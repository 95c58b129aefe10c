// "banmen-cli probe" on pictures: what it prints, and the one failure line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/dib_bitmap.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::TempDir;
using Result = test::CliResult;

Result probe(const std::vector<std::string>& args) {
    std::vector<std::string> words = {"probe"};
    words.insert(words.end(), args.begin(), args.end());
    return test::runCli(words);
}

TEST(ProbeCli, PictureSizesDepthAndColours) {
    TempDir dir;
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 150, 115));
    ASSERT_TRUE(bitmap.SaveFile(dir.file("square.bmp")));
    const Result plain = probe({dir.file("square.bmp")});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, "width: 150\nheight: 115\ndepth: 8\ncolours: 256\n");
    EXPECT_EQ(plain.err, "");

    ASSERT_TRUE(bitmap.Create(24, 3, 2));
    ASSERT_TRUE(bitmap.SaveFile(dir.file("true.bmp")));
    const Result json = probe({"--json", dir.file("true.bmp")});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"width\":3,\"height\":2,\"depth\":24,\"colours\":16777216}\n");
}

TEST(ProbeCli, FailureIsOneLineWithTheReason) {
    TempDir dir;
    test::writeText(dir.file("fake.bmp"), "GIF89a, not a BMP at all");
    const std::string fake = dir.file("fake.bmp");
    const Result result = probe({fake});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "banmen-cli: " + fake + ": not a BMP file (no \"BM\" signature)\n");

    const std::string missing = dir.file("missing.bmp");
    const Result none = probe({missing});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "banmen-cli: " + missing + ": file not found\n");
}

TEST(ProbeCli, WrongUsage) {
    EXPECT_EQ(probe({}).exitCode, 2);
    EXPECT_EQ(probe({"a.bmp", "b.bmp"}).exitCode, 2);
    EXPECT_EQ(probe({"--xml", "a.bmp"}).exitCode, 2);
}

}  // namespace
}  // namespace banmen
