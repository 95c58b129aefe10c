// "banmen-cli probe" on pictures: what it prints, and the one failure line.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "media/dib_bitmap.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using test::TempDir;

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string text(const std::string& path) {
    const std::vector<std::uint8_t> bytes = test::readBytes(path);
    return {bytes.begin(), bytes.end()};
}

Result probe(const TempDir& dir, const std::string& arguments) {
    const std::string command = std::string("'") + BANMEN_BIN_DIR + "/banmen-cli' probe " +
                                arguments + " >'" + dir.file("out") + "' 2>'" + dir.file("err") +
                                "'";
    const int status = std::system(command.c_str());
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = text(dir.file("out"));
    result.err = text(dir.file("err"));
    return result;
}

TEST(ProbeCli, PictureSizesDepthAndColours) {
    TempDir dir;
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 150, 115));
    ASSERT_TRUE(bitmap.SaveFile(dir.file("square.bmp")));
    const Result plain = probe(dir, "'" + dir.file("square.bmp") + "'");
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, "width: 150\nheight: 115\ndepth: 8\ncolours: 256\n");
    EXPECT_EQ(plain.err, "");

    ASSERT_TRUE(bitmap.Create(24, 3, 2));
    ASSERT_TRUE(bitmap.SaveFile(dir.file("true.bmp")));
    const Result json = probe(dir, "--json '" + dir.file("true.bmp") + "'");
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"width\":3,\"height\":2,\"depth\":24,\"colours\":16777216}\n");
}

TEST(ProbeCli, FailureIsOneLineWithTheReason) {
    TempDir dir;
    test::writeText(dir.file("fake.bmp"), "GIF89a, not a BMP at all");
    const std::string fake = dir.file("fake.bmp");
    const Result result = probe(dir, "'" + fake + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "banmen-cli: " + fake + ": not a BMP file (no \"BM\" signature)\n");

    const std::string missing = dir.file("missing.bmp");
    const Result none = probe(dir, "'" + missing + "'");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "banmen-cli: " + missing + ": file not found\n");
}

TEST(ProbeCli, WrongUsage) {
    TempDir dir;
    EXPECT_EQ(probe(dir, "").exitCode, 2);
    EXPECT_EQ(probe(dir, "a.bmp b.bmp").exitCode, 2);
    EXPECT_EQ(probe(dir, "--xml a.bmp").exitCode, 2);
}

}  // namespace
}  // namespace banmen
