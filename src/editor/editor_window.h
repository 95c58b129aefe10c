#pragma once
// The editor's main window: a fixed 980 x 616 client area holding the map
// view at the top left, the object selector and property pages to its right
// (added by later parts) and the status line at the bottom; the menu bar
// sits above the client area. The window owns its widgets; the document it
// shows is owned by the caller.
//
// Runs: the Build menu's run items start a test run, a debug run or a square
// debug run; the map view widens to 980 x 600 and the play window (the
// engine's screen) covers it until the engine reports the end of the run,
// when the editing layout comes back. The sound device is open for the
// window's whole life.

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>

#include "editor/document_change.h"
#include "editor/run_menu.h"
#include "platform/status.h"

class QAction;
class QMenu;

namespace banmen {

class EditorDocument;
class MapView;
class PlayController;
class StatusLine;
enum class RunKind;

class EditorWindow : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 980;
    static constexpr int kClientHeight = 616;

    explicit EditorWindow(EditorDocument& document, QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Opens a workspace or project file (the command-line file at start-up).
    Status openFile(const std::string& path);
    void refreshTitle();

    EditorDocument& document() { return document_; }
    // The client area: everything below the menu bar, in the coordinates the
    // layout is given in.
    QWidget* clientArea() const { return client_; }
    MapView* mapView() const { return map_; }
    StatusLine& statusLine() { return *status_; }
    PlayController& play() { return *play_; }
    // The menu item of a command id, null when there is none.
    QAction* action(int id) const;

    // The run commands (5000, 5010, 32826 from a square index) and the stop.
    void startTestRun();
    void startDebugRun();
    // False when `square` is not a square in use.
    bool startSquareDebug(int square);
    void stopRun();
    RunState runState() const { return runState_; }

    // What start-up shows once the window is up: the small-fonts notice on a
    // screen of more than 96 dpi.
    void runStartupChecks();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void onDocumentChanged(const DocumentChange& change);
    void buildMenus();
    void updateMenus();
    void startRun(RunKind kind, int square);
    // Command 5020: the engine has ended the run.
    void onPlayEnded();
    void restoreEditingLayout();

    EditorDocument& document_;
    QWidget* client_;
    MapView* map_;
    std::unique_ptr<StatusLine> status_;
    PlayController* play_ = nullptr;
    std::map<int, QAction*> actions_;
    RunState runState_ = RunState::Idle;
    int debugSquare_ = -1;
    bool ownsSoundDevice_ = false;
};

// Whether a screen needs the small-fonts notice: more than 96 dots per inch
// vertically (the logical dpi times the scale the platform applies).
bool screenNeedsSmallFonts(double logicalDpiY, double devicePixelRatio);

}  // namespace banmen
