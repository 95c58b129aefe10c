// The program's pictures as the programs see them: every picture the README
// lists is embedded, loads through DibBitmap with its documented size, and
// is keyed on magenta exactly when the README says so; the cell layouts the
// play screen and the map editor rely on hold; the default pictures of new
// games load, are installed beside the programs, and open in other programs.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "media/dib_bitmap.h"
#include "support/test_support.h"

namespace banmen {
namespace {

const std::string kResources = std::string(BANMEN_SOURCE_DIR) + "/resources";

struct Documented {
    std::string name;  // resource name, or file name for default pictures
    int width = 0;
    int height = 0;
    bool keyed = false;
};

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    const auto last = s.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

// Size cells read "32 × 32".
bool parseSize(const std::string& cell, int& width, int& height) {
    const std::string times = "\xC3\x97";  // U+00D7
    const auto at = cell.find(times);
    if (at == std::string::npos) {
        return false;
    }
    width = std::atoi(cell.substr(0, at).c_str());
    height = std::atoi(cell.substr(at + times.size()).c_str());
    return width > 0 && height > 0;
}

// The rows of the table under the heading that starts with `heading`: one
// entry per backticked name of the first column.
std::vector<Documented> readTable(const std::string& heading) {
    std::ifstream in(kResources + "/bitmaps/README.md");
    std::vector<Documented> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            inSection = line.rfind(heading, 0) == 0;
            continue;
        }
        if (!inSection || line.rfind("| `", 0) != 0) {
            continue;
        }
        std::vector<std::string> cells;
        std::stringstream split(line.substr(1));
        std::string cell;
        while (std::getline(split, cell, '|')) {
            cells.push_back(trim(cell));
        }
        EXPECT_GE(cells.size(), 4u) << line;
        if (cells.size() < 4) {
            continue;
        }
        Documented d;
        EXPECT_TRUE(parseSize(cells[1], d.width, d.height)) << line;
        EXPECT_TRUE(cells[2] == "magenta" || cells[2] == "none") << line;
        d.keyed = cells[2] == "magenta";
        std::size_t pos = 0;
        while ((pos = cells[0].find('`', pos)) != std::string::npos) {
            const auto end = cells[0].find('`', pos + 1);
            EXPECT_NE(end, std::string::npos) << line;
            if (end == std::string::npos) {
                break;
            }
            d.name = cells[0].substr(pos + 1, end - pos - 1);
            rows.push_back(d);
            pos = end + 1;
        }
    }
    return rows;
}

std::vector<Documented> programPictures() {
    return readTable("## Program pictures");
}
std::vector<Documented> defaultPictures() {
    return readTable("## Default pictures");
}

bool loadResource(DibBitmap& bitmap, const std::string& name, Status* why) {
    const bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    return numeric ? bitmap.LoadResource(std::atoi(name.c_str()), kNoColour, why)
                   : bitmap.LoadResource(name, kNoColour, why);
}

bool isMagenta(const DibBitmap& b, int x, int y) {
    return b.GetPixel(x, y) == kMagenta;
}

int countMagenta(const DibBitmap& b) {
    int n = 0;
    for (int y = 0; y < b.GetHeight(); ++y) {
        for (int x = 0; x < b.GetWidth(); ++x) {
            n += isMagenta(b, x, y) ? 1 : 0;
        }
    }
    return n;
}

std::set<std::string> filesIn(const std::string& folder, const char* pattern) {
    std::set<std::string> names;
    for (const QString& name : QDir(QString::fromStdString(folder))
                                   .entryList({QString::fromLatin1(pattern)}, QDir::Files)) {
        names.insert(name.toStdString());
    }
    return names;
}

DibBitmap& loaded(DibBitmap& bitmap, const std::string& name) {
    Status why;
    EXPECT_TRUE(loadResource(bitmap, name, &why)) << name << ": " << why.reason();
    return bitmap;
}

TEST(ArtworkTest, ReadmeDocumentsEveryPictureThePlayScreenAndPagesNeed) {
    std::set<std::string> documented;
    for (const Documented& d : programPictures()) {
        EXPECT_TRUE(documented.insert(d.name).second) << d.name << " listed twice";
    }
    std::vector<std::string> required = {"3001", "3002", "3003", "3004", "4000", "4001", "4002",
                                         "4005", "5000", "6010", "8010", "9000", "DOT",  "ARROW"};
    for (int i = 0; i < 10; ++i) {
        required.push_back(std::to_string(6000 + i));
    }
    for (int i = 0; i < 4; ++i) {
        required.push_back(std::to_string(7000 + i));
    }
    const char* const stems[] = {"SELECT",  "EDIT",    "DELETE",  "LOCKON",  "OPOADD",  "OPOSUB",
                                 "OPOMUL",  "OPODIV",  "OPOSET",  "OPMONE",  "OPMDIC1", "OPMDIC2",
                                 "OPMDIC3", "OPMITM1", "OPMITM2", "OPMITM3", "OPMITM4", "OPMITM5",
                                 "OPFBNK",  "OPFPLY",  "OPFALL"};
    for (const char* stem : stems) {
        for (const char* state : {"U", "D", "F", "X"}) {
            required.push_back(std::string(stem) + state);
        }
    }
    for (const std::string& name : required) {
        EXPECT_EQ(documented.count(name), 1u) << name << " is not in the README";
    }
    // Four kind groups in four states.
    int markers = 0;
    for (const std::string& name : documented) {
        markers += name.rfind("MARK", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(markers, 16);
}

TEST(ArtworkTest, EveryDocumentedPictureIsEmbeddedWithItsSizeAndKey) {
    const std::vector<Documented> rows = programPictures();
    ASSERT_FALSE(rows.empty());
    for (const Documented& d : rows) {
        SCOPED_TRACE(d.name);
        DibBitmap bitmap;
        Status why;
        ASSERT_TRUE(loadResource(bitmap, d.name, &why)) << why.reason();
        EXPECT_EQ(bitmap.GetOrigin(), "RESOURCE_BITMAP");
        EXPECT_EQ(bitmap.GetWidth(), d.width);
        EXPECT_EQ(bitmap.GetHeight(), d.height);
        EXPECT_EQ(bitmap.GetBitsPerPixel(), 24u);
        const int magenta = countMagenta(bitmap);
        if (d.keyed) {
            EXPECT_GT(magenta, 0) << "keyed, but nothing is transparent";
            EXPECT_LT(magenta, d.width * d.height) << "keyed, but nothing shows";
        } else {
            EXPECT_EQ(magenta, 0) << "would get holes when keyed on magenta";
        }
    }
}

TEST(ArtworkTest, EmbeddedFilesAndReadmeAgree) {
    std::set<std::string> documented;
    for (const Documented& d : programPictures()) {
        documented.insert(d.name + ".bmp");
    }
    std::set<std::string> embedded;
    for (const QString& name : QDir(QStringLiteral(":/bitmaps")).entryList(QDir::Files)) {
        embedded.insert(name.toStdString());
    }
    EXPECT_EQ(embedded, documented);
    EXPECT_EQ(filesIn(kResources + "/bitmaps", "*.bmp"), documented);
}

TEST(ArtworkTest, EmbeddedBytesAreTheCommittedFiles) {
    for (const char* name : {"3001.bmp", "4005.bmp", "SELECTU.bmp", "MARKGOALS.bmp"}) {
        QFile embedded(QStringLiteral(":/bitmaps/") + QString::fromLatin1(name));
        ASSERT_TRUE(embedded.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = embedded.readAll();
        const std::vector<std::uint8_t> file = test::readBytes(kResources + "/bitmaps/" + name);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), file) << name;
    }
}

TEST(ArtworkTest, DiceCellsHoldOneDieEach) {
    DibBitmap dice;
    loaded(dice, "5000");
    ASSERT_EQ(dice.GetWidth(), 168);
    for (int x = 0; x < 168; ++x) {
        EXPECT_TRUE(isMagenta(dice, x, 33)) << "the row between face rows shows at x " << x;
    }
    for (int face = 0; face < 6; ++face) {
        const int left = 28 * face;
        for (const auto& [top, height] : {std::pair{0, 33}, std::pair{34, 31}}) {
            SCOPED_TRACE(std::to_string(face + 1) + " at y " + std::to_string(top));
            // Rounded corners are transparent, the middle of the face is not.
            EXPECT_TRUE(isMagenta(dice, left, top));
            EXPECT_TRUE(isMagenta(dice, left + 27, top));
            EXPECT_TRUE(isMagenta(dice, left, top + height - 1));
            EXPECT_TRUE(isMagenta(dice, left + 27, top + height - 1));
            EXPECT_FALSE(isMagenta(dice, left + 14, top + 12));
            // Nothing of a die spills into the column between cells.
            EXPECT_TRUE(isMagenta(dice, left, top + height / 2 - 8) ||
                        isMagenta(dice, left + 27, top + height / 2 - 8));
        }
    }
}

TEST(ArtworkTest, FaceOneDiffersFromTheOtherFaces) {
    DibBitmap dice;
    loaded(dice, "5000");
    // The centre of face 1 is its big pip; faces 2, 4 and 6 have no centre pip.
    const Colour one = dice.GetPixel(14, 12);
    for (int face : {2, 4, 6}) {
        EXPECT_NE(dice.GetPixel(28 * (face - 1) + 14, 12), one) << face;
    }
}

TEST(ArtworkTest, RankBadgesSitInSevenCells) {
    DibBitmap ranks;
    loaded(ranks, "8010");
    for (int cell = 0; cell < 7; ++cell) {
        const int left = 25 * cell;
        SCOPED_TRACE(cell);
        EXPECT_FALSE(isMagenta(ranks, left + 12, 9)) << "no badge in the middle";
        EXPECT_TRUE(isMagenta(ranks, left, 0));
        EXPECT_TRUE(isMagenta(ranks, left + 24, 0));
    }
    // The no-rank badge differs from every rank badge.
    for (int cell = 0; cell < 6; ++cell) {
        EXPECT_NE(ranks.GetPixel(25 * cell + 5, 9), ranks.GetPixel(150 + 5, 9)) << cell;
    }
}

TEST(ArtworkTest, MapSpritesCentreWhereTheEditorDrawsThem) {
    for (const char* group : {"START", "GOAL", "RETIRE", "OTHER"}) {
        for (const char* state : {"S", "C", "H", "I"}) {
            const std::string name = std::string("MARK") + group + state;
            DibBitmap marker;
            loaded(marker, name);
            EXPECT_FALSE(isMagenta(marker, 16, 8)) << name << ": hit centre is transparent";
            EXPECT_TRUE(isMagenta(marker, 0, 0)) << name;
            EXPECT_TRUE(isMagenta(marker, 31, 15)) << name;
        }
    }
    DibBitmap dot;
    loaded(dot, "DOT");
    EXPECT_FALSE(isMagenta(dot, 3, 3));
    EXPECT_TRUE(isMagenta(dot, 0, 0));
    EXPECT_TRUE(isMagenta(dot, 7, 7));
    DibBitmap arrow;
    loaded(arrow, "ARROW");
    EXPECT_FALSE(isMagenta(arrow, 14, 8)) << "the tip points right";
    EXPECT_TRUE(isMagenta(arrow, 0, 8)) << "the tail is notched";
    EXPECT_TRUE(isMagenta(arrow, 15, 0));
}

TEST(ArtworkTest, ButtonStatesDifferFromEachOther) {
    for (const char* stem : {"SELECT", "EDIT", "DELETE", "LOCKON", "OPOADD", "OPMDIC2", "OPFALL"}) {
        std::vector<QImage> states;
        for (const char* state : {"U", "D", "F", "X"}) {
            DibBitmap b;
            loaded(b, std::string(stem) + state);
            states.push_back(b.ToImage());
        }
        for (std::size_t i = 0; i < states.size(); ++i) {
            for (std::size_t j = i + 1; j < states.size(); ++j) {
                EXPECT_NE(states[i], states[j]) << stem << " states " << i << " and " << j;
            }
        }
    }
    // Selected and unselected toggles, person and computer, all differ.
    std::vector<QImage> toggles;
    for (int look = 4; look <= 7; ++look) {
        DibBitmap b;
        loaded(b, std::to_string(6000 + look));
        toggles.push_back(b.ToImage());
    }
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        for (std::size_t j = i + 1; j < toggles.size(); ++j) {
            EXPECT_NE(toggles[i], toggles[j]) << 6004 + i << " and " << 6004 + j;
        }
    }
}

TEST(ArtworkTest, InformationFrameStretchesInItsMiddleRows) {
    DibBitmap frame;
    loaded(frame, "4002");
    const QImage image = frame.ToImage();
    for (int y = 9; y <= 55; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), image.pixel(x, 8)) << x << ", " << y;
        }
    }
    EXPECT_EQ(frame.GetPixel(105, 32), RgbColour(255, 255, 232));
}

TEST(ArtworkTest, PiecesAndMarksStandInMagenta) {
    for (int id : {3001, 3002, 3003, 3004, 7000, 7001, 7002, 7003}) {
        DibBitmap piece;
        loaded(piece, std::to_string(id));
        const int w = piece.GetWidth();
        const int h = piece.GetHeight();
        EXPECT_TRUE(isMagenta(piece, 0, 0) && isMagenta(piece, w - 1, 0) &&
                    isMagenta(piece, 0, h - 1) && isMagenta(piece, w - 1, h - 1))
            << id;
        EXPECT_FALSE(isMagenta(piece, w / 2, h / 2)) << id;
    }
    // Four different colours.
    std::set<Colour> bodies;
    for (int id = 3001; id <= 3004; ++id) {
        DibBitmap piece;
        loaded(piece, std::to_string(id));
        bodies.insert(piece.GetPixel(16, 20));
    }
    EXPECT_EQ(bodies.size(), 4u);
}

TEST(ArtworkTest, ProgramIconComesInSeveralSizes) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral(":/icons/banmen-%1.png").arg(size);
        QImage icon(name);
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        EXPECT_EQ(icon.width(), size);
        EXPECT_EQ(icon.height(), size);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "corners are rounded off";
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

TEST(ArtworkTest, DefaultPicturesLoadAndPiecesAreKeyed) {
    const std::string folder = kResources + "/default-images";
    const std::set<std::string> files = filesIn(folder, "*.bmp");
    std::map<std::string, Documented> documented;
    for (const Documented& d : defaultPictures()) {
        documented[d.name] = d;
    }
    std::set<std::string> names;
    for (const auto& entry : documented) {
        names.insert(entry.first);
    }
    EXPECT_EQ(files, names);
    int pieces = 0;
    int squares = 0;
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        EXPECT_LE(name.size(), 62u);
        EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789._-"),
                  std::string::npos);
        DibBitmap picture;
        Status why;
        ASSERT_TRUE(picture.LoadFile(folder + "/" + name, kNoColour, &why)) << why.reason();
        EXPECT_EQ(picture.GetBitsPerPixel(), 24u);
        const Documented& d = documented[name];
        EXPECT_EQ(picture.GetWidth(), d.width);
        EXPECT_EQ(picture.GetHeight(), d.height);
        const int w = picture.GetWidth();
        const int h = picture.GetHeight();
        if (d.keyed) {
            ++pieces;
            EXPECT_EQ(w, 32);
            EXPECT_EQ(h, 32);
            EXPECT_TRUE(isMagenta(picture, 0, 0) && isMagenta(picture, w - 1, 0) &&
                        isMagenta(picture, 0, h - 1) && isMagenta(picture, w - 1, h - 1));
            EXPECT_FALSE(isMagenta(picture, w / 2, h / 2));
        } else {
            // New games key every default picture on magenta.
            EXPECT_EQ(countMagenta(picture), 0);
            squares += w == 150 && h == 115 ? 1 : 0;
        }
    }
    EXPECT_GE(pieces, 4);
    EXPECT_GE(squares, 5);
}

TEST(ArtworkTest, DefaultPicturesAreInstalledBesideThePrograms) {
    const std::string source = kResources + "/default-images";
    const std::string installed = std::string(BANMEN_BIN_DIR) + "/Image Files";
    for (const std::string& name : filesIn(source, "*.bmp")) {
        ASSERT_TRUE(test::exists(installed + "/" + name)) << name;
        EXPECT_EQ(test::readBytes(installed + "/" + name), test::readBytes(source + "/" + name))
            << name;
    }
}

// ImageMagick reads every file as the BMP it claims to be.
TEST(ArtworkTest, OtherProgramsReadThePictures) {
    if (std::system("command -v identify >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    }
    for (const std::string& folder : {kResources + "/bitmaps", kResources + "/default-images"}) {
        const std::set<std::string> files = filesIn(folder, "*.bmp");
        const std::string command =
            "cd '" + folder + "' && identify -format '%f %m %w %h\\n' *.bmp 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        EXPECT_EQ(pclose(pipe), 0) << output;
        std::istringstream lines(output);
        std::string name;
        std::string format;
        int width = 0;
        int height = 0;
        std::set<std::string> seen;
        while (lines >> name >> format >> width >> height) {
            SCOPED_TRACE(name);
            EXPECT_EQ(format, "BMP3");
            DibBitmap ours;
            ASSERT_TRUE(ours.LoadFile(folder + "/" + name));
            EXPECT_EQ(width, ours.GetWidth());
            EXPECT_EQ(height, ours.GetHeight());
            seen.insert(name);
        }
        EXPECT_EQ(seen, files);
    }
}

}  // namespace
}  // namespace banmen
