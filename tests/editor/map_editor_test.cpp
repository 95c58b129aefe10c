// The map's mouse over a document, without a window: arming, adding with
// quick chaining, the snapped drag, the route-mode chains and the status.

#include <QtTest>
#include <ctime>
#include <memory>
#include <vector>

#include "editor/document/editor_document.h"
#include "editor/map/map_editor.h"
#include "editor/map/map_geometry.h"
#include "editor/map/map_host.h"
#include "model/object_list.h"
#include "model/route_mode.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

struct Board {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};
    DocumentMapHost host{document};
    MapEditor editor{document, host};
    std::time_t now = 1000;

    // Squares of kind 0 at the points, nothing else on the board.
    explicit Board(const std::vector<QPoint>& squares = {}) {
        editor.setClock([this] { return now; });
        document.edit(QStringLiteral("setup"), [&](RecordOwner& owner) {
            DeleteAllSquares(owner);
            for (QPoint p : squares) {
                AddSquare(owner, p.x(), p.y(), kSquareNormal);
            }
        });
        editor.setArmed(true);
    }

    const SquareDef& square(int i) const { return document.record().squares[i]; }
    int used() const {
        int n = 0;
        for (const SquareDef& s : document.record().squares) {
            n += inUse(s) ? 1 : 0;
        }
        return n;
    }
    std::vector<int> links(int i) const {
        std::vector<int> out;
        for (std::int32_t next : square(i).nextSquares) {
            if (next != -1) {
                out.push_back(next);
            }
        }
        return out;
    }
};

}  // namespace

class MapEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
    }

    void aLeftPressActsOnlyWhenArmed() {
        Board board;
        board.editor.setArmed(false);
        board.editor.leftPress({300, 300});
        QCOMPARE(board.used(), 0);
        QVERIFY(board.editor.armed());
        board.editor.leftPress({300, 300});
        QCOMPARE(board.used(), 1);
        QCOMPARE(board.square(0).x, 300);

        // A right press disarms once more; a pointer move on the map arms.
        board.editor.rightPress({10, 10});
        board.editor.leftPress({500, 300});
        QCOMPARE(board.used(), 1);
        board.editor.rightPress({10, 10});
        board.editor.pointerMove({500, 300});
        board.editor.leftPress({500, 300});
        QCOMPARE(board.used(), 2);
        QCOMPARE(board.document.undoCaption(), QStringLiteral("マスの追加"));
    }

    void squaresAddedQuicklyAreChained() {
        Board board;
        board.editor.leftPress({100, 300});
        board.now += 1;  // within 2 s: linked from the selected square
        board.editor.leftPress({300, 300});
        QCOMPARE(board.links(0), std::vector<int>{1});
        QCOMPARE(board.document.selection(), (Selection{ObjectKind::Square, 1}));
        board.now += 2;  // 2 s later: not linked
        board.editor.leftPress({500, 300});
        QVERIFY(board.links(1).empty());
        // A click selecting a square starts the time again.
        board.now += 5;
        board.editor.leftPress({500, 292});
        board.now += 1;
        board.editor.leftPress({700, 300});
        QCOMPARE(board.links(2), std::vector<int>{3});
        // Undo takes the square and its link back in one step.
        QVERIFY(board.document.undo());
        QVERIFY(board.links(2).empty());
        QCOMPARE(board.used(), 3);
    }

    void aSquareOnARouteSplitsItInsteadOfChaining() {
        Board board({{100, 300}, {500, 300}});
        board.document.edit(QStringLiteral("link"),
                            [](RecordOwner& owner) { AddRoute(owner, 0, 1); });
        board.editor.leftPress({100, 292});
        board.editor.leftPress({300, 310});
        QCOMPARE(board.links(0), std::vector<int>{2});
        QCOMPARE(board.links(2), std::vector<int>{1});
    }

    void lockedMapSaysSoAndNeverDrags() {
        Board board({{200, 300}});
        board.host.locked = true;
        board.editor.leftPress({400, 400});
        QCOMPARE(board.used(), 1);
        QCOMPARE(board.notifier.notices.size(), std::size_t{1});
        QCOMPARE(board.notifier.notices[0].caption, std::string("盤面工房（四季彩コレクション）"));
        QCOMPARE(
            board.notifier.notices[0].text,
            std::string("マスを追加できません。マス移動不可の状態になっています。\n"
                        "マスを追加する時は、[ﾏｯﾌﾟ]ﾒﾆｭｰ[ﾏｽの移動不可]のチェックを外して下さい。"));
        QCOMPARE(board.notifier.notices[0].icon, NoticeIcon::Information);

        board.editor.leftPress({200, 292});
        QCOMPARE(board.document.selection(), (Selection{ObjectKind::Square, 0}));
        QVERIFY(!board.editor.dragging());
        board.editor.pointerMove({260, 340});
        QCOMPARE(board.square(0).x, 200);
    }

    void snappedDragFollowsTheGrid() {
        Board board({{120, 95}});
        board.host.snap = true;
        board.editor.leftPress({123, 87});
        QVERIFY(board.editor.dragging());
        QCOMPARE(board.square(0).x, 120);
        QCOMPARE(board.square(0).y, 95);
        const std::size_t steps = board.document.history().position();
        board.editor.pointerMove({124, 88});  // snaps to (120, 90), the press point
        QCOMPARE(board.square(0).y, 95);
        QCOMPARE(board.document.history().position(), steps);
        board.editor.pointerMove({126, 87});
        QCOMPARE(board.square(0).x, 130);
        QCOMPARE(board.square(0).y, 90);
        board.editor.pointerMove({155, 134});
        board.editor.leftRelease();
        QCOMPARE(board.square(0).x, 160);
        QCOMPARE(board.square(0).y, 130);
        // The whole drag is one step.
        QCOMPARE(board.document.undoCaption(), QStringLiteral("マス1の移動"));
        QVERIFY(board.document.undo());
        QCOMPARE(board.square(0).x, 120);
        QCOMPARE(board.square(0).y, 95);

        // Without the grid the square keeps its offset from the pointer; a
        // pointer past the map's edge leaves it on the edge.
        board.host.snap = false;
        board.editor.leftPress({123, 87});
        board.editor.pointerMove({133, 97});
        QCOMPARE(board.square(0).x, 130);
        QCOMPARE(board.square(0).y, 105);
        board.editor.pointerMove({-50, 900});
        QCOMPARE(board.square(0).x, 0);
        QCOMPARE(board.square(0).y, 600);
        board.editor.leftRelease();
        board.editor.pointerMove({300, 300});
        QCOMPARE(board.square(0).x, 0);
        QVERIFY(board.document.undo());
        QCOMPARE(board.square(0).x, 120);  // a second drag, a second step
    }

    void routeModeChainsInClickOrder() {
        const std::vector<QPoint> points{{100, 100}, {200, 100}, {300, 100}, {400, 100}};
        {
            Board board(points);
            board.document.edit({}, [](RecordOwner& owner) { StartRouteMode(owner, 0); });
            for (int square : {1, 2, 3, 3}) {
                board.editor.leftPress(points[static_cast<std::size_t>(square)] - QPoint(0, 8));
            }
            QVERIFY(!board.document.owner().editState().routeMode);
            QCOMPARE(board.links(0), std::vector<int>{1});
            QCOMPARE(board.links(1), std::vector<int>{2});
            QCOMPARE(board.links(2), std::vector<int>{3});
            QVERIFY(board.links(3).empty());
            QCOMPARE(board.document.selection(), (Selection{ObjectKind::Square, 3}));
            QCOMPARE(board.document.undoCaption(), QStringLiteral("経路の設定"));
        }
        {
            Board board(points);
            board.document.edit({}, [](RecordOwner& owner) { StartRouteMode(owner, 0); });
            for (int square : {1, 2, 0}) {
                board.editor.leftPress(points[static_cast<std::size_t>(square)] - QPoint(0, 8));
            }
            // Back on the first: it links to the last clicked, then the chain.
            QCOMPARE(board.links(0), (std::vector<int>{2, 1}));
            QCOMPARE(board.links(1), std::vector<int>{2});
            QVERIFY(board.links(2).empty());
            QVERIFY(!board.document.owner().editState().routeMode);
        }
        {
            // A click on an empty spot ends the mode and adds nothing.
            Board board(points);
            board.document.edit({}, [](RecordOwner& owner) { StartRouteMode(owner, 0); });
            board.editor.leftPress({200, 92});
            board.editor.leftPress({500, 500});
            QVERIFY(!board.document.owner().editState().routeMode);
            QCOMPARE(board.used(), 4);
            QCOMPARE(board.links(0), std::vector<int>{1});
        }
    }

    void statusRewritesTheSquareOnlyWhenItChanges() {
        Board board({{200, 300}});
        board.document.edit(QStringLiteral("describe"), [](RecordOwner& owner) {
            owner.SetText(*owner.field(ObjectKind::Square, 0, kFieldDescription), "x");
        });
        board.editor.pointerMove({7, 42});
        QCOMPARE(board.host.coordinates, QStringLiteral("座標( 7  , 42  )"));
        QVERIFY(board.host.squareInfo.isEmpty());
        board.editor.pointerMove({200, 292});
        QVERIFY(board.host.squareInfo.startsWith(QStringLiteral("マス1 [普通(1):普通] ～ x ～ ")));
        board.host.squareInfo = QStringLiteral("unchanged");
        board.editor.pointerMove({210, 296});
        QCOMPARE(board.host.squareInfo, QStringLiteral("unchanged"));
        QCOMPARE(board.host.coordinates, QStringLiteral("座標( 210, 296 )"));
        board.editor.pointerMove({400, 400});
        QVERIFY(board.host.squareInfo.isEmpty());
    }

  private:
    std::unique_ptr<test::TempDir> home_;
};

}  // namespace banmen

QTEST_GUILESS_MAIN(banmen::MapEditorTest)
#include "map_editor_test.moc"
