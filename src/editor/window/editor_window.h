#pragma once
// The editor's main window: a fixed 980 x 616 client area holding the map
// view at the top left, the object selector and the property pages to its
// right and the status line at the bottom; the menu bar sits above the
// client area. The window owns its widgets; the document it shows is owned
// by the caller.
//
// The window only wires: menu items, keys and the selector become command
// ids, which the command router runs; the document's signals redraw the
// views, the title and the menus. The operations below are what the
// commands share (reading the page, selecting an object, asking to save).
//
// Runs: the Build menu's run items start a test run, a debug run or a square
// debug run; the map view widens to 980 x 600 and the play window (the
// engine's screen) covers it until the engine reports the end of the run,
// when the editing layout comes back. The sound device is open from just
// after the window is up (or the first run) to the window's end.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "editor/commands/command_router.h"
#include "editor/document/document_change.h"
#include "editor/document/selection.h"
#include "editor/window/menu_rules.h"
#include "editor/window/run_menu.h"
#include "platform/settings/program_settings.h"
#include "platform/status.h"

class QAction;
class QMenu;
class QTimer;

namespace banmen {

class EditorDocument;
class MapView;
class ObjectSelector;
class PageStack;
class PlayController;
class StatusLine;
enum class RunKind;

class EditorWindow : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 980;
    static constexpr int kClientHeight = 616;
    static constexpr int kEditingTickMs = 3000;  // timer 1000

    explicit EditorWindow(EditorDocument& document, QWidget* parent = nullptr);
    ~EditorWindow() override;

    // --- What the window is made of
    EditorDocument& document() { return document_; }
    // The client area: everything below the menu bar, in the coordinates the
    // layout is given in.
    QWidget* clientArea() const { return client_; }
    MapView* mapView() const { return map_; }
    StatusLine& statusLine() { return *status_; }
    // Made on first use.
    PlayController& play();
    PageStack& pages() { return *pages_; }
    ObjectSelector& objectSelector() { return *selector_; }
    CommandRouter& commands() { return router_; }
    // The main menu item of a command id, null when there is none.
    QAction* action(int id) const;
    QMenu* menu(const QString& objectName) const;

    // --- What the commands share
    // Runs a command as its menu item does (nothing when it is disabled).
    void runCommand(int id);
    // The visible page into the record; false when it refused its input.
    bool readPages();
    // With the route setting mode on: the page is read, the mode ends (its
    // chain of links is applied) and the page shows the record again.
    void endRouteMode();
    // Selects the object of a caption; an empty caption recomputes the
    // current object's caption, and a caption no object has selects the
    // game. With `readFirst` the visible page is read before the page
    // changes (a refused read keeps the current object).
    void selectObject(const QString& caption, bool readFirst);
    void selectObject(Selection object, bool readFirst = true);
    // The selected caption becomes empty, so the next selection always
    // loads its page again.
    void clearSelection() { selectedCaption_.clear(); }
    const QString& selectedCaption() const { return selectedCaption_; }
    void fillObjectSelector();
    // Rebuilds the recent workspaces (a non-empty path becomes the most
    // recent first) and recomputes every caption, enable state and check.
    void updateMenus(const std::string& path = {});
    const RecentWorkspaces& recentWorkspaces() const { return recent_; }
    // True to go on: the workspace is not modified, or the user answered
    // yes and the save succeeded, or no. False for cancel or a failed save.
    bool askSaveModified();
    // Opens a workspace or project file in place of the open one, without
    // asking to save it first (the command line's file at start-up; the
    // Open command asks before calling this), and offers its recovery when
    // there is one. On failure the open workspace stays and the user has
    // been told.
    Status openFile(const std::string& path);
    // When the open workspace has a recovery newer than its file: asks
    // whether to restore it; yes restores it (true), no deletes it.
    bool offerRecovery();
    // Save in place, as the Save command does; false on failure (told).
    bool saveWorkspace();
    void refreshTitle();
    // What the menus are worked out from.
    MenuContext menuContext() const;

    // --- The map settings, mirrored in the settings store
    bool mapLocked() const { return mapLocked_; }
    bool snapToGrid() const { return snapToGrid_; }
    void setMapLocked(bool locked);
    void setSnapToGrid(bool snap);

    // --- Runs (5000, 5010, 32826 from a square index) and the stop.
    void startTestRun();
    void startDebugRun();
    // False when `square` is not a square in use.
    bool startSquareDebug(int square);
    void stopRun();
    RunState runState() const { return runState_; }

    // What start-up shows once the window is up: the small-fonts notice on a
    // screen of more than 96 dpi, then the welcome box (unless the user
    // turned it off).
    void runStartupChecks();
    // The same for the Help menu's welcome item (`requested`: the box shows
    // whatever "startup.ini" says).
    void showWelcomeCommand(bool requested);
    // The session ends (log-off, shutdown): false when the user cancelled
    // in the question about unsaved changes, which keeps the session.
    bool commitSessionData();

  signals:
    // Every 3 s while editing (timer 1000), after the modified mark has been
    // brought up to date: pictures changed on disk are looked for here.
    void editingTick();
    // The menus were recomputed (other parts keep their own items in step).
    void menusUpdated();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void bindWindowCommands();
    void rebuildRecentItems();
    void onDocumentChanged(const DocumentChange& change);
    void onSelectionChanged(Selection selection);
    void onEditingTick();
    void refreshCaptions();
    void startRun(RunKind kind, int square);
    // Command 5020: the engine has ended the run.
    void onPlayEnded();
    void restoreEditingLayout();
    void openSoundDevice();

    EditorDocument& document_;
    QWidget* client_;
    MapView* map_;
    ObjectSelector* selector_;
    PageStack* pages_;
    std::unique_ptr<StatusLine> status_;
    PlayController* play_ = nullptr;
    QTimer* editingTimer_;
    CommandRouter router_;
    std::map<int, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    QList<QAction*> recentActions_;
    RecentWorkspaces recent_{};
    QString selectedCaption_;
    QString captionBeforeRun_;
    RunState runState_ = RunState::Idle;
    int debugSquare_ = -1;
    bool mapLocked_ = false;
    bool snapToGrid_ = true;
    bool ownsSoundDevice_ = false;
    bool soundDeviceTried_ = false;
    // The session's end was answered (see commitSessionData).
    bool sessionAnswered_ = false;
};

// Whether a screen needs the small-fonts notice: more than 96 dots per inch
// vertically (the logical dpi times the scale the platform applies).
bool screenNeedsSmallFonts(double logicalDpiY, double devicePixelRatio);

}  // namespace banmen
