// The map in the main window, driven with the mouse and keys as a person
// drives it: clicks that lay out squares, the drag, arming, the context menu
// and its items, route setting from the Map menu, the Insert menu's squares,
// the Delete key, and the picture on screen.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "editor/commands/command_ids.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"
#include "editor/window/object_selector.h"
#include "editor/window/status_line.h"
#include "model/object_list.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

// The new game: start 0 at (700, 500) -> normal 2 at (100, 500) -> goal 1 at
// (100, 100). A square is hit 8 pixels above its stored point.
constexpr QPoint kStart(700, 492);
constexpr QPoint kGoal(100, 92);
constexpr QPoint kNormal(100, 492);

struct Editor {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};
    EditorWindow window{document};
    MapView* map = window.mapView();

    Editor() {
        window.setMapLocked(false);
        window.setSnapToGrid(false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The pointer comes onto the map, which arms it (the pointer moves
        // only when it goes somewhere else).
        QTest::mouseMove(map, QPoint(401, 301));
        QTest::mouseMove(map, QPoint(400, 300));
    }

    const GameRecord& record() const { return document.record(); }
    void click(QPoint at) { QTest::mouseClick(map, Qt::LeftButton, {}, at); }
    int used() const {
        int n = 0;
        for (const SquareDef& s : record().squares) {
            n += inUse(s) ? 1 : 0;
        }
        return n;
    }
    QString undoText() const { return window.action(kCmdUndo)->text(); }
    QString name(int square) const {
        return QString::fromStdString(sjis::toUtf8Lossy(fieldText(record().squares[square].name)));
    }

    // Right-clicks the map and gives the context menu it opened.
    QMenu* contextMenu(QPoint at) {
        QTest::mouseClick(map, Qt::RightButton, {}, at);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QAction* item(QMenu* menu, int id) {
        return menu->findChild<QAction*>(QStringLiteral("context%1").arg(id));
    }
};

}  // namespace

class MapViewTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_->path().c_str(), 1);
    }

    void clicksLayOutAChainOfSquares() {
        Editor editor;
        editor.click(kNormal);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 2}));
        editor.click({300, 300});
        editor.click({450, 300});
        QCOMPARE(editor.used(), 5);
        QCOMPARE(editor.record().squares[2].nextSquares[1], 3);
        QCOMPARE(editor.record().squares[3].nextSquares[0], 4);
        QCOMPARE(editor.record().squares[4].x, 450);
        QCOMPARE(editor.window.objectSelector().currentText(), QStringLiteral("マス5 [普通(5)]"));
        QCOMPARE(editor.undoText(), QStringLiteral("元に戻す: マスの追加"));

        // The hit circle: 31 pixels off still selects, 32 adds a square.
        editor.click({331, 292});
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 3}));
        QCOMPARE(editor.used(), 5);
        editor.click({332, 292});
        QCOMPARE(editor.used(), 6);
        editor.click({300, 324});
        QCOMPARE(editor.used(), 7);
    }

    void rightClickElsewhereDisarmsTheMap() {
        Editor editor;
        QTest::mouseClick(editor.window.statusLine().squareField(), Qt::RightButton);
        editor.click({400, 300});
        QCOMPARE(editor.used(), 3);
        editor.click({400, 300});
        QCOMPARE(editor.used(), 4);

        // The same after a context menu on the map, closed with Escape.
        QMenu* menu = editor.contextMenu({600, 200});
        QVERIFY(menu != nullptr);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        editor.click({600, 300});
        QCOMPARE(editor.used(), 4);
        editor.click({600, 300});
        QCOMPARE(editor.used(), 5);
    }

    void aDragIsOneUndoStep() {
        Editor editor;
        editor.window.setSnapToGrid(true);
        QTest::mousePress(editor.map, Qt::LeftButton, {}, kNormal + QPoint(3, 0));
        QTest::mouseMove(editor.map, QPoint(131, 452));
        QTest::mouseMove(editor.map, QPoint(163, 414));
        QTest::mouseRelease(editor.map, Qt::LeftButton, {}, QPoint(163, 414));
        QCOMPARE(editor.record().squares[2].x, 160);
        QCOMPARE(editor.record().squares[2].y, 410);
        QCOMPARE(editor.undoText(), QStringLiteral("元に戻す: マス3の移動"));
        editor.window.action(kCmdUndo)->trigger();
        QCOMPARE(editor.record().squares[2].x, 100);
        QCOMPARE(editor.record().squares[2].y, 500);
        QVERIFY(!editor.window.action(kCmdUndo)->isEnabled());

        // The picture on screen follows the drag exactly.
        QTest::mousePress(editor.map, Qt::LeftButton, {}, kGoal);
        QTest::mouseMove(editor.map, QPoint(250, 180));
        const QImage shown = editor.map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTest::mouseRelease(editor.map, Qt::LeftButton, {}, QPoint(250, 180));
        QCOMPARE(shown, editor.map->composedMap().convertToFormat(QImage::Format_RGB32));

        // A locked map moves nothing.
        editor.window.setMapLocked(true);
        QTest::mousePress(editor.map, Qt::LeftButton, {}, kStart);
        QTest::mouseMove(editor.map, QPoint(600, 300));
        QTest::mouseRelease(editor.map, Qt::LeftButton, {}, QPoint(600, 300));
        QCOMPARE(editor.record().squares[0].x, 700);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 0}));

        // Three-digit coordinates fit their narrow field whole.
        const QLabel* field = editor.window.statusLine().coordinatesField();
        QCOMPARE(field->text(), QStringLiteral("座標( 600, 300 )"));
        QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) <=
                field->contentsRect().width());
    }

    void contextMenuOnASquare() {
        Editor editor;
        editor.click(kGoal);  // the goal is selected
        QMenu* menu = editor.contextMenu(kNormal);
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->objectName(), QStringLiteral("mapContextMenu"));
        for (int id :
             {kCmdContextRouteAdd, kCmdContextRouteMode, kCmdContextCopy, kCmdContextDelete,
              kCmdContextCopySettings, kCmdContextDuplicate, kCmdContextSquareDebug, kCmdMapLock}) {
            QVERIFY2(Editor::item(menu, id)->isEnabled(), qPrintable(QString::number(id)));
        }
        // (Its routes pass under the pointer too.)
        QVERIFY(Editor::item(menu, kCmdContextRouteDelete)->isEnabled());
        for (int id : {kCmdContextNew, kCmdContextPaste, kCmdContextPasteSettings}) {
            QVERIFY2(!Editor::item(menu, id)->isEnabled(), qPrintable(QString::number(id)));
        }
        // Copy, then paste settings becomes possible on a square.
        Editor::item(menu, kCmdContextCopy)->trigger();
        menu->close();
        QVERIFY(editor.document.clipboard().full(ObjectKind::Square));
        menu = editor.contextMenu(kStart);
        QVERIFY(Editor::item(menu, kCmdContextPasteSettings)->isEnabled());
        menu->close();

        // Deleting a square that is not selected keeps the selection; the
        // routes through it now bypass it.
        menu = editor.contextMenu(kNormal);
        Editor::item(menu, kCmdContextDelete)->trigger();
        QVERIFY(!inUse(editor.record().squares[2]));
        QCOMPARE(editor.record().squares[0].nextSquares[0], 1);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 1}));
        QCOMPARE(editor.undoText(), QStringLiteral("元に戻す: マス3の削除"));
        // Deleting the selected one moves the selection to the next in use.
        menu = editor.contextMenu(kGoal);
        Editor::item(menu, kCmdContextDelete)->trigger();
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 0}));
    }

    void contextMenuOnARouteAndOnAnEmptySpot() {
        Editor editor;
        // Make the link normal -> goal run both ways.
        editor.document.edit(QStringLiteral("back"),
                             [](RecordOwner& owner) { AddRoute(owner, 1, 2); });
        QMenu* menu = editor.contextMenu({104, 300});
        QVERIFY(Editor::item(menu, kCmdContextRouteDelete)->isEnabled());
        QVERIFY(Editor::item(menu, kCmdContextNew)->isEnabled());
        QVERIFY(!Editor::item(menu, kCmdContextDelete)->isEnabled());
        QVERIFY(!Editor::item(menu, kCmdContextPaste)->isEnabled());  // the slot is empty
        Editor::item(menu, kCmdContextRouteDelete)->trigger();
        for (int square : {1, 2}) {
            for (std::int32_t next : editor.record().squares[square].nextSquares) {
                QVERIFY(next != 1 && next != 2);
            }
        }
        QCOMPARE(editor.undoText(), QStringLiteral("元に戻す: 経路の削除"));

        // New square and paste land exactly at the pointer.
        menu = editor.contextMenu({555, 222});
        QVERIFY(!Editor::item(menu, kCmdContextRouteDelete)->isEnabled());
        Editor::item(menu, kCmdContextNew)->trigger();
        QCOMPARE(editor.record().squares[3].x, 555);
        QCOMPARE(editor.record().squares[3].y, 222);
        editor.window.runCommand(kCmdCopy);
        menu = editor.contextMenu({321, 123});
        QVERIFY(Editor::item(menu, kCmdContextPaste)->isEnabled());
        Editor::item(menu, kCmdContextPaste)->trigger();
        QCOMPARE(editor.name(4), QStringLiteral("普通(4) ｺﾋﾟｰ1"));
        QCOMPARE(editor.record().squares[4].x, 321);
        QCOMPARE(editor.record().squares[4].y, 123);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 4}));
    }

    void routeSettingFromTheMapMenu() {
        Editor editor;
        editor.document.edit(QStringLiteral("clear"),
                             [](RecordOwner& owner) { ClearRoutes(owner); });
        editor.click(kStart);
        QAction* routeMode = editor.window.action(kCmdRouteMode);
        routeMode->trigger();
        QVERIFY(routeMode->isChecked());
        editor.click(kNormal);
        editor.click(kGoal);

        // The order numbers show up and left of the squares clicked so far.
        auto badges = [&editor] {
            const QImage map = editor.map->grab().toImage();
            int shown = 0;
            for (QPoint square : {QPoint(700, 500), QPoint(100, 500), QPoint(100, 100)}) {
                int vermilion = 0;
                for (int y = square.y() - 35; y <= square.y() - 17; ++y) {
                    for (int x = square.x() - 40; x <= square.x() - 17; ++x) {
                        vermilion += map.pixelColor(x, y) == QColor(214, 69, 42) ? 1 : 0;
                    }
                }
                shown += vermilion > 10 ? 1 : 0;
            }
            return shown;
        };
        QCOMPARE(badges(), 3);
        editor.click(kGoal);  // the last one again: the chain is applied
        QVERIFY(!routeMode->isChecked());
        QCOMPARE(editor.record().squares[0].nextSquares[0], 2);
        QCOMPARE(editor.record().squares[2].nextSquares[0], 1);
        QCOMPARE(editor.undoText(), QStringLiteral("元に戻す: 経路の設定"));
        QCOMPARE(badges(), 0);
    }

    void insertMenuUsesTheInsertPosition() {
        Editor editor;
        editor.document.edit(QStringLiteral("board"), [](RecordOwner& owner) {
            DeleteAllSquares(owner);
            AddSquare(owner, 100, 100, kSquareNormal);
            AddSquare(owner, 164, 164, kSquareNormal);
        });
        editor.window.action(kCmdAddGoalSquare)->trigger();
        QCOMPARE(editor.record().squares[2].x, 228);
        QCOMPARE(editor.record().squares[2].y, 228);
        QCOMPARE(editor.record().squares[2].kind, std::int32_t{kSquareGoal});
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 2}));

        editor.document.edit(QStringLiteral("fill"), [](RecordOwner& owner) {
            for (int i = 0; i < kSquareCount; ++i) {
                AddSquare(owner, 20 + (i % 20) * 38, 40 + (i / 20) * 55, kSquareNormal);
            }
        });
        QCOMPARE(editor.used(), kSquareCount);
        const QString before = editor.undoText();
        editor.window.action(kCmdAddSquare)->trigger();
        QCOMPARE(editor.undoText(), before);
    }

    void selectedSquareShowsItsArrowsAndHighlight() {
        Editor editor;
        editor.click(kStart);
        const MapSprites& sprites = editor.map->sprites();
        QImage shot = editor.map->grab().toImage();
        // The start links left to the normal square: its arrow is centred
        // 30 pixels along the link, in the arrow's vermilion.
        int arrow = 0;
        for (int y = 492; y <= 508; ++y) {
            for (int x = 662; x <= 678; ++x) {
                const QColor c = shot.pixelColor(x, y);
                arrow += c.red() > 150 && c.green() < 110 && c.blue() < 90 ? 1 : 0;
            }
        }
        QVERIFY2(arrow > 20, qPrintable(QString::number(arrow)));
        // Player 1's piece stands right of the start square.
        QCOMPARE(shot.pixelColor(712 + 16, 468 + 16), sprites.piece(0).pixelColor(16, 16));

        // The page highlights the start's first link: its target is drawn
        // again 6 pixels higher.
        const QColor lifted =
            sprites.marker(MarkerGroup::Other, MarkerState::Highlighted).pixelColor(16, 8);
        QVERIFY(shot.pixelColor(100, 486) != lifted);
        editor.map->setSelection(0, 0);
        shot = editor.map->grab().toImage();
        QCOMPARE(shot.pixelColor(100, 486), lifted);
    }

    void deleteKeyDeletesTheSelectedSquare() {
        Editor editor;
        editor.click(kNormal);  // square 2, the last in slot order
        editor.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        // The key goes where the keyboard focus is, as a person's does.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
        QVERIFY(!inUse(editor.record().squares[2]));
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 1}));
        QCOMPARE(editor.window.objectSelector().currentText(), QStringLiteral("マス2 [ゴール(2)]"));

        // Pressed in the page's name field, the key deletes the square and
        // leaves the name of the square shown next as it was.
        QLineEdit* name = nullptr;
        for (QLineEdit* edit :
             editor.window.findChildren<QLineEdit*>(QStringLiteral("control1006"))) {
            name = edit->isVisible() ? edit : name;
        }
        QVERIFY(name != nullptr);
        name->setFocus();
        name->setCursorPosition(0);
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
        QVERIFY(!inUse(editor.record().squares[1]));
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, 0}));
        QCOMPARE(editor.name(0), QStringLiteral("スタート(1)"));
        QCOMPARE(name->text(), QStringLiteral("スタート(1)"));
    }

  private:
    std::unique_ptr<test::TempDir> home_;
};

}  // namespace banmen

QTEST_MAIN(banmen::MapViewTest)
#include "map_view_test.moc"
