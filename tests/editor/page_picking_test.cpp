// Picking squares with LOCKON, double-clicking references and the route
// highlight of the next-square fields, driven with the mouse through the
// window system as a person drives them.

#include <QImage>

#include "editor/pages/bitmap_button.h"
#include "model/media_list.h"
#include "page_test_support.h"

namespace banmen {

using test::PageEditor;

class PagePickingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> home_;

    // Where a release picks square s: the release point is moved 10 right
    // and 10 down, and squares are hit 8 below their point.
    static QPoint aimAt(const PageEditor& e, int s) {
        const SquareDef& square = e.record().squares[static_cast<std::size_t>(s)];
        return {square.x - 10, square.y - 18};
    }

    // Presses LOCKON and lets go over the map.
    static void pick(PageEditor& e, ObjectKind kind, int lockon, QPoint release) {
        auto* button = e.control<BitmapButton>(kind, lockon);
        QVERIFY(button != nullptr);
        e.page(kind)->scrollArea()->ensureWidgetVisible(button);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY(e.page(kind)->picking());
        QTest::mouseRelease(e.window.mapView(), Qt::LeftButton, {}, release);
        QVERIFY(!e.page(kind)->picking());
        QVERIFY(!button->isDown());
    }

    static std::int32_t number(PageEditor& e, ObjectKind kind, int index, std::int32_t id,
                               int sub) {
        return e.document.owner().number(*e.document.field(kind, index, id, sub));
    }

    static QImage mapShot(PageEditor& e) {
        return e.window.mapView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        test::isolateEditor(*home_);
    }

    void lockonPicksASquareForEveryKindOfReference() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        pick(e, ObjectKind::Square, 2004, aimAt(e, 0));  // arrival
        QCOMPARE(e.record().squares[2].arrivalJump, 0);
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3の到着移動先"));
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1026)->text(),
                 QStringLiteral("マス1 [スタート(1)]"));
        pick(e, ObjectKind::Square, 2005, aimAt(e, 1));  // passing
        QCOMPARE(e.record().squares[2].passJump, 1);
        pick(e, ObjectKind::Square, 2014, aimAt(e, 0));  // the die's 5
        QCOMPARE(e.record().squares[2].dieJumps[4], 0);

        // Next squares go through the route link: a square already linked
        // is not linked twice.
        QCOMPARE(e.record().squares[2].nextSquares[0], 1);
        pick(e, ObjectKind::Square, 2001, aimAt(e, 1));
        QCOMPARE(e.record().squares[2].nextSquares[1], -1);
        pick(e, ObjectKind::Square, 2003, aimAt(e, 0));
        QCOMPARE(e.record().squares[2].nextSquares[3], 0);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1031)->text(),
                 QStringLiteral("マス1 [スタート(1)]"));

        e.select(ObjectKind::Player, 1);
        pick(e, ObjectKind::Player, 2005, aimAt(e, 2));
        QCOMPARE(e.record().players[1].startSquare, 2);
        QCOMPARE(e.document.undoCaption(), QStringLiteral("プレイヤー２の開始位置"));
    }

    void theReleasePointIsShiftedAndAMissChangesNothing() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        const SquareDef start = e.record().squares[0];
        const std::size_t steps = e.document.history().position();
        // Hit only once shifted 10 right and down...
        pick(e, ObjectKind::Square, 2004, QPoint(start.x - 35, start.y - 8));
        QCOMPARE(e.record().squares[2].arrivalJump, 0);
        // ...and missed only because of it.
        pick(e, ObjectKind::Square, 2005, QPoint(start.x + 25, start.y + 2));
        QCOMPARE(e.record().squares[2].passJump, -1);
        // Far from every square, and outside the map.
        pick(e, ObjectKind::Square, 2006, QPoint(400, 300));
        pick(e, ObjectKind::Square, 2006, QPoint(-30, 20));
        QCOMPARE(e.record().squares[2].dieJumps[0], -1);
        QCOMPARE(e.document.history().position(), steps + 1);
    }

    void escapeEndsPickingAndAClickOnLockonWaitsForTheNext() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        TablePage* page = e.page(ObjectKind::Square);
        auto* lockon = e.control<BitmapButton>(ObjectKind::Square, 2004);
        page->scrollArea()->ensureWidgetVisible(lockon);
        const QString pickingHelp = QStringLiteral(
            "無条件ジャンプのマスを選択\n\nこのマスに止まった時に無条件にジャンプするマスをマウスク"
            "リックして下さい");

        QTest::mousePress(lockon, Qt::LeftButton, {}, lockon->rect().center());
        QCOMPARE(page->helpShown(), pickingHelp);
        QTest::keyClick(e.window.windowHandle(), Qt::Key_Escape);
        QVERIFY(!page->picking());
        QCOMPARE(page->helpShown(), QStringLiteral("このマスに止まった時のジャンプ先"));
        QTest::mouseRelease(lockon, Qt::LeftButton, {}, lockon->rect().center());
        // The next click is the map's own again: it selects the square.
        QTest::mouseClick(e.window.mapView(), Qt::LeftButton, {}, aimAt(e, 0));
        QCOMPARE(e.record().squares[2].arrivalJump, -1);
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Square, 0}));
        e.select(ObjectKind::Square, 2);
        page->scrollArea()->ensureWidgetVisible(lockon);

        // A plain click on LOCKON, then a click on the square.
        QTest::mouseClick(lockon, Qt::LeftButton, {}, lockon->rect().center());
        QVERIFY(page->picking());
        QTest::mouseClick(e.window.mapView(), Qt::LeftButton, {}, aimAt(e, 1));
        QVERIFY(!page->picking());
        QCOMPARE(e.record().squares[2].arrivalJump, 1);

        // Picking as the map's "経路追加" starts it, for the next square 2.
        QVERIFY(page->startPicking(1029));
        QTest::mouseClick(e.window.mapView(), Qt::LeftButton, {}, aimAt(e, 0));
        QCOMPARE(e.record().squares[2].nextSquares[1], 0);
        QVERIFY(!page->startPicking(1042));  // not a square reference
    }

    void doubleClickSelectsTheObjectReferred() {
        PageEditor e;
        e.document.edit(QStringLiteral("準備"), [](RecordOwner& owner) {
            const std::int32_t image = AddImage(owner, sjis::lit("茶屋"), "Tea.bmp");
            owner.SetNumber(*owner.field(ObjectKind::Square, 2, kFieldPicture), image);
        });
        e.select(ObjectKind::Square, 2);
        const auto doubleClick = [&e](int control) {
            QWidget* line = e.control(e.document.selection().kind, control);
            QVERIFY(line != nullptr);
            e.page(e.document.selection().kind)->scrollArea()->ensureWidgetVisible(line);
            QTest::mouseDClick(line, Qt::LeftButton, {}, line->rect().center());
            QCoreApplication::processEvents();
        };
        doubleClick(1026);  // an empty arrival: nothing
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Square, 2}));
        doubleClick(1002);
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Image, 0}));
        QVERIFY(!e.page(ObjectKind::Image)->isHidden());
        e.select(ObjectKind::Square, 2);
        doubleClick(1007);
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Sound, 3}));
        e.select(ObjectKind::Square, 2);
        doubleClick(1028);
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Square, 1}));
        QCOMPARE(e.window.objectSelector().currentText(), QStringLiteral("マス2 [ゴール(2)]"));
    }

    void nextSquareFocusHighlightsItsRoute() {
        PageEditor e;
        e.select(ObjectKind::Square, 0);  // its route 1 leads to square 2
        e.click(e.control(ObjectKind::Square, 1006));
        const QImage plain = mapShot(e);
        const SquareDef& target = e.record().squares[2];
        const QRect marker(target.x - 16, target.y - 16, 32, 16);

        e.click(e.control(ObjectKind::Square, 1028));
        const QImage lit = mapShot(e);
        int changed = 0;
        for (int y = marker.top(); y <= marker.bottom(); ++y) {
            for (int x = marker.left(); x <= marker.right(); ++x) {
                changed += plain.pixel(x, y) != lit.pixel(x, y) ? 1 : 0;
            }
        }
        QVERIFY2(changed > 20, qPrintable(QString::number(changed)));
        // An empty route lights nothing; any other field puts it back.
        e.click(e.control(ObjectKind::Square, 1029));
        QCOMPARE(mapShot(e), plain);
        e.click(e.control(ObjectKind::Square, 1100));
        QCOMPARE(mapShot(e), plain);
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::PagePickingTest)
#include "page_picking_test.moc"
