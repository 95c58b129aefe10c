// The game analysis in the editor, driven through the Build menu's item and
// the analysis window's own widgets: the findings and their double-click,
// the run off the user-interface thread with its progress and cancel, and
// the heat map as painted over the map.

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/analysis_texts.h"
#include "editor/dialogs/analysis_window.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

// The new game's squares: 0 start (700, 500), 1 goal (100, 100), 2 normal
// (100, 500), linked start -> normal -> goal.
constexpr int kStart = 0;
constexpr int kGoal = 1;
constexpr int kNormal = 2;

struct Editor {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};
    EditorWindow window{document};

    void change(const std::function<void(GameRecord&)>& change) {
        document.edit(QStringLiteral("テスト"),
                      [&](RecordOwner& owner) { change(owner.record()); });
    }
    AnalysisWindow* analysis() { return window.findChild<AnalysisWindow*>(); }
    template <typename T>
    T* part(const char* name) {
        AnalysisWindow* w = analysis();
        return w != nullptr ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    void analyze() { window.action(kCmdAnalyze)->trigger(); }
};

// Every face of the start square's die jumps to the goal: the first player
// reaches it on the first turn of every game, and nothing else is stopped on.
void jumpStraightToGoal(GameRecord& record) {
    for (std::int32_t& jump : record.squares[kStart].dieJumps) {
        jump = kGoal;
    }
}

// No goal: the goal becomes a normal square leading back to the start, so
// every game runs to the turn limit.
void endlessLoop(GameRecord& record) {
    record.squares[kGoal].kind = kSquareNormal;
    record.squares[kGoal].nextSquares[0] = kStart;
}

QPoint centreOf(const GameRecord& record, int square) {
    return {record.squares[square].x, record.squares[square].y - 8};
}

bool reddish(QColor c) {
    return c.red() > c.green() + 80 && c.red() > c.blue() + 80;
}
bool bluish(QColor c) {
    return c.blue() > c.red() + 80;
}

}  // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

  private:
    QImage grabClient(EditorWindow& window) {
        const QString file = QString::fromStdString(shots_->file("client.png"));
        if (!window.clientArea()->grab().save(file, "PNG")) {
            return {};
        }
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<test::TempDir> home_;
    std::unique_ptr<test::TempDir> shots_;

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        shots_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
    }

    void cleanupTestCase() { unsetenv("BANMEN_HOME"); }

    void findingsAreListedAndADoubleClickSelectsTheirObject() {
        Editor editor;
        editor.change([](GameRecord& r) { r.players[1].startSquare = -1; });
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
        editor.analyze();
        QVERIFY(editor.analysis() != nullptr && editor.analysis()->isVisible());
        // Beside the map, not over it.
        const QRect map(editor.window.clientArea()->mapToGlobal(QPoint(0, 0)), QSize(800, 600));
        QVERIFY(!editor.analysis()->frameGeometry().intersects(map));

        auto* list = editor.part<QTreeWidget>("findingList");
        QVERIFY(list != nullptr);
        QTreeWidgetItem* noStart = nullptr;
        QTreeWidgetItem* square = nullptr;
        int listed = 0;
        for (int g = 0; g < list->topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = list->topLevelItem(g);
            // The heading counts its findings.
            QVERIFY2(group->text(0).contains(QStringLiteral("（%1 件）").arg(group->childCount())),
                     qPrintable(group->text(0)));
            for (int i = 0; i < group->childCount(); ++i) {
                QTreeWidgetItem* item = group->child(i);
                ++listed;
                if (group->text(0).startsWith(QStringLiteral("スタートなし")) &&
                    item->text(0).startsWith(QStringLiteral("プレイヤー２"))) {
                    noStart = item;
                }
                if (item->text(0).startsWith(QStringLiteral("マス3 "))) {
                    square = item;
                }
            }
        }
        QVERIFY(noStart != nullptr);
        QVERIFY(square != nullptr);
        // The build dialog's lines are the same findings.
        const QStringList lines =
            workspaceFindingLines(editor.document.record(), editor.document.folder());
        QCOMPARE(lines.size(), listed);
        QVERIFY(lines.contains(QStringLiteral("スタートなし: ") + noStart->text(0)));

        auto doubleClick = [list](QTreeWidgetItem* item) {
            list->scrollToItem(item);
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        };
        doubleClick(noStart);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Player, 1}));
        QVERIFY(editor.window.selectedCaption().startsWith(QStringLiteral("プレイヤー２")));
        doubleClick(square);
        QCOMPARE(editor.document.selection(), (Selection{ObjectKind::Square, kNormal}));
        QVERIFY(editor.window.selectedCaption().startsWith(QStringLiteral("マス3")));
    }

    void theRunShowsProgressRestartsAndCancelsWhileTheEditorStaysEditable() {
        Editor editor;
        editor.change(endlessLoop);
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
        editor.analyze();
        AnalysisWindow* analysis = editor.analysis();
        QSignalSpy finished(analysis, &AnalysisWindow::analysisFinished);
        auto* progress = editor.part<QProgressBar>("progressBar");
        auto* cancel = editor.part<QPushButton>("cancelButton");
        QVERIFY(progress->isVisible() && cancel->isVisible());
        QCOMPARE(progress->maximum(), AnalysisWindow::kDefaultGames);
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 30000);

        // The editor answers and edits meanwhile; the run keeps its copy.
        const std::size_t before = editor.document.history().position();
        editor.window.runCommand(kCmdAddSquare);
        QCOMPARE(editor.document.history().position(), before + 1);
        QVERIFY(analysis->running());

        // Choosing the item again starts over: the old run never reports.
        editor.analyze();
        QCOMPARE(progress->value(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 30000);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!analysis->running(), 10000);
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!progress->isVisible() && !cancel->isVisible());
        const QString summary = editor.part<QLabel>("summaryLabel")->text();
        QVERIFY2(summary.contains(QStringLiteral("局で中止")), qPrintable(summary));
        // Every game played ran into the turn limit.
        QVERIFY2(summary.contains(QStringLiteral("終局した対局がありません")), qPrintable(summary));
    }

    void closingTheWindowOrTheEditorEndsTheRun() {
        auto editor = std::make_unique<Editor>();
        editor->change(endlessLoop);
        editor->analyze();
        AnalysisWindow* analysis = editor->analysis();
        QVERIFY(analysis->running());
        QTest::mouseClick(editor->part<QPushButton>("closeButton"), Qt::LeftButton);
        QVERIFY(!analysis->isVisible());
        QVERIFY(!analysis->running());

        // Again, and the whole editor goes while the games are played.
        editor->analyze();
        QVERIFY(analysis->running());
        QTest::qWait(50);
        editor.reset();
    }

    void theHeatMapTintsSquaresByStopsAndFollowsEdits() {
        Editor editor;
        editor.change(jumpStraightToGoal);
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
        editor.analyze();
        AnalysisWindow* analysis = editor.analysis();
        QSignalSpy finished(analysis, &AnalysisWindow::analysisFinished);
        // A shorter run: change the count and run it again from the window.
        editor.part<QSpinBox>("gamesBox")->setValue(500);
        QTest::mouseClick(editor.part<QPushButton>("analyzeButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        const QString summary = editor.part<QLabel>("summaryLabel")->text();
        // The first player wins every game, in one turn.
        QVERIFY2(summary.contains(QStringLiteral("500 局（乱数の種 1）")), qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("平均 1.00、中央値 1、90%は 1 以内、最長 1")),
                 qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("1位 100.0%（均等なら 25.0%、+75.0 ポイント）")),
                 qPrintable(summary));

        HeatMapOverlay* overlay = analysis->overlay();
        QVERIFY(overlay->isVisible());
        const QImage plain = editor.window.mapView()->composedMap();
        const GameRecord& record = editor.document.record();
        // 13 pixels above a marker's centre: inside the tint, off the marker.
        const QPoint above(0, -13);
        const QPoint goal = centreOf(record, kGoal) + above;
        const QPoint start = centreOf(record, kStart) + above;
        const QPoint normal = centreOf(record, kNormal) + above;
        for (QPoint p : {goal, start, normal}) {
            QCOMPARE(plain.pixelColor(p), MapView::backgroundColor());
        }
        QImage shot = grabClient(editor.window);
        QVERIFY2(reddish(shot.pixelColor(goal)), qPrintable(shot.pixelColor(goal).name()));
        QVERIFY(bluish(shot.pixelColor(start)));
        QVERIFY(bluish(shot.pixelColor(normal)));
        // The legend: a light box with the scale from yellow to red.
        const QRect legend = overlay->legendRect();
        QVERIFY(shot.pixelColor(legend.left() + 4, legend.center().y()).lightness() > 248);
        const QColor few = shot.pixelColor(legend.left() + 12, legend.top() + 29);
        QVERIFY2(few.red() > 200 && few.green() > 200 && few.blue() < 120, qPrintable(few.name()));
        QVERIFY(reddish(shot.pixelColor(legend.right() - 12, legend.top() + 29)));

        // A square is added and the goal moves: the tint follows the goal,
        // the new square has none.
        editor.window.runCommand(kCmdAddSquare);
        int added = -1;
        for (int s = kNormal + 1; s < kSquareCount && added < 0; ++s) {
            added = inUse(record.squares[s]) ? s : -1;
        }
        QVERIFY(added > kNormal);
        editor.document.setNumber(*editor.document.field(ObjectKind::Square, kGoal, kFieldX), 400);
        editor.document.setNumber(*editor.document.field(ObjectKind::Square, kGoal, kFieldY), 300);
        QCoreApplication::processEvents();
        shot = grabClient(editor.window);
        const QImage moved = editor.window.mapView()->composedMap();
        QVERIFY(reddish(shot.pixelColor(centreOf(record, kGoal) + above)));
        QCOMPARE(shot.pixelColor(goal), moved.pixelColor(goal));
        const QPoint fresh = centreOf(record, added) + above;
        QVERIFY(fresh != goal);
        QCOMPARE(shot.pixelColor(fresh), moved.pixelColor(fresh));
        for (QPoint p : {goal, fresh, centreOf(record, kGoal)}) {
            QVERIFY(!overlay->legendRect().contains(p));
        }
        QVERIFY(editor.part<QLabel>("statusLabel")
                    ->text()
                    .contains(QStringLiteral("変更されています")));

        // The check box, a test run and closing the window take it away.
        auto* check = editor.part<QCheckBox>("heatMapCheck");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        QVERIFY(!overlay->isVisible());
        QCOMPARE(grabClient(editor.window).pixelColor(centreOf(record, kGoal) + above),
                 moved.pixelColor(centreOf(record, kGoal) + above));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        QVERIFY(overlay->isVisible());
        editor.window.startTestRun();
        QVERIFY(!overlay->isVisible());
        editor.window.stopRun();
        QTRY_VERIFY_WITH_TIMEOUT(editor.window.runState() == RunState::Idle, 10000);
        QVERIFY(overlay->isVisible());
        analysis->close();
        QVERIFY(!overlay->isVisible());
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::AnalysisWindowTest)
#include "analysis_window_test.moc"
