#pragma once
// Helpers for the play screen's window tests: a small game written as a
// workspace, the editor over it, and a driver that acts from inside the
// engine's waits (a step runs its own event loop, so a test acts through a
// timer that fires there).

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "editor/document/editor_document.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/play/window_play_screen.h"
#include "editor/window/editor_window.h"
#include "engine/game_session.h"
#include "model/default_folders.h"
#include "model/record_owner.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen::test {

inline void putText(char* field, std::size_t width, std::string_view utf8) {
    const std::string text = sjis::lit(utf8);
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

// Sound through SDL's disk driver into a file of the folder; the default
// sounds from the build's "Sound Files".
inline void useTestSound(const TempDir& folder) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", folder.file("sound.raw").c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    setDefaultSoundFolderProvider([] { return std::string(BANMEN_BIN_DIR) + "/Sound Files"; });
    setDefaultImageFolderProvider([] { return std::string(BANMEN_BIN_DIR) + "/Image Files"; });
}

// A line of squares 0 (start) .. last (goal) at (100 + 150 i, 300), the
// new game's settings otherwise (no board picture, default pieces), and
// `players` players on square 0.
inline GameRecord lineGame(int players, int last = 3) {
    RecordOwner owner;
    GameRecord record = owner.record();
    for (SquareDef& s : record.squares) {
        s.name[0] = 0;
    }
    for (int i = 0; i <= last; ++i) {
        SquareDef& s = record.squares[i];
        std::memset(&s, 0, sizeof s);
        putText(s.name, sizeof s.name, "マス" + std::to_string(i + 1));
        s.picture = s.supplementPicture = s.sound = s.arrivalJump = s.passJump = -1;
        for (auto& j : s.dieJumps) {
            j = -1;
        }
        for (auto& n : s.nextSquares) {
            n = -1;
        }
        s.nextSquares[0] = i < last ? i + 1 : -1;
        s.kind = i == 0 ? kSquareStart : i == last ? kSquareGoal : kSquareNormal;
        s.x = 100 + 150 * i;
        s.y = 300;
    }
    record.settings.playerCount = players;
    record.settings.gamePicture = -1;
    for (PlayerDef& p : record.players) {
        p.startSquare = 0;
        p.picture = -1;
    }
    return record;
}

// The editor over a workspace holding `record`.
struct PlayRig {
    explicit PlayRig(const GameRecord& record, int timeScale = 25) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
        const std::string path = folder.file("game.sgw");
        writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
        window = std::make_unique<EditorWindow>(document);
        QVERIFY(window->openFile(path).isOk());
        window->play().setTimeScale(timeScale);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    PlayController& play() { return window->play(); }
    WindowPlayScreen& screen() { return window->play().screen(); }
    GameSession& session() { return window->play().session(); }
    PlayView* view() { return window->play().view(); }

    TempDir folder;
    CapturingNotifier notifier;
    EditorDocument document{notifier};
    std::unique_ptr<EditorWindow> window;
};

// Calls `act` every 10 ms, also inside the engine's waits, until it
// returns true.
class Driver : public QObject {
  public:
    explicit Driver(std::function<bool()> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (!done_ && act_()) {
                done_ = true;
                timer_.stop();
            }
        });
        timer_.start();
    }
    bool done() const { return done_; }

  private:
    std::function<bool()> act_;
    QTimer timer_;
    bool done_ = false;
};

// Where the engine's button stands now (its picture's middle).
inline QPoint buttonPoint(WindowPlayScreen& screen) {
    return {kButtonLeft + 16, screen.waitButton().top + 14};
}

inline void clickAt(PlayView* view, QPoint at) {
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
}

// The play window as painted.
inline QImage grabFrame(PlayView* view) {
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace banmen::test
