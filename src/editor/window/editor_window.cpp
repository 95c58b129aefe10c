#include "editor/window/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include "editor/commands/analysis_commands.h"
#include "editor/commands/build_commands.h"
#include "editor/commands/command_ids.h"
#include "editor/commands/edit_commands.h"
#include "editor/commands/help_commands.h"
#include "editor/commands/insert_commands.h"
#include "editor/commands/map_commands.h"
#include "editor/commands/media_commands.h"
#include "editor/commands/workspace_commands.h"
#include "editor/dialogs/welcome_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_factory.h"
#include "editor/pages/page_stack.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/window/menu_table.h"
#include "editor/window/object_selector.h"
#include "editor/window/recent_workspaces.h"
#include "editor/window/status_line.h"
#include "editor/window/window_title.h"
#include "media/sound_device.h"
#include "model/route_mode.h"

namespace banmen {
namespace {

const QString kGameCaption = QStringLiteral("ゲーム全般");
constexpr int kPagesTop = 22;
constexpr int kPagesBottom = 600;

QString lockText(bool locked) {
    return locked ? QStringLiteral("マス移動不可") : QStringLiteral("マス移動可");
}

}  // namespace

bool screenNeedsSmallFonts(double logicalDpiY, double devicePixelRatio) {
    return logicalDpiY * devicePixelRatio > 96.5;
}

EditorWindow::EditorWindow(EditorDocument& document, QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      client_(new QWidget(this)),
      editingTimer_(new QTimer(this)) {
    // The editor always holds a workspace: a fresh one unless the caller
    // opened one already.
    if (document_.location().folder.empty()) {
        createDefaultWorkspace(document_);
    }

    client_->setObjectName("clientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client_);
    // The window follows its client area and cannot be resized by hand.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    map_ = new MapView(document_, client_);
    map_->setGeometry(0, 0, MapView::kWidth, MapView::kHeight);

    mapLocked_ = readMapLock();
    snapToGrid_ = readMapGrid();
    status_ = std::make_unique<StatusLine>(client_);
    status_->setLockText(lockText(mapLocked_));

    selector_ = new ObjectSelector(client_);
    selector_->move(MapView::kWidth, 0);
    pages_ = new PageStack(
        [this](ObjectKind kind, QWidget* host) { return createPropertyPage(kind, *this, host); },
        client_);
    pages_->setGeometry(MapView::kWidth, kPagesTop, kClientWidth - MapView::kWidth,
                        kPagesBottom - kPagesTop);
    document_.setPendingEditsReader([this] { return pages_->readPages(); });

    buildMenus();
    bindWindowCommands();
    bindAnalysisCommands(*this);
    bindMediaCommands(*this);
    bindMapCommands(*this);
    bindEditCommands(*this);
    bindInsertCommands(*this);
    bindHelpCommands(*this);
    bindWorkspaceCommands(*this);
    bindBuildCommands(*this);
    connect(&document_, &EditorDocument::changed, this, &EditorWindow::onDocumentChanged);
    connect(&document_, &EditorDocument::selectionChanged, this, &EditorWindow::onSelectionChanged);
    connect(&document_, &EditorDocument::modifiedChanged, this, [this] { refreshTitle(); });
    connect(&document_, &EditorDocument::historyChanged, this, [this] { updateMenus(); });
    connect(selector_, &ObjectSelector::chosen, this, [this](Selection, const QString& caption) {
        endRouteMode();
        selectObject(caption, true);
    });

    fillObjectSelector();
    selectObject(kGameCaption, false);
    updateMenus();
    refreshTitle();

    // The Delete key reaches the Delete command wherever the focus is.
    qApp->installEventFilter(this);
    editingTimer_->setInterval(kEditingTickMs);
    connect(editingTimer_, &QTimer::timeout, this, &EditorWindow::onEditingTick);
    editingTimer_->start();

    // Log-off and shutdown ask about unsaved changes like closing does.
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager& manager) {
            if (!manager.allowsInteraction()) {
                // No question possible: the changes go where a crash
                // would leave them.
                (void)document_.writeRecovery();
                return;
            }
            const bool proceed = commitSessionData();
            manager.release();
            if (!proceed) {
                manager.cancel();
            }
        },
        Qt::DirectConnection);
}

EditorWindow::~EditorWindow() {
    qApp->removeEventFilter(this);
    document_.setPendingEditsReader({});
    // The engine's sounds go before the device.
    delete play_;
    play_ = nullptr;
    if (ownsSoundDevice_) {
        CloseSoundDevice();
    }
}

// --- Menus

QAction* EditorWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

QMenu* EditorWindow::menu(const QString& objectName) const {
    const auto it = menus_.find(objectName);
    return it != menus_.end() ? it->second : nullptr;
}

void EditorWindow::buildMenus() {
    for (const MenuSpec& spec : mainMenuSpec()) {
        QMenu* menu = menuBar()->addMenu(spec.title);
        menu->setObjectName(spec.objectName);
        menus_[spec.objectName] = menu;
        for (const MenuItemSpec& item : spec.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(QStringLiteral("command%1").arg(item.id));
            action->setData(item.id);
            action->setCheckable(item.checkable);
            action->setShortcuts(item.shortcuts);
            // Shortcuts work wherever the focus is in this window, as the
            // menu's own keys do.
            action->setShortcutContext(Qt::WindowShortcut);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
            actions_[id] = action;
        }
    }
}

void EditorWindow::runCommand(int id) {
    if (QAction* a = action(id); a != nullptr && !a->isEnabled()) {
        return;
    }
    router_.run(id);
}

void EditorWindow::bindWindowCommands() {
    router_.bind(kCmdRun, [this] { startTestRun(); });
    router_.bind(kCmdDebug, [this] { startDebugRun(); });
    router_.bind(kCmdSquareDebug, [this] {
        const int square = runState_ == RunState::SquareDebugRun ? debugSquare_
                           : document_.selection().isSquare()    ? document_.selection().index
                                                                 : -1;
        startSquareDebug(square);
    });
    for (const int stop : {kCmdStopRun, kCmdStopDebug, kCmdStopSquareDebug}) {
        router_.bind(stop, [this] { stopRun(); });
    }
    router_.bind(kCmdMapLock, [this] { setMapLocked(!mapLocked_); });
    router_.bind(kCmdSnapToGrid, [this] { setSnapToGrid(!snapToGrid_); });
    router_.bind(kCmdSaveWorkspace, [this] { saveWorkspace(); });
    router_.bind(kCmdExit, [this] { close(); });
    router_.bind(kCmdUndo, [this] {
        endRouteMode();
        if (readPages()) {
            document_.undo();
        }
    });
    router_.bind(kCmdRedo, [this] {
        endRouteMode();
        if (readPages()) {
            document_.redo();
        }
    });
}

MenuContext EditorWindow::menuContext() const {
    MenuContext context;
    context.kind = document_.selection().kind;
    context.run = runState_;
    for (ObjectKind kind : {ObjectKind::Player, ObjectKind::PlayerState, ObjectKind::PlayerData,
                            ObjectKind::Square, ObjectKind::Image, ObjectKind::Sound}) {
        context.slotFull[static_cast<std::size_t>(toInt(kind))] = document_.clipboard().full(kind);
    }
    context.routeMode = document_.owner().editState().routeMode;
    context.mapLocked = mapLocked_;
    context.snapToGrid = snapToGrid_;
    context.canUndo = document_.canUndo();
    context.canRedo = document_.canRedo();
    context.undoCaption = document_.undoCaption();
    context.redoCaption = document_.redoCaption();
    return context;
}

void EditorWindow::updateMenus(const std::string& path) {
    if (!path.empty()) {
        recent_ = withRecentPath(readRecentWorkspaces(), path);
        (void)writeRecentWorkspaces(recent_);
    }
    recent_ = readRecentWorkspaces();
    rebuildRecentItems();

    const MenuContext context = menuContext();
    for (const auto& [id, action] : actions_) {
        const MenuItemState state = mainMenuItemState(id, context);
        if (!state.caption.isEmpty() && action->text() != state.caption) {
            action->setText(state.caption);
        }
        action->setEnabled(state.enabled);
        if (action->isCheckable()) {
            action->setChecked(state.checked);
        }
    }
    // Shift+F5 stops whichever run is active.
    for (const int stop : {kCmdStopRun, kCmdStopDebug, kCmdStopSquareDebug}) {
        QAction* a = action(stop);
        a->setShortcut(a->isEnabled() ? QKeySequence(Qt::SHIFT | Qt::Key_F5) : QKeySequence());
    }
    emit menusUpdated();
}

void EditorWindow::rebuildRecentItems() {
    QMenu* file = menu(QStringLiteral("fileMenu"));
    for (QAction* a : recentActions_) {
        file->removeAction(a);
        actions_.erase(a->data().toInt());
        a->deleteLater();
    }
    recentActions_.clear();
    QAction* exit = action(kCmdExit);
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        if (recent_[i].empty()) {
            continue;
        }
        const int id = kCmdRecentFirst + static_cast<int>(i);
        auto* a = new QAction(recentItemText(recent_[i]), file);
        a->setObjectName(QStringLiteral("command%1").arg(id));
        a->setData(id);
        a->setToolTip(QString::fromStdString(recent_[i]));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        file->insertAction(exit, a);
        recentActions_.push_back(a);
    }
    if (!recentActions_.empty()) {
        QAction* separator = file->insertSeparator(exit);
        separator->setData(kCmdRecentSeparator);
        separator->setObjectName(QStringLiteral("command%1").arg(kCmdRecentSeparator));
        recentActions_.push_back(separator);
    }
    // The separator is left out of the ids; updateMenus enables the items.
    for (QAction* a : recentActions_) {
        if (!a->isSeparator()) {
            actions_[a->data().toInt()] = a;
        }
    }
}

// --- Selection and pages

bool EditorWindow::readPages() {
    return pages_->readPages();
}

void EditorWindow::endRouteMode() {
    if (!document_.owner().editState().routeMode) {
        return;
    }
    (void)readPages();
    document_.edit(QStringLiteral("経路の設定"), [](RecordOwner& owner) { EndRouteMode(owner); });
    pages_->reloadVisible();
    updateMenus();
}

void EditorWindow::fillObjectSelector() {
    selector_->fill(document_.record());
    selector_->showCaption(selectedCaption_);
}

void EditorWindow::selectObject(const QString& caption, bool readFirst) {
    const GameRecord& record = document_.record();
    QString target = caption.isEmpty() ? objectCaption(record, document_.selection()) : caption;
    std::optional<Selection> object = findCaption(record, target);
    if (!object) {
        object = Selection{};
        target = kGameCaption;
    }
    if (target == selectedCaption_) {
        selector_->showCaption(target);
        return;
    }
    if (readFirst && !readPages()) {
        // The page keeps its object until its input is fixed.
        selector_->showCaption(selectedCaption_);
        return;
    }
    selectedCaption_.clear();
    document_.select(*object, true);
}

void EditorWindow::selectObject(Selection object, bool readFirst) {
    const QString caption = objectCaption(document_.record(), object);
    selectObject(caption.isEmpty() ? kGameCaption : caption, readFirst);
}

// The document's selection changed (a selection from here, or an undo that
// restores the selection of its step): show that object's page.
void EditorWindow::onSelectionChanged(Selection selection) {
    QString caption = objectCaption(document_.record(), selection);
    if (caption.isEmpty()) {
        caption = kGameCaption;
    }
    selectedCaption_ = caption;
    selector_->showCaption(caption);
    if (runState_ == RunState::Idle) {
        pages_->showObject(selection);
    }
    map_->setSelection(selection.isSquare() ? selection.index : -1);
    updateMenus();
}

// Names changed: the selector lists the new captions and the selected object
// keeps its place under its new caption, without reloading its page (the
// user may be typing in it).
void EditorWindow::refreshCaptions() {
    fillObjectSelector();
    QString caption = objectCaption(document_.record(), document_.selection());
    if (caption.isEmpty()) {
        // The selected object is gone (its name was cleared).
        selectObject(kGameCaption, false);
        return;
    }
    selectedCaption_ = caption;
    selector_->showCaption(caption);
    refreshTitle();
}

void EditorWindow::onDocumentChanged(const DocumentChange& change) {
    sessionAnswered_ = false;
    if (change.what == DocumentChange::What::Record) {
        fillObjectSelector();
    } else if (change.what == DocumentChange::What::Edit &&
               (change.difference.names || change.difference.touches(ObjectKind::Game))) {
        refreshCaptions();
    } else if (change.what == DocumentChange::What::Field && change.touchesNames()) {
        refreshCaptions();
    }
    refreshTitle();
}

void EditorWindow::refreshTitle() {
    const QString title =
        QString::fromStdString(editorWindowTitle(document_.gameTitle(), document_.isModified()));
    if (title != windowTitle()) {
        setWindowTitle(title);
    }
}

// --- Saving

bool EditorWindow::askSaveModified() {
    if (!document_.isModified() && !document_.recordModified()) {
        return true;
    }
    switch (document_.notifier().ask("盤面工房",
                                     "ワークスペースが変更されています。\n保存しますか？",
                                     NoticeButtons::YesNoCancel, NoticeIcon::Question)) {
        case NoticeAnswer::Yes:
            // A failed save must not let the caller drop the changes.
            return saveWorkspace();
        case NoticeAnswer::No:
            document_.discardRecovery();
            return true;
        default:
            return false;
    }
}

Status EditorWindow::openFile(const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status opened = document_.openFile(path);
    QApplication::restoreOverrideCursor();
    if (!opened) {
        document_.notifier().notify("盤面工房", "指定されたワークスペースを開けませんでした。",
                                    NoticeIcon::Exclamation);
    }
    refreshTitle();
    clearSelection();
    fillObjectSelector();
    selectObject(kGameCaption, false);
    if (opened) {
        offerRecovery();
    }
    return opened;
}

bool EditorWindow::offerRecovery() {
    if (!document_.recoveryPending()) {
        return false;
    }
    const NoticeAnswer answer = document_.notifier().ask(
        "盤面工房", "前回、保存されずに終了した変更があります。\n復元しますか？",
        NoticeButtons::YesNo, NoticeIcon::Question);
    if (answer != NoticeAnswer::Yes) {
        document_.discardRecovery();
        return false;
    }
    if (!document_.restoreRecovery()) {
        document_.notifier().notify("盤面工房", "変更を復元できませんでした。",
                                    NoticeIcon::Exclamation);
        return false;
    }
    refreshTitle();
    return true;
}

bool EditorWindow::saveWorkspace() {
    endRouteMode();
    if (!readPages()) {
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status saved = document_.save();
    QApplication::restoreOverrideCursor();
    if (!saved) {
        document_.notifier().notify("盤面工房", "指定されたワークスペースを保存できませんでした。",
                                    NoticeIcon::Exclamation);
        return false;
    }
    updateMenus(document_.location().filePath());
    refreshTitle();
    return true;
}

// --- Map settings

void EditorWindow::setMapLocked(bool locked) {
    mapLocked_ = locked;
    (void)writeMapLock(locked);
    status_->setLockText(lockText(locked));
    updateMenus();
}

void EditorWindow::setSnapToGrid(bool snap) {
    snapToGrid_ = snap;
    (void)writeMapGrid(snap);
    updateMenus();
}

// --- Timer 1000

void EditorWindow::onEditingTick() {
    if (runState_ != RunState::Idle) {
        return;
    }
    if (document_.recordModified() && !document_.isModified()) {
        document_.setModified(true);
    }
    emit editingTick();
}

// --- Keys

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    // The first delivery of a key goes to the focus widget (or the window
    // when nothing has the focus). When the Delete command deletes the
    // selected object, the key ends there: going on, it would reach the
    // page that now shows the next object and delete a character of its
    // text. Otherwise it goes on as usual.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat() && isActiveWindow()) {
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus != nullptr ? watched == focus : watched == this;
        if (first && (focus == nullptr || focus->window() == this)) {
            const QAction* remove = action(kCmdDelete);
            const bool deletes = remove != nullptr && remove->isEnabled();
            runCommand(kCmdDelete);
            if (deletes) {
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Runs

void EditorWindow::startTestRun() {
    startRun(RunKind::Test, -1);
}

void EditorWindow::startDebugRun() {
    startRun(RunKind::Debug, -1);
}

bool EditorWindow::startSquareDebug(int square) {
    if (!isSquareRef(document_.record(), square)) {
        return false;
    }
    startRun(RunKind::SquareDebug, square);
    return true;
}

PlayController& EditorWindow::play() {
    // The engine (seeded with the time) and its play timer, id 2000, are
    // made when first needed: the window comes up sooner without them.
    if (play_ == nullptr) {
        play_ = new PlayController(client_, this);
        connect(play_, &PlayController::playEnded, this, &EditorWindow::onPlayEnded);
    }
    return *play_;
}

void EditorWindow::openSoundDevice() {
    if (!soundDeviceTried_) {
        soundDeviceTried_ = true;
        // Without a device every sound is silent.
        ownsSoundDevice_ = OpenSoundDevice();
    }
}

void EditorWindow::startRun(RunKind kind, int square) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    openSoundDevice();
    const bool restart = runState_ != RunState::Idle;
    if (!restart) {
        endRouteMode();
        (void)readPages();
        captionBeforeRun_ = selectedCaption_;
    }
    runState_ = kind == RunKind::Test    ? RunState::TestRun
                : kind == RunKind::Debug ? RunState::DebugRun
                                         : RunState::SquareDebugRun;
    debugSquare_ = kind == RunKind::SquareDebug ? square : -1;
    selectedCaption_.clear();
    pages_->hideAll();
    selector_->hide();
    document_.setHistoryEnabled(false);
    map_->resize(PlayView::kWidth, PlayView::kHeight);
    map_->hide();
    if (PlayView* view = play().view()) {
        view->move(0, 0);
    }
    play_->start(kind, document_.record(), document_.folder(), square);
    updateMenus();
    QApplication::restoreOverrideCursor();
}

void EditorWindow::stopRun() {
    if (play_ != nullptr) {
        play_->requestStop();
    }
}

void EditorWindow::onPlayEnded() {
    if (play_->stepping()) {
        // Only once the step under way has unwound.
        QTimer::singleShot(0, this, &EditorWindow::onPlayEnded);
        return;
    }
    play_->reset();
    restoreEditingLayout();
}

void EditorWindow::restoreEditingLayout() {
    if (runState_ == RunState::Idle) {
        return;
    }
    runState_ = RunState::Idle;
    debugSquare_ = -1;
    document_.setHistoryEnabled(true);
    map_->resize(MapView::kWidth, MapView::kHeight);
    map_->show();
    selector_->show();
    selectObject(captionBeforeRun_, false);
    updateMenus();
    refreshTitle();
}

// --- Closing

void EditorWindow::closeEvent(QCloseEvent* event) {
    // Every wait of a run ends now and its sounds stop; the run itself ends
    // once no step is under way any more.
    if (runState_ != RunState::Idle && play_ != nullptr) {
        play_->abort();
        QTimer::singleShot(0, this, &EditorWindow::onPlayEnded);
    }
    endRouteMode();
    if (!sessionAnswered_ && !askSaveModified()) {
        event->ignore();
        return;
    }
    // A clean exit: nothing is left to recover.
    document_.discardRecovery();
    QMainWindow::closeEvent(event);
}

bool EditorWindow::commitSessionData() {
    endRouteMode();
    if (!askSaveModified()) {
        return false;
    }
    document_.discardRecovery();
    // The windows may be closed next: the answer stands until the next change.
    sessionAnswered_ = true;
    return true;
}

bool EditorWindow::event(QEvent* event) {
    // The sound device opens once the window has been painted (finding
    // that there is none can take a while), or with the first run.
    if (event->type() == QEvent::Paint && !soundDeviceTried_) {
        QTimer::singleShot(0, this, &EditorWindow::openSoundDevice);
    }
    // Not destroyed under a running step: the step holds parts of the window.
    if (event->type() == QEvent::DeferredDelete && play_ != nullptr && play_->stepping()) {
        QTimer::singleShot(10, this, [this] { deleteLater(); });
        return true;
    }
    return QMainWindow::event(event);
}

void EditorWindow::runStartupChecks() {
    showWelcomeCommand(false);
}

void EditorWindow::showWelcomeCommand(bool requested) {
    const QScreen* screen = this->screen();
    if (screen != nullptr &&
        screenNeedsSmallFonts(screen->logicalDotsPerInchY(), screen->devicePixelRatio())) {
        document_.notifier().notify(
            "盤面工房（四季彩コレクション）",
            "このソフトウェアは小さいフォント用に出来ています。\n"
            "画面の設定を小さいフォント(96dpi)に変更してからお使いください。",
            NoticeIcon::Information);
    }
    showWelcome(this, requested);
}

}  // namespace banmen
