#pragma once
// The editor's document: the open workspace and its game record, the
// workspace's modified mark, the undo history, the selection and the
// editor's clipboard. Every write to the record goes through here, and every
// change is announced by one `changed` signal that the window, the map and
// the pages listen to.
//
// Edits. A user command that changes the record runs inside `edit`, which
// makes it exactly one undoable step with a caption naming it; nested edits
// join the outermost. Field writes made outside an edit become a step of
// their own, and consecutive writes to one field merge (typing). Whole
// record replacements (open, create, close) clear the history.
//
// Modified. `isModified` is the workspace's mark, the title's " *": every
// committed edit, undo and redo sets it; a successful save or a fresh
// workspace clears it. The record owner keeps its own modified flag, which
// the window's periodic check also turns into the mark.
//
// Recovery. While the workspace is modified, the record is written every
// `kRecoveryIntervalMs` to its recovery file (document/recovery.h) when it
// changed since the last write. A successful save and `discardRecovery`
// remove the file; `restoreRecovery` brings its record back as one step.

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "editor/document/clipboard_slots.h"
#include "editor/document/document_change.h"
#include "editor/document/editor_record_owner.h"
#include "editor/document/selection.h"
#include "editor/document/undo_history.h"
#include "model/workspace.h"
#include "platform/notifier.h"
#include "platform/status.h"

namespace banmen {

class EditorDocument : public QObject {
    Q_OBJECT

  public:
    // The notifier must outlive the document; it hears what opening and
    // saving have to tell the user.
    explicit EditorDocument(Notifier& notifier, QObject* parent = nullptr);
    ~EditorDocument() override;

    // --- Reading
    const GameRecord& record() const { return owner_.record(); }
    const RecordOwner& owner() const { return owner_; }
    const WorkspaceLocation& location() const { return workspace_.location(); }
    // The folder the record's media are resolved against.
    const std::string& folder() const { return owner_.folder(); }
    // The game's title as the user sees it (UTF-8).
    std::string gameTitle() const;
    Notifier& notifier() { return notifier_; }

    // --- The workspace. Opening, creating and closing replace the record,
    // clear the history and the modified mark, and select the game.
    // On failure the open workspace stays as it was.
    Status openFile(const std::string& path);
    Status createWorkspace(std::string_view title, const std::string& picturePath,
                           const std::string& folder);
    // Saves in place (empty path) or under a new path; success clears the
    // modified mark and seals the history (no typing merges across a save).
    Status save(const std::string& newPath = {});
    // Back to the new-game defaults in the same folder.
    void closeWorkspace();
    // Copies a media file into the workspace (see Workspace).
    Status copyIntoWorkspace(const std::string& source, std::string_view mediaFolder,
                             std::string& storedName);
    // Where the next fresh workspace goes before it is first saved.
    void setLocation(WorkspaceLocation location) { workspace_.setLocation(std::move(location)); }

    // --- The modified mark
    bool isModified() const { return modified_; }
    bool recordModified() const { return owner_.modified(); }
    void setModified(bool modified);

    // --- Edits
    using Change = std::function<void(RecordOwner&)>;
    // Runs `change` as one undoable step named `caption` (UTF-8, for example
    // "マス12の移動"). True when the record changed.
    bool edit(const QString& caption, const Change& change, const QString& mergeKey = {});
    // Field writes through this document's descriptors.
    const FieldDescriptor* field(ObjectKind kind, int index, std::int32_t fieldId,
                                 int sub = 0) const;
    void setText(const FieldDescriptor& field, std::string_view cp932);
    void setNumber(const FieldDescriptor& field, std::int32_t value);

    // What the visible page holds but has not yet written: commands that
    // read, save, build or run the workspace call `commitPendingEdits`
    // first. The reader returns false when the page refused its input (it
    // has told the user); the command should then stop.
    void setPendingEditsReader(std::function<bool()> reader) { pendingReader_ = std::move(reader); }
    bool commitPendingEdits();

    // --- History
    bool canUndo() const { return historyEnabled_ && history_.canUndo(); }
    bool canRedo() const { return historyEnabled_ && history_.canRedo(); }
    QString undoCaption() const { return QString::fromStdString(history_.undoCaption()); }
    QString redoCaption() const { return QString::fromStdString(history_.redoCaption()); }
    bool undo();
    bool redo();
    // Off during a run: the editor's record is not to change then.
    void setHistoryEnabled(bool enabled);
    const UndoHistory& history() const { return history_; }

    // --- Recovery after a crash
    static constexpr int kRecoveryIntervalMs = 30000;
    void setRecoveryInterval(int milliseconds) { recoveryTimer_.setInterval(milliseconds); }
    // The record to the open workspace's recovery file now, when it is
    // modified and changed since the last write (true: nothing to do or
    // written).
    bool writeRecovery();
    // The user gave up the changes (or the program ends cleanly): the open
    // workspace's recovery file goes.
    void discardRecovery();
    // A recovery newer than the open workspace's file is there.
    bool recoveryPending() const;
    // Replaces the record with the recovered one as one undoable step and
    // marks the workspace modified; the recovery file stays until a save or
    // a discard. Fails, changing nothing, when it cannot be read.
    Status restoreRecovery();

    // --- Selection
    Selection selection() const { return selection_; }
    // Selects an object; a square, image or sound that is not in use (and
    // anything out of range) selects the game. Emits `selectionChanged`
    // when the selection changes, or always with `force`.
    void select(Selection selection, bool force = false);

    // --- The editor's clipboard, kept across workspaces.
    ClipboardSlots& clipboard() { return clipboard_; }
    const ClipboardSlots& clipboard() const { return clipboard_; }

  signals:
    void changed(const banmen::DocumentChange& change);
    void selectionChanged(banmen::Selection selection);
    void modifiedChanged(bool modified);
    // Undo or redo became possible or impossible, or their captions changed.
    void historyChanged();

  private:
    bool commitEdit(const QString& caption, const QString& mergeKey, Selection before);
    bool step(bool undo);
    void recordReplaced();
    Selection validSelection(Selection selection) const;
    std::string recoveryPath() const { return location().filePath(); }

    Notifier& notifier_;
    EditorRecordOwner owner_;
    Workspace workspace_;
    UndoHistory history_;
    ClipboardSlots clipboard_;
    Selection selection_;
    std::function<bool()> pendingReader_;
    int editDepth_ = 0;
    bool modified_ = false;
    bool historyEnabled_ = true;
    // What the recovery file holds (null: nothing written since the last
    // save, open or discard), so that only a changed record is written.
    std::unique_ptr<GameRecord> recovered_;
    QTimer recoveryTimer_;
};

}  // namespace banmen
