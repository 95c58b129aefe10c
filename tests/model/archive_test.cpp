#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/archive_format.h"
#include "model/archive_names.h"
#include "model/archive_reader.h"
#include "model/archive_writer.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::readText;
using test::TempDir;
using test::writeBytes;
using test::writeText;
using ::testing::HasSubstr;

using Bytes = std::vector<std::uint8_t>;

// An entry made by hand; the overrides make broken ones.
struct RawEntry {
    std::uint32_t attributes = kAttributeFile;
    std::string name;  // stored bytes, without the NUL
    std::string data;
    std::optional<std::uint32_t> nameLength;  // default: name + NUL
    std::optional<std::uint32_t> dataSize;    // default: data.size()
    bool terminate = true;                    // write the NUL
};

void putU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t getU32(const Bytes& in, std::size_t at) {
    return std::uint32_t{in[at]} | std::uint32_t{in[at + 1]} << 8 |
           std::uint32_t{in[at + 2]} << 16 | std::uint32_t{in[at + 3]} << 24;
}

Bytes archiveBytes(const std::vector<RawEntry>& entries, std::uint32_t flags = 0) {
    Bytes out = {'A', 'r', 'C', 'h'};
    putU32(out, flags);
    for (const RawEntry& e : entries) {
        const auto nameBytes = static_cast<std::uint32_t>(e.name.size() + (e.terminate ? 1 : 0));
        putU32(out, e.attributes);
        putU32(out, e.nameLength.value_or(nameBytes));
        putU32(out, e.dataSize.value_or(static_cast<std::uint32_t>(e.data.size())));
        out.insert(out.end(), e.name.begin(), e.name.end());
        if (e.terminate) {
            out.push_back(0);
        }
        out.insert(out.end(), e.data.begin(), e.data.end());
    }
    return out;
}

RawEntry folderEntry(std::string name) {
    RawEntry e;
    e.attributes = kAttributeFolder;
    e.name = std::move(name);
    return e;
}

RawEntry fileEntry(std::string name, std::string data) {
    RawEntry e;
    e.name = std::move(name);
    e.data = std::move(data);
    return e;
}

// Bytes that do not repeat with the piece size, so that pieces written in the
// wrong place or twice show.
Bytes patternBytes(std::size_t size, unsigned seed) {
    Bytes out(size);
    std::mt19937 generator(seed);
    for (std::size_t i = 0; i < size; i += 4) {
        const auto value = static_cast<std::uint32_t>(generator());
        for (std::size_t k = 0; k < 4 && i + k < size; ++k) {
            out[i + k] = static_cast<std::uint8_t>(value >> (8 * k));
        }
    }
    return out;
}

// Every file and folder below `root`, relative, with "/" for folders' ends.
std::set<std::string> treeOf(const std::string& root) {
    std::set<std::string> out;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        std::string name = fs::relative(item.path(), root).string();
        out.insert(item.is_directory() ? name + "/" : name);
    }
    return out;
}

std::vector<std::string> entryNames(const std::string& archive) {
    ArchiveListing listing;
    EXPECT_TRUE(ListArchive(archive, listing));
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : listing.entries) {
        names.push_back(entry.name);
    }
    return names;
}

bool isWritable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) != 0;
}

class ArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override { setWriteBudgetForTesting(-1); }
    void TearDown() override { setWriteBudgetForTesting(-1); }

    std::string archive() const { return dir.file("test.sgr"); }
    std::string out() const { return dir.file("out"); }

    Status extractBytes(const Bytes& bytes, const ExtractOptions& options = {}) {
        writeBytes(archive(), bytes);
        return ExtractArchive(archive(), out(), options);
    }

    TempDir dir;
};

// --- Writer ------------------------------------------------------------------

TEST_F(ArchiveTest, CreateArchiveWritesTheHeaderWithTheFlagsAsGiven) {
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0x12345678));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(readBytes(archive()), (Bytes{'A', 'r', 'C', 'h', 0x78, 0x56, 0x34, 0x12}));
}

TEST_F(ArchiveTest, CreateArchiveTruncatesAnExistingFile) {
    writeText(archive(), std::string(100, 'x'));
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(readBytes(archive()).size(), kArchiveHeaderSize);
}

TEST_F(ArchiveTest, AddsFailWithoutAnArchive) {
    ArchiveWriter writer;
    writeText(dir.file("a.txt"), "a");
    EXPECT_FALSE(writer.AddFolderEntry("Image Files"));
    EXPECT_FALSE(writer.AddPath(dir.file("a.txt")));
    EXPECT_FALSE(writer.AddUnder(dir.file("a.txt"), "x"));
    EXPECT_FALSE(writer.CreateArchive(dir.file("missing/folder/x.sgr"), 0));
    EXPECT_FALSE(writer.AddPath(dir.file("a.txt")));
}

TEST_F(ArchiveTest, FolderEntryAndFileEntryHaveTheDocumentedBytes) {
    writeText(dir.file("a.bmp"), "DATA");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddFolderEntry("Image Files"));
    ASSERT_TRUE(writer.AddUnder(dir.file("a.bmp"), "Image Files"));
    EXPECT_EQ(writer.currentFolder(), "Image Files");
    ASSERT_TRUE(writer.Close());
    const Bytes expected =
        archiveBytes({folderEntry("Image Files"), fileEntry("Image Files\\a.bmp", "DATA")});
    EXPECT_EQ(readBytes(archive()), expected);
}

TEST_F(ArchiveTest, AddPathOfAFileMakesARootEntryAndClearsTheCurrentFolder) {
    writeText(dir.file("game.sgp"), "packed");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddUnder(dir.file("game.sgp"), "Elsewhere"));
    ASSERT_TRUE(writer.AddPath(dir.file("game.sgp")));
    EXPECT_EQ(writer.currentFolder(), "");
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(entryNames(archive()), (std::vector<std::string>{"Elsewhere\\game.sgp", "game.sgp"}));
}

TEST_F(ArchiveTest, ReadOnlyFilesAndFoldersGetBitZero) {
    fs::create_directories(dir.file("src/locked"));
    writeText(dir.file("src/rw.txt"), "w");
    writeText(dir.file("src/ro.txt"), "r");
    ::chmod(dir.file("src/ro.txt").c_str(), 0444);
    ::chmod(dir.file("src/locked").c_str(), 0555);
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddPath(dir.file("src")));
    ASSERT_TRUE(writer.Close());
    ::chmod(dir.file("src/locked").c_str(), 0755);

    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(archive(), listing));
    std::map<std::string, std::uint32_t> attributes;
    for (const ArchiveEntry& entry : listing.entries) {
        attributes[entry.name] = entry.attributes;
    }
    EXPECT_EQ(attributes["src"], 0x10u);
    EXPECT_EQ(attributes["src\\rw.txt"], 0x20u);
    EXPECT_EQ(attributes["src\\ro.txt"], 0x21u);
    EXPECT_EQ(attributes["src\\locked"], 0x11u);
}

TEST_F(ArchiveTest, NestedFoldersGetRelativeNamesAndComeBeforeTheirContent) {
    fs::create_directories(dir.file("media/sub/deeper"));
    writeText(dir.file("media/top.wav"), "1");
    writeText(dir.file("media/sub/mid.wav"), "22");
    writeText(dir.file("media/sub/deeper/low.wav"), "333");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddUnder(dir.file("media"), "Sound Files"));
    ASSERT_TRUE(writer.AddPath(dir.file("media")));
    ASSERT_TRUE(writer.Close());

    const std::vector<std::string> names = entryNames(archive());
    const std::set<std::string> under(names.begin(), names.begin() + 6);
    EXPECT_EQ(under,
              (std::set<std::string>{"Sound Files", "Sound Files\\top.wav", "Sound Files\\sub",
                                     "Sound Files\\sub\\mid.wav", "Sound Files\\sub\\deeper",
                                     "Sound Files\\sub\\deeper\\low.wav"}));
    EXPECT_EQ(names[0], "Sound Files");
    const std::set<std::string> own(names.begin() + 6, names.end());
    EXPECT_EQ(own,
              (std::set<std::string>{"media", "media\\top.wav", "media\\sub", "media\\sub\\mid.wav",
                                     "media\\sub\\deeper", "media\\sub\\deeper\\low.wav"}));
    auto position = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(position("media\\sub"), position("media\\sub\\mid.wav"));
    EXPECT_LT(position("media\\sub\\deeper"), position("media\\sub\\deeper\\low.wav"));

    ASSERT_TRUE(ExtractArchive(archive(), out()));
    EXPECT_EQ(readText(out() + "/Sound Files/sub/deeper/low.wav"), "333");
    EXPECT_EQ(treeOf(out() + "/media"), treeOf(dir.file("media")));
}

TEST_F(ArchiveTest, NoWalkedFoldersFlagKeepsOnlyTheAddedFolderEntry) {
    fs::create_directories(dir.file("media/sub"));
    writeText(dir.file("media/sub/a.wav"), "a");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), kArchiveNoWalkedFolders));
    ASSERT_TRUE(writer.AddPath(dir.file("media")));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(entryNames(archive()), (std::vector<std::string>{"media", "media\\sub\\a.wav"}));
    // The reader makes the missing folder for the file.
    ASSERT_TRUE(ExtractArchive(archive(), out()));
    EXPECT_EQ(readText(out() + "/media/sub/a.wav"), "a");
}

TEST_F(ArchiveTest, PlainAttributesFlagWritesSixteenForFoldersAndZeroForFiles) {
    fs::create_directories(dir.file("media/sub"));
    writeText(dir.file("media/sub/a.wav"), "a");
    ::chmod(dir.file("media/sub/a.wav").c_str(), 0444);
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), kArchivePlainAttributes));
    ASSERT_TRUE(writer.AddPath(dir.file("media")));
    ASSERT_TRUE(writer.AddFolderEntry("Extra"));
    ASSERT_TRUE(writer.Close());
    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(archive(), listing));
    EXPECT_EQ(listing.flags, kArchivePlainAttributes);
    std::map<std::string, std::uint32_t> attributes;
    for (const ArchiveEntry& entry : listing.entries) {
        attributes[entry.name] = entry.attributes;
    }
    EXPECT_EQ(
        attributes,
        (std::map<std::string, std::uint32_t>{
            {"media", 0x10}, {"media\\sub", 0x10}, {"media\\sub\\a.wav", 0}, {"Extra", 0x10}}));
}

TEST_F(ArchiveTest, FullPathsFlagNamesEntriesByTheirFullPaths) {
    fs::create_directories(dir.file("media/sub"));
    writeText(dir.file("media/sub/a.wav"), "a");
    writeText(dir.file("one.txt"), "1");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), kArchiveFullPaths));
    ASSERT_TRUE(writer.AddPath(dir.file("media")));
    ASSERT_TRUE(writer.AddUnder(dir.file("one.txt"), "Ignored"));
    ASSERT_TRUE(writer.Close());
    std::string root = dir.path();
    std::replace(root.begin(), root.end(), '/', '\\');
    // No entry for the added folder itself.
    EXPECT_EQ(entryNames(archive()),
              (std::vector<std::string>{root + "\\media\\sub", root + "\\media\\sub\\a.wav",
                                        root + "\\one.txt"}));

    // By default the names are placed under the destination, root removed.
    ASSERT_TRUE(ExtractArchive(archive(), out()));
    EXPECT_EQ(readText(out() + dir.path() + "/media/sub/a.wav"), "a");

    // Asked for, they are the targets themselves.
    fs::remove_all(dir.file("media"));
    fs::remove(dir.file("one.txt"));
    ExtractOptions options;
    options.allowFullPaths = true;
    ASSERT_TRUE(ExtractArchive(archive(), out(), options));
    EXPECT_EQ(readText(dir.file("media/sub/a.wav")), "a");
    EXPECT_EQ(readText(dir.file("one.txt")), "1");
}

TEST_F(ArchiveTest, FullPathNamesStillCannotClimb) {
    ExtractOptions options;
    options.allowFullPaths = true;
    for (const char* name : {"\\a\\..\\..\\x", "C:\\x", "relative\\x"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(
            extractBytes(archiveBytes({fileEntry(name, "x")}, kArchiveFullPaths), options));
    }
    EXPECT_FALSE(fs::exists("/x"));
}

TEST_F(ArchiveTest, ShiftJisNamesRoundTrip) {
    // "ソ" ends in the byte 0x5C, which must not split the name.
    const std::string folder = "画像ソ";
    const std::string file = "表ソ.bmp";
    fs::create_directories(dir.file("src/" + folder));
    writeText(dir.file("src/" + folder + "/" + file), "pixels");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddPath(dir.file("src")));
    ASSERT_TRUE(writer.Close());
    const std::string stored = *sjis::fromUtf8("src\\" + folder + "\\" + file);
    const std::vector<std::string> names = entryNames(archive());
    EXPECT_NE(std::find(names.begin(), names.end(), stored), names.end());
    ASSERT_TRUE(ExtractArchive(archive(), out()));
    EXPECT_EQ(readText(out() + "/src/" + folder + "/" + file), "pixels");
}

TEST_F(ArchiveTest, NamesThatShiftJisCannotHoldFailAndLeaveTheArchiveAsItWas) {
    fs::create_directories(dir.file("media"));
    writeText(dir.file("media/ok.wav"), "ok");
    writeText(dir.file("media/smile😀.wav"), "no");
    writeText(dir.file("back\\slash.wav"), "no");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddFolderEntry("Sound Files"));
    const std::size_t before = readBytes(archive()).size();

    Status folder = writer.AddUnder(dir.file("media"), "Sound Files");
    EXPECT_FALSE(folder);
    EXPECT_THAT(folder.reason(), HasSubstr("Shift-JIS"));
    EXPECT_EQ(readBytes(archive()).size(), before);

    Status slash = writer.AddPath(dir.file("back\\slash.wav"));
    EXPECT_FALSE(slash);
    EXPECT_THAT(slash.reason(), HasSubstr("\\"));
    EXPECT_FALSE(writer.AddFolderEntry("絵😀"));
    EXPECT_EQ(readBytes(archive()).size(), before);

    // The writer goes on after a refused entry.
    ASSERT_TRUE(writer.AddUnder(dir.file("media/ok.wav"), "Sound Files"));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(entryNames(archive()),
              (std::vector<std::string>{"Sound Files", "Sound Files\\ok.wav"}));
}

TEST_F(ArchiveTest, MissingPathsFail) {
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    EXPECT_FALSE(writer.AddPath(dir.file("nothing")));
    EXPECT_FALSE(writer.AddUnder(dir.file("nothing"), "Image Files"));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(readBytes(archive()).size(), kArchiveHeaderSize);
}

TEST_F(ArchiveTest, FilesAroundThePieceSizeRoundTrip) {
    const std::size_t sizes[] = {
        0,        1, kArchivePieceSize - 1, kArchivePieceSize, kArchivePieceSize + 1,
        12u << 20};  // 12 MB: pieces of 5, 5 and 2 MB
    fs::create_directories(dir.file("src"));
    std::map<std::string, Bytes> files;
    unsigned seed = 1;
    for (std::size_t size : sizes) {
        const std::string name = "f" + std::to_string(size) + ".bin";
        files[name] = patternBytes(size, seed++);
        writeBytes(dir.file("src/" + name), files[name]);
    }
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddUnder(dir.file("src"), "Data"));
    ASSERT_TRUE(writer.Close());

    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(archive(), listing));
    for (const ArchiveEntry& entry : listing.entries) {
        if (!entry.isFolder()) {
            EXPECT_EQ(entry.dataSize, files[entry.name.substr(5)].size()) << entry.name;
        }
    }
    ASSERT_TRUE(ExtractArchive(archive(), out()));
    for (const auto& [name, bytes] : files) {
        EXPECT_TRUE(readBytes(out() + "/Data/" + name) == bytes) << name;
    }
}

TEST_F(ArchiveTest, FilesOfFourGibibytesAreRefusedInsteadOfWrapped) {
    const std::string big = dir.file("big.bin");
    const int descriptor = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(descriptor, 0);
    const bool sparse = ::ftruncate(descriptor, off_t{1} << 32) == 0;
    ::close(descriptor);
    if (!sparse) {
        GTEST_SKIP() << "no sparse 4 GiB file on this file system";
    }
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    Status added = writer.AddPath(big);
    EXPECT_FALSE(added);
    EXPECT_THAT(added.reason(), HasSubstr("4 GiB"));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(readBytes(archive()).size(), kArchiveHeaderSize);
}

TEST_F(ArchiveTest, AFullDiskCutsTheFailedAddOffAndLaterAddsWork) {
    fs::create_directories(dir.file("media"));
    writeBytes(dir.file("media/a.bin"), patternBytes(3000, 1));
    writeBytes(dir.file("media/b.bin"), patternBytes(3000, 2));
    writeText(dir.file("small.txt"), "small");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.CreateArchive(archive(), 0));
    ASSERT_TRUE(writer.AddFolderEntry("Keep"));
    const Bytes before = readBytes(archive());

    // Enough for the folder entry and part of the files: the disk fills
    // in the middle of the add.
    setWriteBudgetForTesting(4000);
    EXPECT_FALSE(writer.AddUnder(dir.file("media"), "Media"));
    setWriteBudgetForTesting(-1);
    EXPECT_EQ(readBytes(archive()), before);

    ASSERT_TRUE(writer.AddPath(dir.file("small.txt")));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(entryNames(archive()), (std::vector<std::string>{"Keep", "small.txt"}));
}

// --- Reader ------------------------------------------------------------------

TEST_F(ArchiveTest, HeaderOnlyExtractsToAnEmptyFolder) {
    ASSERT_TRUE(extractBytes(archiveBytes({})));
    EXPECT_TRUE(fs::is_directory(out()));
    EXPECT_TRUE(fs::is_empty(out()));
}

TEST_F(ArchiveTest, TooShortOrUnsignedFilesAreNoArchives) {
    EXPECT_FALSE(extractBytes({}));
    EXPECT_FALSE(extractBytes({'A', 'r', 'C', 'h', 0, 0, 0}));
    Status wrong = extractBytes({'A', 'r', 'c', 'h', 0, 0, 0, 0});
    EXPECT_FALSE(wrong);
    EXPECT_THAT(wrong.reason(), HasSubstr("ArCh"));
    EXPECT_FALSE(fs::exists(out()));
    EXPECT_FALSE(ExtractArchive(dir.file("none.sgr"), out()));
    EXPECT_FALSE(ExtractArchive(dir.path(), out()));
}

TEST_F(ArchiveTest, FewerThanTwelveTrailingBytesAreIgnored) {
    for (std::size_t extra = 1; extra < kArchiveEntrySize; ++extra) {
        SCOPED_TRACE(extra);
        Bytes bytes = archiveBytes({fileEntry("a.txt", "abc")});
        bytes.insert(bytes.end(), extra, 0xEE);
        ASSERT_TRUE(extractBytes(bytes));
        EXPECT_EQ(readText(out() + "/a.txt"), "abc");
        EXPECT_EQ(treeOf(out()), (std::set<std::string>{"a.txt"}));
        fs::remove_all(out());
    }
}

TEST_F(ArchiveTest, ZeroSizeEntriesMakeEmptyFiles) {
    ASSERT_TRUE(extractBytes(
        archiveBytes({folderEntry("Image Files"), fileEntry("Image Files\\empty.bmp", ""),
                      fileEntry("root.txt", "")})));
    EXPECT_TRUE(fs::is_regular_file(out() + "/Image Files/empty.bmp"));
    EXPECT_EQ(fs::file_size(out() + "/Image Files/empty.bmp"), 0u);
    EXPECT_EQ(fs::file_size(out() + "/root.txt"), 0u);
}

TEST_F(ArchiveTest, EmptyDestinationMeansTheArchivesFolder) {
    fs::create_directories(dir.file("games"));
    writeBytes(dir.file("games/g.sgr"), archiveBytes({fileEntry("a.sgp", "p")}));
    ASSERT_TRUE(ExtractArchive(dir.file("games/g.sgr"), ""));
    EXPECT_EQ(readText(dir.file("games/a.sgp")), "p");
}

// Cuts a valid archive at every length: it extracts when the cut falls
// within the first eleven bytes of an entry's head (or at its very start),
// and fails otherwise; a file cut in its data is never left behind.
TEST_F(ArchiveTest, CutAtEveryLength) {
    const std::vector<RawEntry> entries = {folderEntry("Image Files"),
                                           fileEntry("Image Files\\a.bmp", "0123456789"),
                                           fileEntry("b.txt", "bb")};
    const Bytes whole = archiveBytes(entries);
    std::vector<std::size_t> starts;  // entry boundaries, the end included
    std::size_t at = kArchiveHeaderSize;
    for (const RawEntry& e : entries) {
        starts.push_back(at);
        at += kArchiveEntrySize + e.name.size() + 1 + e.data.size();
    }
    starts.push_back(at);
    ASSERT_EQ(at, whole.size());

    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        bool expectOk = false;
        for (std::size_t start : starts) {
            expectOk = expectOk || (length >= start && length < start + kArchiveEntrySize);
        }
        fs::remove_all(out());
        EXPECT_EQ(extractBytes(cut).isOk(), expectOk);
        ArchiveListing listing;
        EXPECT_EQ(ListArchive(archive(), listing).isOk(), expectOk);
        if (fs::exists(out() + "/Image Files/a.bmp")) {
            EXPECT_EQ(readText(out() + "/Image Files/a.bmp"), "0123456789");
        }
        if (fs::exists(out() + "/b.txt")) {
            EXPECT_EQ(readText(out() + "/b.txt"), "bb");
        }
    }
}

TEST_F(ArchiveTest, BrokenEntryHeadsFail) {
    RawEntry noNul = fileEntry("a.txt", "x");
    noNul.terminate = false;
    RawEntry zeroLength = fileEntry("", "x");
    zeroLength.terminate = false;
    RawEntry hugeName = fileEntry("a.txt", "");
    hugeName.nameLength = 0xFFFFFFFF;
    RawEntry hugeData = fileEntry("a.txt", "abc");
    hugeData.dataSize = 0xFFFFFFFF;
    for (const RawEntry& entry : {noNul, zeroLength, hugeName, hugeData}) {
        EXPECT_FALSE(extractBytes(archiveBytes({entry})));
        EXPECT_FALSE(fs::exists(out() + "/a.txt"));
    }
}

TEST_F(ArchiveTest, HostileNamesStopTheExtractionWithoutWritingThem) {
    const std::string nulInside("a\0b", 3);
    const std::vector<std::string> names = {"..\\x",
                                            "a\\..\\..\\x",
                                            "..",
                                            ".",
                                            "a\\.\\x",
                                            "...\\x",
                                            ". .\\x",
                                            "a\\.. \\x",
                                            "/x",
                                            "\\x",
                                            "\\\\server\\share\\x",
                                            "C:x",
                                            "C:\\x",
                                            "a\\C:x",
                                            "a/..\\x",
                                            "a\\b/c",
                                            nulInside,
                                            "\x85\x40.txt",  // unassigned in code page 932
                                            "\x81"};         // half a character
    fs::create_directories(out() + "/inner");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const Bytes bytes = archiveBytes(
            {fileEntry("before.txt", "1"), fileEntry(name, "evil"), fileEntry("after.txt", "2")});
        writeBytes(archive(), bytes);
        Status status = ExtractArchive(archive(), out() + "/inner");
        EXPECT_FALSE(status);
        EXPECT_THAT(status.reason(), HasSubstr("entry"));
        // What came before is there, the hostile entry and what follows not.
        EXPECT_EQ(treeOf(out()), (std::set<std::string>{"inner/", "inner/before.txt"}));
        EXPECT_FALSE(fs::exists(dir.file("x")));
        EXPECT_FALSE(fs::exists("/x"));
        fs::remove(out() + "/inner/before.txt");
    }
}

TEST_F(ArchiveTest, EntryNamePartsDropEmptyPartsButKeepOrder) {
    std::vector<std::string> parts;
    ASSERT_TRUE(entryNameParts("a\\\\b\\c.txt", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "b", "c.txt"}));
    ASSERT_TRUE(entryNameParts("a..b\\.hidden\\x.", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"a..b", ".hidden", "x."}));
    EXPECT_FALSE(entryNameParts("", parts));
    EXPECT_FALSE(entryNameParts("\\", parts));
}

TEST_F(ArchiveTest, LinksInTheDestinationAreNotFollowed) {
    fs::create_directories(dir.file("elsewhere"));
    fs::create_directories(out());
    fs::create_directory_symlink(dir.file("elsewhere"), out() + "/Image Files");
    writeText(dir.file("victim.txt"), "keep");
    fs::create_symlink(dir.file("victim.txt"), out() + "/a.txt");

    // A file whose name is a link is replaced, its target untouched.
    ASSERT_TRUE(extractBytes(archiveBytes({fileEntry("a.txt", "new")})));
    EXPECT_FALSE(fs::is_symlink(out() + "/a.txt"));
    EXPECT_EQ(readText(out() + "/a.txt"), "new");
    EXPECT_EQ(readText(dir.file("victim.txt")), "keep");

    // A folder on the way that is a link stops the extraction.
    EXPECT_FALSE(extractBytes(archiveBytes({fileEntry("Image Files\\a.bmp", "x")})));
    EXPECT_FALSE(extractBytes(archiveBytes({folderEntry("Image Files")})));
    EXPECT_TRUE(fs::is_empty(dir.file("elsewhere")));
}

TEST_F(ArchiveTest, ExistingFilesAreOverwrittenAndLaterDuplicatesWin) {
    RawEntry readOnly = fileEntry("a.txt", "first");
    readOnly.attributes = kAttributeFile | kAttributeReadOnly;
    ASSERT_TRUE(extractBytes(archiveBytes({readOnly})));
    EXPECT_FALSE(isWritable(out() + "/a.txt"));
    // Again over the read-only file, with two entries of the same name.
    ASSERT_TRUE(extractBytes(
        archiveBytes({fileEntry("a.txt", "second"), fileEntry("a.txt", "third, longer")})));
    EXPECT_EQ(readText(out() + "/a.txt"), "third, longer");
    EXPECT_TRUE(isWritable(out() + "/a.txt"));
}

TEST_F(ArchiveTest, ReadOnlyBitClearsWriteBitsUnlessAttributesArePlain) {
    RawEntry readOnly = fileEntry("ro.txt", "r");
    readOnly.attributes = kAttributeFile | kAttributeReadOnly | 0x06;  // hidden, system: ignored
    RawEntry lockedFolder = folderEntry("locked");
    lockedFolder.attributes = kAttributeFolder | kAttributeReadOnly;
    const std::vector<RawEntry> entries = {readOnly, lockedFolder, fileEntry("locked\\in.txt", "i"),
                                           fileEntry("rw.txt", "w")};
    ASSERT_TRUE(extractBytes(archiveBytes(entries)));
    EXPECT_FALSE(isWritable(out() + "/ro.txt"));
    EXPECT_TRUE(isWritable(out() + "/rw.txt"));
    // A read-only folder stays writable: its content has to be written.
    EXPECT_TRUE(isWritable(out() + "/locked"));
    EXPECT_EQ(readText(out() + "/locked/in.txt"), "i");

    fs::remove_all(out());
    ASSERT_TRUE(extractBytes(archiveBytes(entries, kArchivePlainAttributes)));
    EXPECT_TRUE(isWritable(out() + "/ro.txt"));
}

TEST_F(ArchiveTest, WhatStandsInTheWayFails) {
    fs::create_directories(out() + "/a.txt");
    EXPECT_FALSE(extractBytes(archiveBytes({fileEntry("a.txt", "x")})));
    fs::remove_all(out());
    fs::create_directories(out());
    writeText(out() + "/Image Files", "a file");
    EXPECT_FALSE(extractBytes(archiveBytes({folderEntry("Image Files")})));
    EXPECT_FALSE(extractBytes(archiveBytes({fileEntry("Image Files\\a.bmp", "x")})));
}

TEST_F(ArchiveTest, DataOfAFolderEntryIsSkipped) {
    RawEntry folder = folderEntry("Sound Files");
    folder.data = "not a file";
    ASSERT_TRUE(extractBytes(archiveBytes({folder, fileEntry("Sound Files\\a.wav", "wave")})));
    EXPECT_EQ(readText(out() + "/Sound Files/a.wav"), "wave");
}

TEST_F(ArchiveTest, AFullDiskDuringExtractionRemovesThePartFile) {
    const Bytes data = patternBytes(10000, 3);
    ASSERT_TRUE(
        extractBytes(archiveBytes({fileEntry("a.bin", std::string(data.begin(), data.end()))})));
    fs::remove_all(out());
    setWriteBudgetForTesting(5000);
    Status status = ExtractArchive(archive(), out());
    setWriteBudgetForTesting(-1);
    EXPECT_FALSE(status);
    EXPECT_THAT(status.reason(), HasSubstr("No space left on device"));
    EXPECT_FALSE(fs::exists(out() + "/a.bin"));
}

TEST_F(ArchiveTest, ListingGivesEveryEntryWithItsPlace) {
    const Bytes bytes = archiveBytes(
        {folderEntry("Image Files"), fileEntry("Image Files\\a.bmp", "0123")}, 0x20000000);
    writeBytes(archive(), bytes);
    ArchiveListing listing;
    ASSERT_TRUE(ListArchive(archive(), listing));
    EXPECT_EQ(listing.flags, 0x20000000u);
    ASSERT_EQ(listing.entries.size(), 2u);
    EXPECT_TRUE(listing.entries[0].isFolder());
    EXPECT_EQ(listing.entries[0].offset, 8u);
    EXPECT_EQ(listing.entries[1].offset, 8u + 12 + 12);
    EXPECT_EQ(listing.entries[1].dataSize, 4u);
    EXPECT_EQ(getU32(bytes, static_cast<std::size_t>(listing.entries[1].offset) + 8), 4u);

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(archive()));
    ArchiveEntry entry;
    bool atEnd = false;
    ASSERT_TRUE(reader.Next(entry, atEnd));
    ASSERT_TRUE(reader.Next(entry, atEnd));
    Bytes data;
    ASSERT_TRUE(reader.ReadData(data));
    EXPECT_EQ(data, (Bytes{'0', '1', '2', '3'}));
    ASSERT_TRUE(reader.Next(entry, atEnd));
    EXPECT_TRUE(atEnd);
}

}  // namespace
}  // namespace banmen
