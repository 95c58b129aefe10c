// The play screen's drawing without a window: the hop and the dice by their
// formulas, the button table, the transitions and fireworks, the pieces by
// the placement table, and the information window's size.

#include <QtTest>
#include <cmath>
#include <cstring>
#include <set>

#include "editor/play/draw/button_table.h"
#include "editor/play/draw/dice_animation.h"
#include "editor/play/draw/fireworks.h"
#include "editor/play/draw/hop_animation.h"
#include "editor/play/draw/info_card.h"
#include "editor/play/draw/play_frame.h"
#include "editor/play/draw/transitions.h"
#include "editor/window/editor_window.h"
#include "editor/window/run_menu.h"
#include "model/record_owner.h"
#include "model/workspace.h"
#include "support/test_support.h"

namespace banmen {
namespace {

using namespace play;

// Frames pass at once; random numbers come from a list, round and round.
class ScriptedPacer : public FramePacer {
  public:
    explicit ScriptedPacer(std::vector<int> numbers = {0}) : numbers_(std::move(numbers)) {}
    bool frame(int ms, bool stoppable) override {
        delays.push_back(ms);
        stoppables.push_back(stoppable);
        return abortAfter < 0 || static_cast<int>(delays.size()) < abortAfter;
    }
    int random() override {
        ++draws;
        return numbers_[static_cast<std::size_t>(draws - 1) % numbers_.size()];
    }
    std::vector<int> delays;
    std::vector<bool> stoppables;
    int draws = 0;
    int abortAfter = -1;  // frame number that returns false

  private:
    std::vector<int> numbers_;
};

void putName(char* field, std::size_t width, const char* ascii) {
    std::memset(field, 0, width);
    std::strncpy(field, ascii, width - 1);
}

// Four players on squares 0..3 at (100 + 200 i, 300); square 4 at (400, 100).
GameRecord boardGame() {
    RecordOwner owner;
    GameRecord record = owner.record();
    for (int i = 0; i < 5; ++i) {
        SquareDef& s = record.squares[i];
        putName(s.name, sizeof s.name, "S");
        s.x = i < 4 ? 100 + 200 * i : 400;
        s.y = i < 4 ? 300 : 100;
    }
    record.settings.playerCount = 4;
    record.settings.gamePicture = -1;
    for (int p = 0; p < kPlayerCount; ++p) {
        record.players[p].picture = -1;
        record.players[p].currentSquare = p;
    }
    return record;
}

QImage boardPart(PlayFrame& frame, const Rect& r) {
    return frame.image().copy(r.left, r.top, r.width(), r.height());
}

QImage bitmapPart(DibBitmap& bitmap, const Rect& r) {
    return bitmap.ToImage().copy(r.left, r.top, r.width(), r.height());
}

}  // namespace

class PlayDrawingTest : public QObject {
    Q_OBJECT

  private slots:
    void hopFollowsItsFormula() {
        // 100 pixels: a third of it high, 12 frames of 33 ms.
        const HopPlan plan = planHop({0, 0}, {60, 80});
        QCOMPARE(plan.frames, 12);
        QCOMPARE(plan.delayMs, 33);
        QVERIFY(std::abs(plan.height - 100.0 / 3) < 1e-9);
        // The middle of the way at full height, leaning left by a tenth.
        QCOMPARE(plan.lift(6), plan.height);
        QCOMPARE(plan.at(6), (Point{30 - 3, 40 - 33}));
        // Near the start: height * sin(acos((height - travelled) / height)).
        const double travelled = 100.0 / 12;
        const double expected =
            plan.height * std::sin(std::acos((plan.height - travelled) / plan.height));
        QVERIFY(std::abs(plan.lift(1) - expected) < 1e-9);
        QVERIFY(std::abs(plan.lift(11) - expected) < 1e-6);
        // The last frame lands.
        QCOMPARE(plan.at(12), (Point{60, 80}));

        // Long hops: at most 24 frames of at least 30 ms, at most 100 high.
        const HopPlan far = planHop({0, 0}, {600, 0});
        QCOMPARE(far.frames, 24);
        QCOMPARE(far.delayMs, 30);
        QCOMPARE(far.height, 100.0);
        // Shorter than 8 pixels: no frames, the piece is placed at once.
        QCOMPARE(planHop({0, 0}, {7, 0}).frames, 0);
        QCOMPARE(planHop({0, 0}, {8, 0}).frames, 1);
        QCOMPARE(planHop({5, 5}, {5, 5}).frames, 0);
        // A hop of 1 frame lands on its first frame.
        QCOMPARE(planHop({0, 0}, {8, 0}).at(1), (Point{8, 0}));
    }

    void hopDrawsEachFrameAndLeavesTheBoardClean() {
        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        const GameRecord record = boardGame();
        frame.setGame(record, {}, 4);
        const Point from = frame.pieceTopLeft(0, 0);
        const Point to = frame.pieceTopLeft(0, 4);
        ScriptedPacer pacer;
        QVERIFY(animateHop(frame, pacer, 0, from, to));
        const HopPlan plan = planHop(from, to);
        QCOMPARE(static_cast<int>(pacer.delays.size()), plan.frames);
        for (const int delay : pacer.delays) {
            QCOMPARE(delay, plan.delayMs);
        }
        // The piece is back on the board at its square (the record did not
        // move it); along the way the board is as it was.
        QCOMPARE(frame.pieceRect(0), frame.pieceRectAt(0, from));
        const Rect path{330, 100, 450, 250};
        QCOMPARE(boardPart(frame, path), bitmapPart(frame.cleanBoard(), path));

        // An aborted hop ends at that frame, the piece where it stood.
        ScriptedPacer stopper;
        stopper.abortAfter = 3;
        QVERIFY(!animateHop(frame, stopper, 0, from, to));
        QCOMPARE(static_cast<int>(stopper.delays.size()), 3);
        QCOMPARE(frame.pieceRect(0), frame.pieceRectAt(0, from));
        QCOMPARE(boardPart(frame, path), bitmapPart(frame.cleanBoard(), path));
    }

    void piecesStandByThePlacementTable() {
        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        GameRecord record = boardGame();
        for (int p = 0; p < kPlayerCount; ++p) {
            record.players[p].currentSquare = 1;  // (300, 300)
        }
        frame.setGame(record, {}, 4);
        const int w = frame.piece(0).GetWidth();
        const int h = frame.piece(0).GetHeight();
        QCOMPARE(w, 32);
        QCOMPARE(frame.pieceTopLeft(0, 1), (Point{300 - 2 * w / 3, 300 - h}));
        QCOMPARE(frame.pieceTopLeft(1, 1), (Point{300 - w / 2, 300 - h - 6}));
        QCOMPARE(frame.pieceTopLeft(2, 1), (Point{300 - w / 3, 300 - h}));
        QCOMPARE(frame.pieceTopLeft(3, 1), (Point{300 - w / 2, 300 - h + 6}));
        // Player 4 is drawn last, over the others.
        const Point top = frame.pieceTopLeft(3, 1);
        const QImage piece = frame.piece(3).ToImage();
        int checked = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (piece.pixel(x, y) == qRgb(0, 0, 0)) {
                    continue;  // keyed out (made black by the mask)
                }
                QCOMPARE(frame.image().pixel(top.x + x, top.y + y), piece.pixel(x, y));
                ++checked;
            }
        }
        QVERIFY(checked > 100);

        // A player beyond the count has no piece; moving one redraws both
        // places.
        PlayFrame two;
        QVERIFY(two.loadPictures());
        GameRecord record2 = boardGame();
        two.setGame(record2, {}, 2);
        QVERIFY(two.pieceRect(2).empty());
        QVERIFY(!two.pieceRect(1).empty());
        const Rect old = two.pieceRect(1);
        record2.players[1].currentSquare = 4;
        two.syncPieces();
        QCOMPARE(two.pieceRect(1), two.pieceRectAt(1, two.pieceTopLeft(1, 4)));
        QCOMPARE(boardPart(two, old), bitmapPart(two.cleanBoard(), old));
    }

    void diceTumbleThroughThreeStages() {
        ScriptedPacer pacer({4, 7, 1});
        DiceRoll roll(3, {5, 2, 6}, pacer);
        // Place and spin for each die: three numbers a die.
        QCOMPARE(pacer.draws, 9);
        QCOMPARE(static_cast<int>(roll.dice().size()), 3);
        QCOMPARE(roll.dice()[0].angle, 0);
        QCOMPARE(roll.dice()[1].angle, -45);
        QCOMPARE(roll.dice()[2].angle, -135);
        int frames = 0;
        int restFrame[3] = {0, 0, 0};
        while (roll.step()) {
            ++frames;
            for (int i = 0; i < 3; ++i) {
                if (restFrame[i] == 0 && roll.dice()[static_cast<std::size_t>(i)].atRest()) {
                    restFrame[i] = frames;
                }
            }
        }
        // 1080 / 15 frames; each die rests after 3 stages of 12 frames, the
        // second 3 frames later, the third 9.
        QCOMPARE(frames, 72);
        QCOMPARE(roll.counter(), 1080);
        QCOMPARE(restFrame[0], 36);
        QCOMPARE(restFrame[1], 39);
        QCOMPARE(restFrame[2], 45);
        QCOMPARE(roll.dice()[0].shown, 5);
        QCOMPARE(roll.dice()[1].shown, 2);
        QCOMPARE(roll.dice()[2].shown, 6);

        // The face changes every frame in stage 1 (angles 15 to 165: the
        // first frame already turns the die on from 0), every 2nd frame in
        // stage 2 and every 3rd in stage 3 (angles 0 to 165).
        ScriptedPacer one;
        DiceRoll single(1, {3, 0, 0}, one);
        std::vector<int> changes(3, 0);
        int last = single.dice()[0].shown;
        while (single.step() && !single.dice()[0].atRest()) {
            const TumblingDie& die = single.dice()[0];
            if (die.shown != last) {
                ++changes[static_cast<std::size_t>(die.stage)];
            }
            last = die.shown;
        }
        QCOMPARE(changes[0], 11);
        QCOMPARE(changes[1], 6);
        QCOMPARE(changes[2], 4);
    }

    void diceFramesIgnoreTheStopAndLandOnTheFaces() {
        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        const GameRecord record = boardGame();
        frame.setGame(record, {}, 1);
        ScriptedPacer pacer;
        QVERIFY(animateDice(frame, pacer, 2, {4, 1, 0}));
        QCOMPARE(static_cast<int>(pacer.delays.size()), 72);
        for (std::size_t i = 0; i < pacer.delays.size(); ++i) {
            QCOMPARE(pacer.delays[i], 10);
            QVERIFY(!pacer.stoppables[i]);
        }
        // Removing the dice gives the board back.
        frame.showBoard(kDiceRect);
        QCOMPARE(boardPart(frame, kDiceRect), bitmapPart(frame.board(), kDiceRect));
        // A window that goes away ends the roll.
        ScriptedPacer gone;
        gone.abortAfter = 5;
        QVERIFY(!animateDice(frame, gone, 1, {2, 0, 0}));
    }

    void buttonTableHasAHundredSlots() {
        ButtonTable table;
        QCOMPARE(table.add(0, 0, 0, {0, 0}), -1);  // id 0 marks a free slot
        const int first = table.add(100, 0, kWaitButton, {873, 392});
        QCOMPARE(first, 0);
        QCOMPARE(table.slot(0).rect, (Rect{873, 392, 905, 421}));
        QCOMPARE(table.slot(0).inset, 16);
        const int toggle =
            table.add(200, 4, kSelectionButton | kNoBlink, {830, 100}, [] { return 0; });
        QCOMPARE(table.slot(toggle).rect, (Rect{830, 100, 854, 111}));
        QCOMPARE(table.slot(toggle).inset, 0);
        // Hits: by id, or by flag; the first used slot wins.
        QCOMPARE(table.hit({880, 400}, 100, 0), first);
        QCOMPARE(table.hit({880, 400}, 0, kWaitButton), first);
        QCOMPARE(table.hit({880, 400}, 0, kSelectionButton), -1);
        QCOMPARE(table.hit({905, 400}, 100, 0), -1);  // right edge is outside
        QCOMPARE(table.hit({840, 105}, 0, kSelectionButton), toggle);
        const int dead = table.add(300, 8, kNotClickable, {500, 500});
        QCOMPARE(table.hit({510, 510}, 300, 0), -1);
        QVERIFY(dead > 0);
        // Blinking: all but the no-blink slots.
        const std::vector<Rect> blinked = table.blink();
        QCOMPARE(static_cast<int>(blinked.size()), 2);
        QVERIFY(!table.slot(first).drawn);
        QVERIFY(table.slot(toggle).drawn);
        table.blink();
        QVERIFY(table.slot(first).drawn);
        // Looks change; removing frees every slot of an id.
        QCOMPARE(static_cast<int>(table.setLook(200, 5).size()), 1);
        QCOMPARE(static_cast<int>(table.setLook(200, 5).size()), 0);
        table.add(100, 8, 0, {873, 418});
        QCOMPARE(static_cast<int>(table.remove(100).size()), 2);
        QVERIFY(!table.has(100));
        QCOMPARE(table.count(), 2);
        // The table is full at 100.
        for (int i = table.count(); i < ButtonTable::kSlots; ++i) {
            QVERIFY(table.add(1000 + i, 0, 0, {0, 0}) >= 0);
        }
        QCOMPARE(table.add(5000, 0, 0, {0, 0}), -1);
        QCOMPARE(static_cast<int>(table.removeAll().size()), ButtonTable::kSlots);
        QCOMPARE(table.count(), 0);
    }

    void transitionsBringTheWholePicture() {
        test::TempDir folder;
        QDir().mkpath(QString::fromStdString(folder.file(kImageFolderName)));
        QImage picture(237, 151, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
            }
        }
        QVERIFY(picture.save(
            QString::fromStdString(folder.file(std::string(kImageFolderName) + "/pic.bmp")),
            "BMP"));
        GameRecord record = boardGame();
        putName(record.images[0].name, sizeof record.images[0].name, "pic");
        putName(record.images[0].fileName, sizeof record.images[0].fileName, "pic.bmp");

        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        frame.setGame(record, folder.path(), 4);
        QVERIFY(!frame.loadSupplement(7));
        QVERIFY(frame.loadSupplement(0));
        const Rect r = frame.supplementRect();
        QCOMPARE(r, (Rect{(800 - 237) / 2, (600 - 151) / 2, (800 - 237) / 2 + 237,
                          (600 - 151) / 2 + 151}));

        ScriptedPacer curtainPacer;
        QVERIFY(curtains(frame, curtainPacer));
        QCOMPARE(static_cast<int>(curtainPacer.delays.size()), 50);
        QCOMPARE(curtainPacer.delays.front(), 5);
        QCOMPARE(boardPart(frame, r), picture);
        QVERIFY(frame.supplementShown());
        frame.removeSupplement();
        QCOMPARE(boardPart(frame, r), bitmapPart(frame.board(), r));
        QVERIFY(boardPart(frame, r) != picture);

        // The dissolve: 1000 swaps of two numbers, then 100 cells.
        QVERIFY(frame.loadSupplement(0));
        ScriptedPacer dissolvePacer({17, 3, 99, 42, 8});
        QVERIFY(dissolve(frame, dissolvePacer));
        QCOMPARE(dissolvePacer.draws, 2000);
        QCOMPARE(static_cast<int>(dissolvePacer.delays.size()), 100);
        QCOMPARE(boardPart(frame, r), picture);
        frame.removeSupplement();

        ScriptedPacer orderPacer({5, 77, 31, 64, 12, 90, 2});
        const std::array<int, 100> order = dissolveOrder(orderPacer);
        const std::set<int> cells(order.begin(), order.end());
        QCOMPARE(static_cast<int>(cells.size()), 100);
        QCOMPARE(*cells.begin(), 0);
        QCOMPARE(*cells.rbegin(), 99);
    }

    void rocketsRiseWithinTheSideAreaAndLeaveItClean() {
        ScriptedPacer pacer({1000, 57, 49, 29, 3, 30});
        const Rocket rocket = randomRocket(pacer);
        QCOMPARE(rocket.start.x, 860 + 1000 % 58);
        QCOMPARE(rocket.start.y, 521 + 57 % 50);
        QCOMPARE(rocket.top, 351 - 49 % 30);
        // An odd parity draws a second colour set.
        QCOMPARE(rocket.firstColour, 3);
        QCOMPARE(rocket.secondColour, 30);
        QCOMPARE(pacer.draws, 6);
        ScriptedPacer even({10, 10, 10, 2, 5});
        const Rocket plain = randomRocket(even);
        QCOMPARE(plain.firstColour, plain.secondColour);
        QCOMPARE(even.draws, 5);
        QCOMPARE(finaleRocket().start, (Point{889, 651}));
        QCOMPARE(finaleRocket().top, 291);
        QCOMPARE(static_cast<int>(colourSets().size()), 31);

        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        const GameRecord record = boardGame();
        frame.setGame(record, {}, 4);
        const QImage before = frame.image().copy();
        ScriptedPacer frames;
        QVERIFY(riseRocket(frame, frames, finaleRocket()));
        // 360 pixels at 14 a frame, 30 ms each.
        QCOMPARE(static_cast<int>(frames.delays.size()), (651 - 291 + 13) / 14);
        QVERIFY(burstRocket(frame, frames, finaleRocket()));
        QCOMPARE(frames.delays.back(), 300);
        QCOMPARE(frame.image(), before);
    }

    void sidePanelsWaitForTheirFirstDrawing() {
        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        const GameRecord record = boardGame();
        frame.setGame(record, {}, 2);
        const Rect first = playerPanelRect(0);
        const QImage empty = boardPart(frame, first);
        frame.redrawSide(kSideRect);
        QCOMPARE(boardPart(frame, first), empty);
        frame.drawPlayerPanel(0);
        QVERIFY(boardPart(frame, first) != empty);
        // Player 3 does not take part: its panel stays empty.
        const QImage third = boardPart(frame, playerPanelRect(2));
        frame.drawPlayerPanel(2);
        QCOMPARE(boardPart(frame, playerPanelRect(2)), third);
    }

    void informationWindowsGrowTenPixelsALine() {
        GameRecord record = boardGame();
        for (auto& state : record.states) {
            state.visible = 0;
        }
        for (auto& item : record.dataItems) {
            item.visible = 0;
        }
        QCOMPARE(infoCardHeight(record, 0), 44);
        record.states[1].visible = 1;
        record.dataItems[2].visible = 1;
        putName(record.dataItems[2].name, sizeof record.dataItems[2].name, "Gold");
        record.dataItems[3].visible = 1;  // no name: not shown
        QCOMPARE(infoCardHeight(record, 0), 64);
        PlayFrame frame;
        QVERIFY(frame.loadPictures());
        frame.setGame(record, {}, 4);
        DibBitmap card;
        drawInfoCard(card, frame, 1);
        QCOMPARE(card.GetWidth(), 210);
        QCOMPARE(card.GetHeight(), 64);
        // The light window colour inside the frame.
        QCOMPARE(card.GetPixel(150, 40), kInfoBackground);
    }

    void runMenuCaptions() {
        const auto idle = runMenuItems(RunState::Idle, true);
        QCOMPARE(idle[4].caption, QStringLiteral("ﾏｽのﾃﾞﾊﾞｯｸ(&M)"));
        QVERIFY(idle[4].enabled);
        QVERIFY(!runMenuItems(RunState::Idle, false)[4].enabled);
        QVERIFY(!runMenuItems(RunState::TestRun, true)[4].enabled);
    }

    void smallFontsNoticeAboveNinetySixDpi() {
        QVERIFY(!screenNeedsSmallFonts(96, 1.0));
        QVERIFY(screenNeedsSmallFonts(120, 1.0));
        QVERIFY(screenNeedsSmallFonts(96, 1.25));
        QVERIFY(screenNeedsSmallFonts(96, 2.0));
        QVERIFY(!screenNeedsSmallFonts(72, 1.25));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::PlayDrawingTest)
#include "play_drawing_test.moc"
