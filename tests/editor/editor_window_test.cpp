// The main window over a real document: its size, title, map picture and
// status fields, checked on grabbed pixels.

#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "editor/document/editor_document.h"
#include "editor/map/map_sprites.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"
#include "editor/window/status_line.h"
#include "model/default_folders.h"
#include "model/workspace.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

// The fresh workspace the window starts with (no "MyProjects" folders yet).
const QString kNewGameTitle =
    QStringLiteral(" 盤面工房 (四季彩コレクション)）version 10.0 - 新規雙六(1)");

// The three squares of a new game.
const QPoint kStart(700, 500);
const QPoint kGoal(100, 100);
const QPoint kNormal(100, 500);

struct Editor {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};
    EditorWindow window{document};
};

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// A 24-bit bottom-up BMP, written out by hand so the test does not rely on
// the reader under test to make its input.
std::vector<std::uint8_t> bmp24(int width, int height, QColor left, QColor right) {
    const auto rowBytes = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = 0; y < height; ++y) {
        std::size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const QColor& c = x < width / 2 ? left : right;
            out.push_back(static_cast<std::uint8_t>(c.blue()));
            out.push_back(static_cast<std::uint8_t>(c.green()));
            out.push_back(static_cast<std::uint8_t>(c.red()));
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

// Writes a workspace with the new game's squares, the given title and, as
// board picture, image 0 named `pictureFile` (whose file the caller writes).
std::string writeWorkspace(const std::string& folder, const char* titleUtf8,
                           const char* pictureFile) {
    RecordOwner owner;
    owner.SetText(*owner.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit(titleUtf8));
    owner.SetText(*owner.field(ObjectKind::Image, 0, kFieldName), sjis::lit("絵柄"));
    owner.SetText(*owner.field(ObjectKind::Image, 0, kFieldFileName), sjis::lit(pictureFile));
    owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldPicture), 0);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&owner.record());
    const std::string path = folder + "/game.sgw";
    test::writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
    return path;
}

}  // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

  private:
    // The client area as a person sees it, through a PNG file on disk.
    QImage grabClient(EditorWindow& window) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            return {};
        }
        const QString file = QString::fromStdString(shots_->file("client.png"));
        if (!window.clientArea()->grab().save(file, "PNG")) {
            return {};
        }
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    static QColor at(const QImage& image, QPoint p) { return image.pixelColor(p); }
    static QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

    // The centre of a marker, where the hit circle's centre lies.
    static QColor fill(MarkerGroup group, MarkerState state) {
        return sprites().marker(group, state).pixelColor(16, 8);
    }
    static QColor dotColor() { return sprites().dot().pixelColor(3, 3); }
    static MapSprites& sprites() {
        static MapSprites loaded;
        static const bool once = loaded.load();
        Q_UNUSED(once);
        return loaded;
    }

    // Runs of `color` along one row (dx = 1) or one column (dy = 1).
    static int runsOf(const QImage& image, QColor color, QPoint start, int dx, int dy) {
        int runs = 0;
        bool inside = false;
        for (QPoint p = start; image.rect().contains(p); p += QPoint(dx, dy)) {
            const bool hit = image.pixelColor(p) == color;
            runs += hit && !inside ? 1 : 0;
            inside = hit;
        }
        return runs;
    }

    static int pixelsOf(const QImage& image, QColor color, QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                count += image.pixelColor(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    std::unique_ptr<test::TempDir> home_;
    std::unique_ptr<test::TempDir> shots_;

  private slots:
    void initTestCase() {
        // No default images: the new game must not depend on this machine.
        home_ = std::make_unique<test::TempDir>();
        shots_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
    }

    void cleanupTestCase() { unsetenv("BANMEN_HOME"); }

    void clientAreaIsFixed() {
        Editor editor;
        EditorWindow& window = editor.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.centralWidget(), window.clientArea());
        QCOMPARE(window.clientArea()->size(), QSize(980, 616));
        QCOMPARE(window.mapView()->geometry(), QRect(0, 0, 800, 600));
        // Only the menu bar outside the client area, and no resizing by hand.
        window.resize(1200, 900);
        QCoreApplication::processEvents();
        QCOMPARE(window.size(), QSize(980, 616 + window.menuBar()->height()));
        QCOMPARE(window.clientArea()->size(), QSize(980, 616));
    }

    void titleOfNewGame() {
        Editor editor;
        QCOMPARE(editor.window.windowTitle(), kNewGameTitle);
        QVERIFY(!editor.document.isModified());
    }

    void titleFollowsEditsAndModifiedMark() {
        Editor editor;
        const FieldDescriptor* title = editor.document.field(ObjectKind::Game, 0, kFieldTitle);
        QVERIFY(title != nullptr);
        editor.document.setText(*title, sjis::lit("改題すごろく"));
        QCOMPARE(editor.window.windowTitle(),
                 QStringLiteral(" 盤面工房 (四季彩コレクション)）version 10.0 - 改題すごろく *"));
        // Setting the same text again is not an edit, and the mark stays.
        editor.document.setText(*title, sjis::lit("改題すごろく"));
        QVERIFY(editor.window.windowTitle().endsWith(QStringLiteral("すごろく *")));
    }

    void statusFields() {
        Editor editor;
        StatusLine& status = editor.window.statusLine();
        QCOMPARE(status.squareField()->geometry(), QRect(1, 602, 799, 14));
        QCOMPARE(status.coordinatesField()->geometry(), QRect(802, 602, 88, 14));
        QCOMPARE(status.lockField()->geometry(), QRect(892, 602, 87, 14));
        QCOMPARE(status.lockField()->text(), QStringLiteral("マス移動可"));
        QCOMPARE(status.squareField()->parentWidget(), editor.window.clientArea());

        const QImage shot = grabClient(editor.window);
        QVERIFY(!shot.isNull());
        // White fields, with the window's own colour in the gaps between them.
        QCOMPARE(at(shot, 400, 609), QColor(Qt::white));
        QCOMPARE(at(shot, 885, 603), QColor(Qt::white));
        QCOMPARE(at(shot, 978, 615), QColor(Qt::white));
        QVERIFY(at(shot, 0, 609) != QColor(Qt::white));
        QVERIFY(at(shot, 801, 609) != QColor(Qt::white));
        QVERIFY(at(shot, 891, 609) != QColor(Qt::white));
        QVERIFY(at(shot, 400, 601) != QColor(Qt::white));
    }

    void newGameSquaresAndRoutes() {
        Editor editor;
        const QImage shot = grabClient(editor.window);
        QVERIFY(!shot.isNull());

        // Every marker centre (8 above the stored point) in its group's colour.
        const QColor start = fill(MarkerGroup::Start, MarkerState::Incomplete);
        const QColor goal = fill(MarkerGroup::Goal, MarkerState::Incomplete);
        const QColor normal = fill(MarkerGroup::Other, MarkerState::Incomplete);
        QVERIFY(start != goal && goal != normal && normal != start);
        QCOMPARE(at(shot, kStart + QPoint(0, -8)), start);
        QCOMPARE(at(shot, kGoal + QPoint(0, -8)), goal);
        QCOMPARE(at(shot, kNormal + QPoint(0, -8)), normal);

        // Each marker spans 32 x 16 with its top-left at (x - 16, y - 16).
        const QColor background = MapView::backgroundColor();
        for (QPoint p : {kStart, kGoal, kNormal}) {
            QVERIFY(at(shot, p + QPoint(-14, -8)) != background);
            QVERIFY(at(shot, p + QPoint(13, -8)) != background);
            QCOMPARE(at(shot, p + QPoint(-17, -8)), background);
            QCOMPARE(at(shot, p + QPoint(17, -8)), background);
            QCOMPARE(at(shot, p + QPoint(0, -17)), background);
            QCOMPARE(at(shot, p + QPoint(0, 2)), background);
        }

        // Plain background away from squares and routes.
        for (QPoint p : {QPoint(400, 300), QPoint(300, 200), QPoint(700, 100), QPoint(5, 595),
                         QPoint(795, 5), QPoint(400, 520)}) {
            QCOMPARE(at(shot, p), background);
        }

        // Routes 0 -> 2 (600 px: 18 dots) and 2 -> 1 (400 px: 12 dots); the
        // diagonal 0 - 1 is not linked.
        const QColor dot = dotColor();
        QCOMPARE(runsOf(shot, dot, QPoint(0, 500), 1, 0), 18);
        QCOMPARE(runsOf(shot, dot, QPoint(100, 0), 0, 1), 12);
        QCOMPARE(pixelsOf(shot, dot, QRect(120, 0, 680, 480)), 0);
    }

    void markersFollowTheRecord() {
        Editor editor;
        EditorDocument& doc = editor.document;
        // The goal is linked to; with a description it is complete.
        doc.setText(*doc.field(ObjectKind::Square, 1, kFieldDescription), sjis::lit("あがり"));
        // The start has a description but nothing leads to it.
        doc.setText(*doc.field(ObjectKind::Square, 0, kFieldDescription), sjis::lit("ふりだし"));
        QImage shot = grabClient(editor.window);
        QCOMPARE(at(shot, kGoal + QPoint(0, -8)), fill(MarkerGroup::Goal, MarkerState::Complete));
        QCOMPARE(at(shot, kStart + QPoint(0, -8)),
                 fill(MarkerGroup::Start, MarkerState::Incomplete));

        // Cutting the link 2 -> 1 removes its dots and leaves the goal unreached.
        doc.setNumber(*doc.field(ObjectKind::Square, 2, kFieldNextSquares, 0), -1);
        shot = grabClient(editor.window);
        QCOMPARE(at(shot, kGoal + QPoint(0, -8)), fill(MarkerGroup::Goal, MarkerState::Incomplete));
        QCOMPARE(runsOf(shot, dotColor(), QPoint(100, 0), 0, 1), 0);

        // A kind change moves the square to another group.
        doc.setNumber(*doc.field(ObjectKind::Square, 2, kFieldKind), kSquareRetire);
        shot = grabClient(editor.window);
        QCOMPARE(at(shot, kNormal + QPoint(0, -8)),
                 fill(MarkerGroup::Retire, MarkerState::Incomplete));
    }

    void boardPictureIsStretched() {
        test::TempDir folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.file(kImageFolderName))));
        const QColor left(0x30, 0x60, 0x90);
        const QColor right(0xc0, 0xa0, 0x20);
        test::writeBytes(folder.file("Image Files/board.bmp"), bmp24(400, 300, left, right));
        const std::string path = writeWorkspace(folder.path(), "盤面テスト", "board.bmp");

        Editor editor;
        QVERIFY(editor.window.openFile(path).isOk());
        QVERIFY(editor.notifier.notices.empty());
        QCOMPARE(editor.window.windowTitle(),
                 QStringLiteral(" 盤面工房 (四季彩コレクション)）version 10.0 - 盤面テスト"));

        const QImage shot = grabClient(editor.window);
        // The 400 x 300 picture covers the whole 800 x 600 map: its halves
        // meet at x = 400, and its right half reaches the bottom-right corner.
        QCOMPARE(at(shot, 2, 2), left);
        QCOMPARE(at(shot, 395, 250), left);
        QCOMPARE(at(shot, 2, 597), left);
        QCOMPARE(at(shot, 405, 250), right);
        QCOMPARE(at(shot, 797, 2), right);
        QCOMPARE(at(shot, 797, 597), right);
        // Squares and routes are drawn over it.
        QCOMPARE(at(shot, kStart + QPoint(0, -8)),
                 fill(MarkerGroup::Start, MarkerState::Incomplete));
        QCOMPARE(runsOf(shot, dotColor(), QPoint(0, 500), 1, 0), 18);
    }

    void aNewGamesBoardPictureComesFromTheDefaultFolder() {
        // A picture of the new game's list, never copied into the workspace.
        test::TempDir defaults;
        const QColor left(0x10, 0x80, 0x40);
        const QColor right(0xe0, 0x30, 0x70);
        test::writeBytes(defaults.file("default board.bmp"), bmp24(80, 60, left, right));
        setDefaultImageFolderProvider([&] { return defaults.path(); });
        test::TempDir folder;
        const std::string path = writeWorkspace(folder.path(), "既定の絵", "default board.bmp");
        Editor editor;
        QVERIFY(editor.window.openFile(path).isOk());
        const QImage shot = grabClient(editor.window);
        setDefaultImageFolderProvider(nullptr);
        QCOMPARE(at(shot, 2, 2), left);
        QCOMPARE(at(shot, 797, 597), right);
    }

    void unreadableBoardPictureLeavesBackground() {
        test::TempDir folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.file(kImageFolderName))));
        test::writeText(folder.file("Image Files/broken.bmp"), "BM not really a bitmap");
        const std::string broken = writeWorkspace(folder.path(), "壊れ絵", "broken.bmp");

        Editor editor;
        QVERIFY(editor.window.openFile(broken).isOk());
        QImage shot = grabClient(editor.window);
        QCOMPARE(at(shot, 400, 300), MapView::backgroundColor());

        // A picture that is missing altogether: the same.
        test::TempDir other;
        const std::string missing = writeWorkspace(other.path(), "絵なし", "gone.bmp");
        QVERIFY(editor.window.openFile(missing).isOk());
        shot = grabClient(editor.window);
        QCOMPARE(at(shot, 400, 300), MapView::backgroundColor());
        QCOMPARE(at(shot, kGoal + QPoint(0, -8)), fill(MarkerGroup::Goal, MarkerState::Incomplete));
    }

    void missingFileKeepsTheDefaults() {
        test::TempDir folder;
        const std::string path = folder.file("nothing here.sgw");
        Editor editor;
        QVERIFY(!editor.window.openFile(path).isOk());

        // The file's own message, then the window's.
        QCOMPARE(editor.notifier.notices.size(), std::size_t{2});
        const test::Notice& notice = editor.notifier.notices[0];
        QCOMPARE(notice.caption, std::string(kOpenCaption));
        QVERIFY(notice.text.find(path) != std::string::npos);
        QCOMPARE(notice.icon, NoticeIcon::Information);
        QCOMPARE(editor.notifier.notices[1].text,
                 std::string("指定されたワークスペースを開けませんでした。"));
        QCOMPARE(editor.notifier.notices[1].icon, NoticeIcon::Exclamation);

        QCOMPARE(editor.window.windowTitle(), kNewGameTitle);
        QCOMPARE(editor.document.gameTitle(), std::string("新規雙六(1)"));
        const QImage shot = grabClient(editor.window);
        QCOMPARE(at(shot, kStart + QPoint(0, -8)),
                 fill(MarkerGroup::Start, MarkerState::Incomplete));
    }

    void openingReplacesAPreviousWorkspace() {
        test::TempDir folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.file(kImageFolderName))));
        test::writeBytes(folder.file("Image Files/board.bmp"),
                         bmp24(4, 4, QColor(10, 200, 10), QColor(10, 200, 10)));
        const std::string first = writeWorkspace(folder.path(), "一つ目", "board.bmp");

        Editor editor;
        QVERIFY(editor.window.openFile(first).isOk());
        QCOMPARE(at(grabClient(editor.window), 400, 300), QColor(10, 200, 10));

        // Same folder and picture name, new content: the new file is read.
        test::writeBytes(folder.file("Image Files/board.bmp"),
                         bmp24(4, 4, QColor(200, 10, 10), QColor(200, 10, 10)));
        QVERIFY(editor.window.openFile(first).isOk());
        QCOMPARE(at(grabClient(editor.window), 400, 300), QColor(200, 10, 10));
        QVERIFY(editor.window.windowTitle().endsWith(QStringLiteral(" - 一つ目")));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::EditorWindowTest)
#include "editor_window_test.moc"
