// Where a game's pictures are found: the workspace's "Image Files" first,
// then the default image folder that a new game's pictures come from.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "model/default_folders.h"
#include "model/image_files.h"
#include "model/record_owner.h"
#include "support/test_support.h"

namespace banmen {
namespace {

int imageNamed(const GameRecord& record, const char* fileName) {
    for (int m = 0; m < kImageCount; ++m) {
        if (std::strcmp(record.images[m].fileName, fileName) == 0) {
            return m;
        }
    }
    return -1;
}

TEST(ImageFilesTest, TheWorkspaceFileWinsAndANewGamesPicturesComeFromTheDefaultFolder) {
    test::TempDir defaults;
    test::writeText(defaults.file("a.bmp"), "default a");
    test::writeText(defaults.file("b.bmp"), "default b");
    setDefaultImageFolderProvider([&] { return defaults.path(); });
    RecordOwner owner;  // a new game: its images are those of the default folder
    GameRecord& record = owner.record();
    const int a = imageNamed(record, "a.bmp");
    const int b = imageNamed(record, "b.bmp");
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);

    test::TempDir workspace;
    ASSERT_EQ(std::system(("mkdir '" + workspace.file("Image Files") + "'").c_str()), 0);
    test::writeText(workspace.file("Image Files/a.bmp"), "own a");
    EXPECT_EQ(FindImageFile(record, workspace.path(), a), workspace.file("Image Files/a.bmp"));
    EXPECT_EQ(FindImageFile(record, workspace.path(), b), defaults.file("b.bmp"));
    EXPECT_EQ(FindImageFile(record, "", a), defaults.file("a.bmp"));  // not saved yet

    // Nothing found: no such file, no image, a name that leaves the folders.
    std::strcpy(record.images[b].fileName, "c.bmp");
    EXPECT_EQ(FindImageFile(record, workspace.path(), b), "");
    EXPECT_EQ(FindImageFile(record, workspace.path(), -1), "");
    EXPECT_EQ(FindImageFile(record, workspace.path(), kImageCount), "");
    test::writeText(workspace.file("secret.bmp"), "outside");
    std::strcpy(record.images[b].fileName, "../secret.bmp");
    EXPECT_EQ(FindImageFile(record, workspace.path(), b, defaults.path()), "");
    setDefaultImageFolderProvider(nullptr);
}

}  // namespace
}  // namespace banmen
