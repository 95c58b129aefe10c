// The public BMP test corpus (bmpsuite): every good file loads with the
// pixels of its reference rendering; questionable and bad files never break
// the reader. Skipped when the corpus is not there.
//
// Comparison: the loaded bitmap as 32-bit RGB against the reference PNG
// converted to RGB, pixel for pixel and exactly. The good files have no
// alpha; several share one reference (the same picture stored differently).

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <map>
#include <string>

#include "media/bmp_reader.h"
#include "media/dib_bitmap.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = BANMEN_BMPSUITE;

// The reference of each good file, by file name; files not listed use their
// own name.
const std::map<std::string, std::string> kSharedReference = {
    {"pal1wb.bmp", "pal1.png"},
    {"pal4rle.bmp", "pal4.png"},
    {"pal8-0.bmp", "pal8.png"},
    {"pal8os2.bmp", "pal8.png"},
    {"pal8rle.bmp", "pal8.png"},
    {"pal8topdown.bmp", "pal8.png"},
    {"pal8v4.bmp", "pal8.png"},
    {"pal8v5.bmp", "pal8.png"},
    {"pal8nonsquare.bmp", "pal8nonsquare-e.png"},  // the pixels as stored
    {"rgb16-565pal.bmp", "rgb16-565.png"},
    {"rgb16bfdef.bmp", "rgb16.png"},
    {"rgb24pal.bmp", "rgb24.png"},
    {"rgb32.bmp", "rgb24.png"},
    {"rgb32bf.bmp", "rgb24.png"},
    {"rgb32bfdef.bmp", "rgb24.png"},
};

std::vector<fs::path> filesIn(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kCorpus / folder)) {
        if (entry.path().extension() == ".bmp") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class BmpCorpus : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::is_directory(kCorpus / "g")) {
            GTEST_SKIP() << "BMP corpus not found at " << kCorpus.string();
        }
    }
};

// Differences between a loaded picture and a reference rendering: reference
// pixels that are fully transparent (alpha 0) show nothing and are skipped.
int compareWithReference(const DibBitmap& bitmap, const std::string& reference) {
    const QImage expected =
        QImage(QString::fromStdString((kCorpus / "reference" / reference).string()))
            .convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull()) {
        ADD_FAILURE() << "no reference " << reference;
        return -1;
    }
    const QImage actual = bitmap.ToImage();
    if (actual.size() != expected.size()) {
        ADD_FAILURE() << "size differs from " << reference;
        return -1;
    }
    int wrong = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb e = expected.pixel(x, y);
            if (qAlpha(e) == 0) {
                continue;
            }
            if (actual.pixel(x, y) != (e | 0xFF000000u) && ++wrong <= 3) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex
                              << actual.pixel(x, y) << " instead of " << e;
            }
        }
    }
    return wrong;
}

TEST_F(BmpCorpus, GoodFilesLoadWithTheReferencePixels) {
    const std::vector<fs::path> files = filesIn("g");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        DibBitmap bitmap;
        Status why;
        ASSERT_TRUE(bitmap.LoadFile(file.string(), kNoColour, &why)) << why.reason();
        const std::string name = file.filename().string();
        const auto shared = kSharedReference.find(name);
        const std::string reference =
            shared != kSharedReference.end() ? shared->second : file.stem().string() + ".png";
        EXPECT_EQ(compareWithReference(bitmap, reference), 0);
    }
}

// Questionable files this library loads, against their references: the RLE
// files as the "-0" rendering (pixels the data skips are index 0), files
// with alpha on the pixels the reference shows at all.
TEST_F(BmpCorpus, QuestionableFilesThatLoadShowTheirReference) {
    const std::map<std::string, std::string> cases = {
        {"pal1p1.bmp", "pal1p1.png"},
        {"pal2.bmp", "pal2.png"},
        {"pal2color.bmp", "pal2color.png"},
        {"pal4rlecut.bmp", "pal4rlecut-0.png"},
        {"pal4rletrns.bmp", "pal4rletrns-0.png"},
        {"pal8rlecut.bmp", "pal8rlecut-0.png"},
        {"pal8rletrns.bmp", "pal8rletrns-0.png"},
        {"rgb16-231.bmp", "rgb16-231.png"},
        {"rgb16-3103.bmp", "rgb16-3103.png"},
        {"rgb16faketrns.bmp", "rgb16faketrns.png"},
        {"rgb32-7187.bmp", "rgb32-7187.png"},
        {"rgb32fakealpha.bmp", "fakealpha.png"},
        {"rgba16-1924.bmp", "rgba16-1924.png"},
        {"rgba16-4444.bmp", "rgba16-4444.png"},
        {"rgba16-5551.bmp", "rgba16-5551.png"},
        {"rgba32-1.bmp", "rgba32.png"},
        {"rgba32-2.bmp", "rgba32.png"},
        {"rgba32-1010102.bmp", "rgba32-1010102.png"},
        {"rgba32-61754.bmp", "rgba32-61754.png"},
        {"rgba32-81284.bmp", "rgba32-81284.png"},
    };
    for (const auto& [name, reference] : cases) {
        SCOPED_TRACE(name);
        DibBitmap bitmap;
        Status why;
        ASSERT_TRUE(bitmap.LoadFile((kCorpus / "q" / name).string(), kNoColour, &why))
            << why.reason();
        EXPECT_EQ(compareWithReference(bitmap, reference), 0);
    }
}

// What the library reads of a file it accepts is a sane picture.
void expectSaneOrRefused(const fs::path& file) {
    SCOPED_TRACE(file.filename().string());
    DibImage image;
    const Status read = ReadBmpFile(file.string(), image);
    DibBitmap bitmap;
    Status why;
    const bool loaded = bitmap.LoadFile(file.string(), kMagenta, &why);
    EXPECT_EQ(loaded, read.isOk());
    if (!loaded) {
        EXPECT_FALSE(why.reason().empty());
        EXPECT_TRUE(bitmap.IsEmpty());
        return;
    }
    EXPECT_GT(bitmap.GetWidth(), 0);
    EXPECT_GT(bitmap.GetHeight(), 0);
    // Every pixel can be read and drawn.
    const QImage all = bitmap.ToImage();
    EXPECT_EQ(all.width(), bitmap.GetWidth());
    DibBitmap target;
    ASSERT_TRUE(target.Create(32, 64, 64));
    bitmap.DrawTo(target, -3, -3);
    bitmap.DrawStretched(target, 0, 0, 64, 64, 0, 0, 0, 0);
}

TEST_F(BmpCorpus, QuestionableFilesLoadOrAreRefusedCleanly) {
    for (const fs::path& file : filesIn("q")) {
        expectSaneOrRefused(file);
    }
}

TEST_F(BmpCorpus, BadFilesAreRefusedOrLoadSafely) {
    for (const fs::path& file : filesIn("b")) {
        expectSaneOrRefused(file);
    }
}

// Files whose fault the reader must see.
TEST_F(BmpCorpus, ClearlyBrokenFilesAreRefused) {
    for (const char* name :
         {"badbitcount.bmp", "badheadersize.bmp", "badplanes.bmp", "badwidth.bmp", "reallybig.bmp",
          "rletopdown.bmp", "shortfile.bmp", "badpalettesize.bmp"}) {
        DibImage image;
        EXPECT_FALSE(ReadBmpFile((kCorpus / "b" / name).string(), image)) << name;
    }
}

}  // namespace
}  // namespace banmen
