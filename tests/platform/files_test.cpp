#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kNoSpace = "No space left on device";

// Lifts the write budget again whatever the test does.
class WriteBudget {
  public:
    explicit WriteBudget(std::int64_t bytes) { setWriteBudgetForTesting(bytes); }
    ~WriteBudget() { setWriteBudgetForTesting(-1); }
    WriteBudget(const WriteBudget&) = delete;
    WriteBudget& operator=(const WriteBudget&) = delete;
};

Bytes randomBytes(std::size_t length, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes bytes(length);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(generator());
    }
    return bytes;
}

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(ErrnoStatus, CarriesTheSystemText) {
    const Status status = errnoStatus(ENOENT);
    EXPECT_FALSE(status.isOk());
    EXPECT_EQ(status.reason(), "No such file or directory");
    EXPECT_EQ(status.withContext("reading a.sgw").reason(),
              "reading a.sgw: No such file or directory");
    EXPECT_FALSE(errnoStatus(0).isOk());
    EXPECT_TRUE(Status::ok().withContext("x").isOk());
}

TEST(ReadWholeFile, ReadsEveryLength) {
    test::TempDir dir;
    for (const std::size_t length : {0u, 1u, 99u, 4095u, 4096u, 4097u, 100000u}) {
        const Bytes bytes = randomBytes(length, static_cast<unsigned>(length));
        test::writeBytes(dir.file("f"), bytes);
        Bytes read;
        ASSERT_TRUE(ReadWholeFile(dir.file("f"), read).isOk()) << length;
        EXPECT_EQ(read, bytes) << length;
    }
}

TEST(ReadWholeFile, FailureLeavesTheOutputAlone) {
    test::TempDir dir;
    Bytes out = {1, 2, 3};
    Status missing = ReadWholeFile(dir.file("missing"), out);
    EXPECT_EQ(missing.reason(), "No such file or directory");
    Status folder = ReadWholeFile(dir.path(), out);
    EXPECT_EQ(folder.reason(), "Is a directory");
    EXPECT_EQ(ReadWholeFile("  ", out).reason(), "empty path");
    EXPECT_EQ(out, (Bytes{1, 2, 3}));
}

TEST(ReadWholeFile, PathIsNormalisedFirst) {
    test::TempDir dir;
    test::writeText(dir.file("a b.txt"), "text");
    Bytes out;
    ASSERT_TRUE(ReadWholeFile(" \"" + dir.path() + "//a b.txt\" ", out).isOk());
    EXPECT_EQ(std::string(out.begin(), out.end()), "text");
}

TEST(WriteWholeFile, LengthZeroLeavesAnEmptyFile) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "old content");
    ASSERT_TRUE(WriteWholeFile(dir.file("f"), nullptr, 0).isOk());
    EXPECT_TRUE(test::exists(dir.file("f")));
    EXPECT_TRUE(test::readBytes(dir.file("f")).empty());
    ASSERT_TRUE(WriteWholeFile(dir.file("new"), "", 0).isOk());
    EXPECT_EQ(FileSize(dir.file("new")), 0);
}

TEST(WriteWholeFile, ReplacesLongerContent) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "a much longer old content");
    ASSERT_TRUE(WriteTextFile(dir.file("f"), "NoWelcome").isOk());
    const Bytes read = test::readBytes(dir.file("f"));
    EXPECT_EQ(std::string(read.begin(), read.end()), "NoWelcome");
}

TEST(WriteWholeFile, MissingFolderFails) {
    test::TempDir dir;
    const Status status = WriteTextFile(dir.file("no/f"), "x");
    EXPECT_EQ(status.reason(), "No such file or directory");
    EXPECT_EQ(WriteWholeFile(dir.file("f"), nullptr, 3).reason(), "Invalid argument");
}

TEST(AppendToFile, CreatesThenAppends) {
    test::TempDir dir;
    ASSERT_TRUE(AppendToFile(dir.file("f"), "ab", 2).isOk());
    ASSERT_TRUE(AppendToFile(dir.file("f"), "cde", 3).isOk());
    ASSERT_TRUE(AppendToFile(dir.file("f"), nullptr, 0).isOk());
    const Bytes read = test::readBytes(dir.file("f"));
    EXPECT_EQ(std::string(read.begin(), read.end()), "abcde");
}

TEST(WriteBudgetHook, WritesWhatFitsThenFails) {
    test::TempDir dir;
    const Bytes bytes = randomBytes(25, 1);
    WriteBudget budget(10);
    const Status status = WriteWholeFile(dir.file("f"), bytes.data(), bytes.size());
    EXPECT_EQ(status.reason(), kNoSpace);
    EXPECT_EQ(test::readBytes(dir.file("f")), Bytes(bytes.begin(), bytes.begin() + 10));
    // Nothing is left, but an empty write needs nothing.
    EXPECT_EQ(AppendToFile(dir.file("f"), "x", 1).reason(), kNoSpace);
    EXPECT_TRUE(WriteWholeFile(dir.file("g"), nullptr, 0).isOk());
}

TEST(WriteBudgetHook, SpansSeveralWrites) {
    test::TempDir dir;
    WriteBudget budget(10);
    ASSERT_TRUE(AppendToFile(dir.file("f"), "123456", 6).isOk());
    EXPECT_EQ(AppendToFile(dir.file("f"), "abcdef", 6).reason(), kNoSpace);
    const Bytes read = test::readBytes(dir.file("f"));
    EXPECT_EQ(std::string(read.begin(), read.end()), "123456abcd");
}

TEST(WriteBudgetHook, TakeWriteBudget) {
    {
        WriteBudget budget(5);
        EXPECT_TRUE(takeWriteBudget(3));
        errno = 0;
        EXPECT_FALSE(takeWriteBudget(3));
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_TRUE(takeWriteBudget(0));
    }
    EXPECT_TRUE(takeWriteBudget(std::size_t{1} << 40));
}

TEST(WriteFileAtomically, CreatesAndReplaces) {
    test::TempDir dir;
    const std::string target = dir.file("ワークスペース.sgw");
    ASSERT_TRUE(WriteFileAtomically(target, "first", 5).isOk());
    ASSERT_TRUE(WriteFileAtomically(target, "second!", 7).isOk());
    const Bytes read = test::readBytes(target);
    EXPECT_EQ(std::string(read.begin(), read.end()), "second!");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
    ASSERT_TRUE(WriteFileAtomically(target, nullptr, 0).isOk());
    EXPECT_EQ(FileSize(target), 0);
}

TEST(WriteFileAtomically, CutAtEveryLengthKeepsTheOldFile) {
    test::TempDir dir;
    const std::string target = dir.file("game.sgw");
    const Bytes old = randomBytes(40, 2);
    const Bytes fresh = randomBytes(64, 3);
    test::writeBytes(target, old);
    for (std::size_t cut = 0; cut < fresh.size(); ++cut) {
        WriteBudget budget(static_cast<std::int64_t>(cut));
        const Status status = WriteFileAtomically(target, fresh.data(), fresh.size());
        EXPECT_EQ(status.reason(), kNoSpace) << cut;
        EXPECT_EQ(test::readBytes(target), old) << cut;
        EXPECT_EQ(entriesIn(dir.path()), 1u) << cut;  // no temporary file left
    }
}

TEST(WriteFileAtomically, LongNameStillGetsATemporaryFile) {
    test::TempDir dir;
    // 250 bytes: ".name.XXXXXX" would pass the 255-byte limit of a name, and
    // the shortened copy must not end inside a "ソ".
    std::string name = std::string(190, 'a');
    for (int i = 0; i < 15; ++i) {
        name += "ソ";
    }
    name += std::string(11, 'x') + ".sgw";
    ASSERT_EQ(name.size(), 250u);
    ASSERT_TRUE(WriteFileAtomically(dir.file(name), "x", 1).isOk());
    EXPECT_EQ(FileSize(dir.file(name)), 1);
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    // The name the temporary file gets: "." + a cut of the name + "." + six
    // letters, within 255 bytes, the cut at the end of a whole "ソ" (byte 199).
    const std::string temporary = temporaryNameFor(name);
    ASSERT_EQ(temporary.size(), 1 + 199 + 1 + 6);
    EXPECT_EQ(temporary.substr(0, 200), "." + name.substr(0, 199));
    EXPECT_EQ(temporary[200], '.');
    EXPECT_TRUE(sjis::fromUtf8(temporary.substr(1, 199)).has_value());
}

TEST(WriteFileAtomically, FolderAsTargetFailsCleanly) {
    test::TempDir dir;
    ASSERT_TRUE(std::filesystem::create_directory(dir.file("sub")));
    test::writeText(dir.file("sub/inner"), "keep");
    const Status status = WriteFileAtomically(dir.file("sub"), "x", 1);
    EXPECT_FALSE(status.isOk());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("sub")));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
    EXPECT_FALSE(WriteFileAtomically(dir.file("missing/f"), "x", 1).isOk());
    EXPECT_FALSE(WriteFileAtomically(dir.path() + "/", "x", 1).isOk());
}

TEST(RandomNameSuffix, SixLettersOrDigitsThatVary) {
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string suffix = randomNameSuffix();
        ASSERT_EQ(suffix.size(), 6u);
        for (char c : suffix) {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << suffix;
        }
        seen.insert(suffix);
    }
    EXPECT_GT(seen.size(), 45u);  // 62^6 names: repeats are all but impossible
}

TEST(CopyFile, CopiesAcrossBufferBoundaries) {
    test::TempDir dir;
    const Bytes bytes = randomBytes(200000, 4);
    test::writeBytes(dir.file("a"), bytes);
    test::writeText(dir.file("b"), "longer old content that must go");
    ASSERT_TRUE(CopyFile(dir.file("a"), dir.file("b")).isOk());
    EXPECT_EQ(test::readBytes(dir.file("b")), bytes);
    test::writeBytes(dir.file("empty"), {});
    ASSERT_TRUE(CopyFile(dir.file("empty"), dir.file("c")).isOk());
    EXPECT_EQ(FileSize(dir.file("c")), 0);
}

TEST(CopyFile, RefusesToCopyAFileOntoItself) {
    test::TempDir dir;
    test::writeText(dir.file("a"), "precious");
    EXPECT_FALSE(CopyFile(dir.file("a"), dir.path() + "//./a").isOk());
    std::filesystem::create_hard_link(dir.file("a"), dir.file("link"));
    EXPECT_FALSE(CopyFile(dir.file("a"), dir.file("link")).isOk());
    const Bytes read = test::readBytes(dir.file("a"));
    EXPECT_EQ(std::string(read.begin(), read.end()), "precious");
}

TEST(CopyFile, FailuresLeaveNoDestination) {
    test::TempDir dir;
    EXPECT_EQ(CopyFile(dir.file("missing"), dir.file("d")).reason(), "No such file or directory");
    EXPECT_EQ(CopyFile(dir.path(), dir.file("d")).reason(), "Is a directory");
    EXPECT_FALSE(test::exists(dir.file("d")));
    test::writeBytes(dir.file("a"), randomBytes(1000, 5));
    WriteBudget budget(300);
    EXPECT_EQ(CopyFile(dir.file("a"), dir.file("d")).reason(), kNoSpace);
    EXPECT_FALSE(test::exists(dir.file("d")));
}

TEST(DeleteFile, RemovesAndReportsMissing) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "x");
    ASSERT_TRUE(DeleteFile(dir.file("f")).isOk());
    EXPECT_FALSE(test::exists(dir.file("f")));
    EXPECT_EQ(DeleteFile(dir.file("f")).reason(), "No such file or directory");
    EXPECT_FALSE(DeleteFile(dir.path()).isOk());
    EXPECT_TRUE(test::exists(dir.path()));
}

TEST(FileStatus, FilesAndFolders) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "12345");
    EXPECT_TRUE(FileExists(dir.file("f")));
    EXPECT_TRUE(FileExists(" \"" + dir.file("f") + "\" "));
    EXPECT_FALSE(IsFolder(dir.file("f")));
    EXPECT_TRUE(IsFolder(dir.path()));
    EXPECT_TRUE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.file("missing")));
    EXPECT_FALSE(IsFolder(dir.file("missing")));
    EXPECT_FALSE(FileExists(""));

    FileStatusInfo info;
    ASSERT_TRUE(FileStatus(dir.file("f"), info));
    EXPECT_FALSE(info.isFolder);
    EXPECT_EQ(info.size, 5u);
    EXPECT_FALSE(info.readOnly);
    ASSERT_EQ(chmod(dir.file("f").c_str(), 0444), 0);
    ASSERT_TRUE(FileStatus(dir.file("f"), info));
    EXPECT_TRUE(info.readOnly);
    EXPECT_EQ(info.mode & 0777u, 0444u);
}

TEST(FileStatus, SizeAndTimeOfFilesOnly) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "12345");
    EXPECT_EQ(FileSize(dir.file("f")), 5);
    EXPECT_EQ(FileSize(dir.path()), -1);
    EXPECT_EQ(FileSize(dir.file("missing")), -1);

    const timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, dir.file("f").c_str(), times, 0), 0);
    EXPECT_EQ(FileWriteTime(dir.file("f")), 1234567890);
    EXPECT_EQ(FileWriteTime(dir.file("missing")), -1);
}

TEST(FileStatus, LocalTimeRoundTrips) {
    std::tm local{};
    ASSERT_TRUE(LocalTimeOf(1234567890, local));
    EXPECT_EQ(std::mktime(&local), 1234567890);
    EXPECT_GE(local.tm_year, 109);  // 2009 in every time zone
}

}  // namespace
}  // namespace banmen
