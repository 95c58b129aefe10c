#include "platform/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

// Relative path -> content, "<folder>" for a folder; links are not followed.
std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            entries[relative] = "<folder>";
        } else {
            entries[relative] = test::readText(entry.path().string());
        }
    }
    return entries;
}

// root/a.txt, root/ﾜｰｸｽﾍﾟｰｽ/{b.bin, deep/c.txt, deep/empty/}, root/empty/
void makeSampleTree(const std::string& root) {
    fs::create_directories(root + "/ﾜｰｸｽﾍﾟｰｽ/deep/empty");
    fs::create_directories(root + "/empty");
    test::writeText(root + "/a.txt", "alpha");
    test::writeBytes(root + "/ﾜｰｸｽﾍﾟｰｽ/b.bin", std::vector<std::uint8_t>(70000, 0x5C));
    test::writeText(root + "/ﾜｰｸｽﾍﾟｰｽ/deep/c.txt", "");
}

TEST(CreateFolder, OneFolder) {
    test::TempDir dir;
    ASSERT_TRUE(CreateFolder(dir.file("new")).isOk());
    EXPECT_TRUE(IsFolder(dir.file("new")));
    EXPECT_EQ(CreateFolder(dir.file("new")).reason(), "File exists");
    EXPECT_EQ(CreateFolder(dir.file("a/b")).reason(), "No such file or directory");
}

TEST(CreateFolderTree, CreatesEveryMissingLevel) {
    test::TempDir dir;
    ASSERT_TRUE(CreateFolderTree(dir.file("a/b/c")).isOk());
    EXPECT_TRUE(IsFolder(dir.file("a/b/c")));
    EXPECT_TRUE(CreateFolderTree(dir.file("a/b/c")).isOk());  // existing is fine
    EXPECT_TRUE(CreateFolderTree(dir.file("a/b/d/")).isOk());
    EXPECT_TRUE(IsFolder(dir.file("a/b/d")));
    ASSERT_TRUE(CreateFolderTree(" \"" + dir.path() + "//x///y\" ").isOk());
    EXPECT_TRUE(IsFolder(dir.file("x/y")));
}

TEST(CreateFolderTree, FileAsParentFailsAndCreatesNothingBelow) {
    test::TempDir dir;
    fs::create_directory(dir.file("a"));
    test::writeText(dir.file("a/file"), "x");
    const Status status = CreateFolderTree(dir.file("a/file/b/c"));
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.reason().find("Not a directory"), std::string::npos) << status.reason();
    EXPECT_TRUE(fs::is_regular_file(dir.file("a/file")));
    EXPECT_EQ(snapshot(dir.path()).size(), 2u);

    // The same with the file as the last level, and in a fresh branch: the
    // levels above the file may be made, nothing at or below it.
    EXPECT_FALSE(CreateFolderTree(dir.file("a/file")).isOk());
    test::writeText(dir.file("top"), "x");
    EXPECT_FALSE(CreateFolderTree(dir.file("top/below")).isOk());
    EXPECT_TRUE(fs::is_regular_file(dir.file("top")));
}

TEST(CreateFolderTree, Utf8NamesWithManyBytes) {
    test::TempDir dir;
    const std::string path = dir.file("ﾜｰｸｽﾍﾟｰｽ/所持金ソ/ā/データ");
    ASSERT_TRUE(CreateFolderTree(path).isOk());
    EXPECT_TRUE(IsFolder(path));
    std::vector<std::string> names;
    ASSERT_TRUE(ListFolder(dir.path(), names).isOk());
    EXPECT_EQ(names, std::vector<std::string>{"ﾜｰｸｽﾍﾟｰｽ"});
}

TEST(CreateFolderTree, StoredNameWithSoBecomesNativeFolders) {
    // A name as the game record stores it: "Image Files\ソフト\ソ.bmp".
    const std::string so = "\x83\x5C";
    const std::string stored = "Image Files\\\\" + so + "\x83\x74\x83\x67\\" + so + ".bmp";
    std::string normalized = stored;
    ASSERT_TRUE(sjispath::NormalizePath(normalized));
    test::TempDir dir;
    std::string native = dir.path();
    for (const std::string& part : sjispath::splitParts(sjispath::PathFolder(normalized))) {
        const auto utf8 = sjis::toUtf8(part);
        ASSERT_TRUE(utf8.has_value());
        native = path::PathJoin(native, *utf8);
    }
    ASSERT_TRUE(CreateFolderTree(native).isOk());
    EXPECT_TRUE(IsFolder(dir.file("Image Files/ソフト")));
    EXPECT_EQ(sjis::toUtf8(sjispath::PathFileName(normalized)), "ソ.bmp");
}

TEST(RemoveFolder, OnlyEmptyFolders) {
    test::TempDir dir;
    fs::create_directories(dir.file("a/b"));
    EXPECT_EQ(RemoveFolder(dir.file("a")).reason(), "Directory not empty");
    ASSERT_TRUE(RemoveFolder(dir.file("a/b/")).isOk());
    EXPECT_FALSE(test::exists(dir.file("a/b")));
}

TEST(ListFolder, NamesWithoutDots) {
    test::TempDir dir;
    makeSampleTree(dir.path());
    std::vector<std::string> names = {"stale"};
    ASSERT_TRUE(ListFolder(dir.path(), names).isOk());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "empty", "ﾜｰｸｽﾍﾟｰｽ"}));
    EXPECT_EQ(ListFolder(dir.file("a.txt"), names).reason(), "Not a directory");
    EXPECT_FALSE(ListFolder(dir.file("missing"), names).isOk());
    EXPECT_EQ(names.size(), 3u);
}

TEST(WalkTree, FoldersEnclosTheirContent) {
    test::TempDir dir;
    makeSampleTree(dir.path());
    std::vector<std::string> events;
    TreeWalker walker;
    walker.onFile = [&](const std::string& p) {
        events.push_back("F " + p);
        return true;
    };
    walker.onFolderEnter = [&](const std::string& p) {
        events.push_back("> " + p);
        return true;
    };
    walker.onFolderLeave = [&](const std::string& p) {
        events.push_back("< " + p);
        return true;
    };
    ASSERT_TRUE(WalkTree(dir.path() + "/", walker).isOk());
    ASSERT_EQ(events.size(), 3u + 2u * 5u);
    EXPECT_EQ(events.front(), "> " + dir.path());
    EXPECT_EQ(events.back(), "< " + dir.path());
    const auto at = [&](const std::string& event) {
        return std::find(events.begin(), events.end(), event) - events.begin();
    };
    for (const std::string& event : events) {
        const std::string p = event.substr(2);
        if (p == dir.path()) {
            continue;
        }
        // Every entry lies between the enter and the leave of its folder.
        const std::string parent = path::PathFolder(p);
        EXPECT_LT(at("> " + parent), at(event)) << event;
        EXPECT_GT(at("< " + parent), at(event)) << event;
    }
    EXPECT_LT(at("F " + dir.file("ﾜｰｸｽﾍﾟｰｽ/deep/c.txt")), static_cast<long>(events.size()));
}

TEST(WalkTree, HandlerCanStopTheWalk) {
    test::TempDir dir;
    makeSampleTree(dir.path());
    int files = 0;
    TreeWalker walker;
    walker.onFile = [&](const std::string&) {
        ++files;
        return false;
    };
    EXPECT_EQ(WalkTree(dir.path(), walker).reason(), "walk stopped");
    EXPECT_EQ(files, 1);
}

TEST(WalkTree, LinksToFilesCountLinksToFoldersDoNot) {
    test::TempDir dir;
    test::TempDir outside;
    test::writeText(outside.file("secret"), "x");
    fs::create_directory(dir.file("tree"));
    fs::create_symlink(outside.file("secret"), dir.file("tree/file-link"));
    fs::create_directory_symlink(outside.path(), dir.file("tree/folder-link"));
    fs::create_symlink(dir.file("nowhere"), dir.file("tree/dangling"));
    std::vector<std::string> files;
    int folders = 0;
    TreeWalker walker;
    walker.onFile = [&](const std::string& p) {
        files.push_back(p);
        return true;
    };
    walker.onFolderEnter = [&](const std::string&) {
        ++folders;
        return true;
    };
    ASSERT_TRUE(WalkTree(dir.file("tree"), walker).isOk());
    EXPECT_EQ(files, std::vector<std::string>{dir.file("tree/file-link")});
    EXPECT_EQ(folders, 1);
}

TEST(WalkTree, RootMustBeAFolder) {
    test::TempDir dir;
    test::writeText(dir.file("f"), "x");
    EXPECT_EQ(WalkTree(dir.file("f"), {}).reason(), "Not a directory");
    EXPECT_EQ(WalkTree(dir.file("missing"), {}).reason(), "No such file or directory");
}

TEST(CopyTree, CopiesNestedTrees) {
    test::TempDir dir;
    makeSampleTree(dir.file("src"));
    ASSERT_TRUE(CopyTree(dir.file("src"), dir.file("new/place/dst")).isOk());
    EXPECT_EQ(snapshot(dir.file("new/place/dst")), snapshot(dir.file("src")));
    EXPECT_TRUE(CompareTreeCopy(dir.file("src"), dir.file("new/place/dst")).isOk());
}

TEST(CopyTree, LinkedFoldersAreCopiedAsWhatTheyPointTo) {
    test::TempDir dir;
    test::TempDir outside;
    makeSampleTree(outside.file("media"));
    fs::create_directories(dir.file("src"));
    fs::create_directory_symlink(outside.file("media"), dir.file("src/Image Files"));
    ASSERT_TRUE(CopyTree(dir.file("src"), dir.file("dst")).isOk());
    EXPECT_FALSE(fs::is_symlink(dir.file("dst/Image Files")));
    EXPECT_EQ(snapshot(dir.file("dst/Image Files")), snapshot(outside.file("media")));
    EXPECT_TRUE(CompareTreeCopy(dir.file("src"), dir.file("dst")).isOk());

    // A link back to a folder that holds it would never end: refused.
    fs::create_directory_symlink(dir.file("src"), outside.file("media/ﾜｰｸｽﾍﾟｰｽ/loop"));
    EXPECT_NE(CopyTree(dir.file("src"), dir.file("dst2")).reason().find("leads back"),
              std::string::npos);
    fs::remove(outside.file("media/ﾜｰｸｽﾍﾟｰｽ/loop"));
    // So is a link that leads into the destination.
    fs::create_directories(dir.file("dst3"));
    fs::create_directory_symlink(dir.file("dst3"), dir.file("src/into-copy"));
    EXPECT_NE(CopyTree(dir.file("src"), dir.file("dst3")).reason().find("inside the source"),
              std::string::npos);
}

TEST(CopyTree, OverwritesAnExistingDestination) {
    test::TempDir dir;
    makeSampleTree(dir.file("src"));
    fs::create_directories(dir.file("dst/ﾜｰｸｽﾍﾟｰｽ"));
    test::writeText(dir.file("dst/a.txt"), "stale and longer");
    test::writeText(dir.file("dst/extra"), "kept");
    ASSERT_TRUE(CopyTree(dir.file("src"), dir.file("dst")).isOk());
    auto expected = snapshot(dir.file("src"));
    expected["extra"] = "kept";
    EXPECT_EQ(snapshot(dir.file("dst")), expected);
}

TEST(CopyTree, RefusesACopyIntoItself) {
    test::TempDir dir;
    makeSampleTree(dir.file("src"));
    const auto before = snapshot(dir.file("src"));
    EXPECT_EQ(CopyTree(dir.file("src"), dir.file("src/ﾜｰｸｽﾍﾟｰｽ/inner")).reason(),
              "destination is inside the source");
    EXPECT_FALSE(CopyTree(dir.file("src"), dir.file("src/")).isOk());
    EXPECT_EQ(snapshot(dir.file("src")), before);  // nothing made inside

    // Through a link the written paths differ, the resolved ones do not.
    fs::create_directory_symlink(dir.file("src"), dir.file("alias"));
    EXPECT_EQ(CopyTree(dir.file("src"), dir.file("alias/empty/x")).reason(),
              "destination is inside the source");
}

TEST(CopyTree, FailuresAreReported) {
    test::TempDir dir;
    EXPECT_FALSE(CopyTree(dir.file("missing"), dir.file("dst")).isOk());
    EXPECT_FALSE(test::exists(dir.file("dst")));

    makeSampleTree(dir.file("src"));
    setWriteBudgetForTesting(1000);
    const Status status = CopyTree(dir.file("src"), dir.file("dst"));
    setWriteBudgetForTesting(-1);
    EXPECT_NE(status.reason().find("No space left on device"), std::string::npos);
    EXPECT_FALSE(CompareTreeCopy(dir.file("src"), dir.file("dst")).isOk());
}

TEST(CompareTreeCopy, NamesTheFirstDifference) {
    test::TempDir dir;
    makeSampleTree(dir.file("src"));
    ASSERT_TRUE(CopyTree(dir.file("src"), dir.file("dst")).isOk());
    test::writeText(dir.file("dst/more"), "extra files in the copy do not matter");
    EXPECT_TRUE(CompareTreeCopy(dir.file("src"), dir.file("dst")).isOk());

    test::writeText(dir.file("dst/ﾜｰｸｽﾍﾟｰｽ/deep/c.txt"), "grown");
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "ﾜｰｸｽﾍﾟｰｽ/deep/c.txt: the copy differs from the original");
    test::writeText(dir.file("dst/ﾜｰｸｽﾍﾟｰｽ/deep/c.txt"), "");
    // Same size, other bytes.
    test::writeText(dir.file("dst/a.txt"), "ALPHA");
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "a.txt: the copy differs from the original");
    test::writeText(dir.file("dst/a.txt"), "alpha");
    ASSERT_TRUE(CompareTreeCopy(dir.file("src"), dir.file("dst")).isOk());

    fs::remove(dir.file("dst/ﾜｰｸｽﾍﾟｰｽ/deep/empty"));
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "ﾜｰｸｽﾍﾟｰｽ/deep/empty: missing in the copy");
    fs::create_directory(dir.file("dst/ﾜｰｸｽﾍﾟｰｽ/deep/empty"));
    fs::remove(dir.file("dst/a.txt"));
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "a.txt: missing in the copy");
    EXPECT_FALSE(CompareTreeCopy(dir.file("missing"), dir.file("dst")).isOk());

    // A "copy" that is a link back to the original goes with the source.
    fs::create_symlink(dir.file("src/a.txt"), dir.file("dst/a.txt"));
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "a.txt: the copy lies inside the source");
}

TEST(CompareTreeCopy, LooksThroughLinkedFolders) {
    test::TempDir dir;
    test::TempDir outside;
    test::writeText(outside.file("only.bmp"), "BM");
    fs::create_directories(dir.file("src"));
    fs::create_directory_symlink(outside.path(), dir.file("src/linked"));
    fs::create_directories(dir.file("dst/linked"));
    EXPECT_EQ(CompareTreeCopy(dir.file("src"), dir.file("dst")).reason(),
              "linked/only.bmp: missing in the copy");
}

TEST(DeleteTree, RemovesEverything) {
    test::TempDir dir;
    makeSampleTree(dir.file("tree"));
    ASSERT_TRUE(DeleteTree(dir.file("tree")).isOk());
    EXPECT_FALSE(test::exists(dir.file("tree")));
    EXPECT_EQ(DeleteTree(dir.file("tree")).reason(), "No such file or directory");
}

TEST(DeleteTree, RemovesLinksNotWhatTheyPointAt) {
    test::TempDir dir;
    test::TempDir outside;
    test::writeText(outside.file("keep"), "x");
    makeSampleTree(dir.file("tree"));
    fs::create_directory_symlink(outside.path(), dir.file("tree/empty/folder-link"));
    fs::create_symlink(outside.file("keep"), dir.file("tree/file-link"));
    fs::create_symlink(dir.file("nowhere"), dir.file("tree/dangling"));
    ASSERT_TRUE(DeleteTree(dir.file("tree")).isOk());
    EXPECT_FALSE(test::exists(dir.file("tree")));
    EXPECT_TRUE(test::exists(outside.file("keep")));

    // A link as the root is refused rather than followed.
    fs::create_directory_symlink(outside.path(), dir.file("root-link"));
    EXPECT_EQ(DeleteTree(dir.file("root-link")).reason(), "Not a directory");
    EXPECT_TRUE(test::exists(outside.file("keep")));
}

TEST(CountTree, FilesAndFoldersBelowTheRoot) {
    test::TempDir dir;
    makeSampleTree(dir.path());
    TreeCount count;
    ASSERT_TRUE(CountTree(dir.path(), count).isOk());
    EXPECT_EQ(count.files, 3u);
    EXPECT_EQ(count.folders, 4u);
    EXPECT_FALSE(CountTree(dir.file("a.txt"), count).isOk());
}

TEST(SizeTree, RoundsEachFileUp) {
    test::TempDir dir;
    test::writeBytes(dir.file("zero"), {});
    test::writeBytes(dir.file("one"), {1});
    fs::create_directory(dir.file("sub"));
    test::writeBytes(dir.file("sub/full"), std::vector<std::uint8_t>(4096));
    test::writeBytes(dir.file("sub/over"), std::vector<std::uint8_t>(4097));
    std::uint64_t size = 0;
    ASSERT_TRUE(SizeTree(dir.path(), 1, size).isOk());
    EXPECT_EQ(size, 0u + 1u + 4096u + 4097u);
    ASSERT_TRUE(SizeTree(dir.path(), 4096, size).isOk());
    EXPECT_EQ(size, 0u + 4096u + 4096u + 8192u);
    ASSERT_TRUE(SizeTree(dir.path(), 0, size).isOk());  // a unit of 0 counts as 1
    EXPECT_EQ(size, 0u + 1u + 4096u + 4097u);
}

TEST(SizeTree, SumsBeyondFourGigabytes) {
    test::TempDir dir;
    // Sparse files: large sizes without the disk space.
    const std::uint64_t three = std::uint64_t{3} << 30;
    for (const char* name : {"a", "b"}) {
        test::writeBytes(dir.file(name), {});
        fs::resize_file(dir.file(name), three);
    }
    std::uint64_t size = 0;
    ASSERT_TRUE(SizeTree(dir.path(), 512, size).isOk());
    EXPECT_EQ(size, 2 * three);
}

}  // namespace
}  // namespace banmen
