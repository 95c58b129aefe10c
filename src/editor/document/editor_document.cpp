#include "editor/document/editor_document.h"

#include <cstring>
#include <memory>

#include "editor/document/object_captions.h"
#include "editor/document/recovery.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

EditorDocument::EditorDocument(Notifier& notifier, QObject* parent)
    : QObject(parent),
      notifier_(notifier),
      owner_([this](const DocumentChange& change) { emit changed(change); }),
      workspace_(owner_, notifier) {
    // The new game the owner starts with is not an edit.
    owner_.setModified(false);
    history_.reset(owner_.record());
    recoveryTimer_.setInterval(kRecoveryIntervalMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, [this] { (void)writeRecovery(); });
    recoveryTimer_.start();
}

EditorDocument::~EditorDocument() = default;

std::string EditorDocument::gameTitle() const {
    return sjis::toUtf8Lossy(fieldText(record().settings.title));
}

// --- The workspace

void EditorDocument::recordReplaced() {
    recovered_.reset();
    history_.reset(owner_.record());
    setModified(false);
    select({}, true);
    emit historyChanged();
}

Status EditorDocument::openFile(const std::string& path) {
    Status status = workspace_.OpenFile(path);
    if (status) {
        recordReplaced();
    }
    return status;
}

Status EditorDocument::createWorkspace(std::string_view title, const std::string& picturePath,
                                       const std::string& folder) {
    Status status = workspace_.CreateWorkspace(title, picturePath, folder);
    if (status) {
        recordReplaced();
    }
    return status;
}

Status EditorDocument::save(const std::string& newPath) {
    const std::string oldPath = recoveryPath();
    Status status = workspace_.SaveWorkspace(newPath);
    if (status) {
        history_.seal();
        setModified(false);
        // What the recovery held is in the workspace file now.
        RecoveryFile(oldPath).remove();
        discardRecovery();
    }
    return status;
}

void EditorDocument::closeWorkspace() {
    workspace_.CloseWorkspace();
    recordReplaced();
}

Status EditorDocument::copyIntoWorkspace(const std::string& source, std::string_view mediaFolder,
                                         std::string& storedName) {
    return workspace_.CopyIntoWorkspace(source, mediaFolder, storedName);
}

void EditorDocument::setModified(bool modified) {
    if (!modified) {
        owner_.setModified(false);
    }
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified_);
    }
}

// --- Edits

bool EditorDocument::edit(const QString& caption, const Change& change, const QString& mergeKey) {
    if (editDepth_ > 0) {
        change(owner_);
        return true;
    }
    const Selection before = selection_;
    ++editDepth_;
    change(owner_);
    --editDepth_;
    return commitEdit(caption, mergeKey, before);
}

bool EditorDocument::commitEdit(const QString& caption, const QString& mergeKey, Selection before) {
    const RecordDifference difference = differenceBetween(history_.baseline(), owner_.record());
    if (!difference.any()) {
        return false;
    }
    history_.commit(owner_.record(), caption.toStdString(), mergeKey.toStdString(), before,
                    selection_);
    // Object list operations write the record directly.
    owner_.setModified(true);
    setModified(true);
    emit changed(DocumentChange::edit(difference));
    emit historyChanged();
    return true;
}

const FieldDescriptor* EditorDocument::field(ObjectKind kind, int index, std::int32_t fieldId,
                                             int sub) const {
    return owner_.field(kind, index, fieldId, sub);
}

namespace {

// "マス3の変更": the step of a field written outside any named edit.
QString fieldEditCaption(const FieldDescriptor& field) {
    return objectLabel({field.objectKind(), field.index}) + QStringLiteral("の変更");
}

}  // namespace

// Descriptors are bound to their owner; only this document's own are accepted.
void EditorDocument::setText(const FieldDescriptor& field, std::string_view cp932) {
    if (field.owner != &owner_) {
        return;
    }
    edit(
        fieldEditCaption(field), [&](RecordOwner& owner) { owner.SetText(field, cp932); },
        QString::fromLatin1(field.identifierText().data(),
                            static_cast<qsizetype>(field.identifierText().size())));
}

void EditorDocument::setNumber(const FieldDescriptor& field, std::int32_t value) {
    if (field.owner != &owner_) {
        return;
    }
    edit(
        fieldEditCaption(field), [&](RecordOwner& owner) { owner.SetNumber(field, value); },
        QString::fromLatin1(field.identifierText().data(),
                            static_cast<qsizetype>(field.identifierText().size())));
}

bool EditorDocument::commitPendingEdits() {
    return !pendingReader_ || pendingReader_();
}

// --- History

void EditorDocument::setHistoryEnabled(bool enabled) {
    if (enabled != historyEnabled_) {
        historyEnabled_ = enabled;
        emit historyChanged();
    }
}

bool EditorDocument::undo() {
    return step(true);
}

bool EditorDocument::redo() {
    return step(false);
}

bool EditorDocument::step(bool undo) {
    if (!(undo ? canUndo() : canRedo())) {
        return false;
    }
    // Route mode numbers squares that the step may take away.
    owner_.editState().routeMode = false;
    const auto before = std::make_unique<GameRecord>(owner_.record());
    Selection restored;
    const bool stepped =
        undo ? history_.undo(owner_.record(), restored) : history_.redo(owner_.record(), restored);
    if (!stepped) {
        return false;
    }
    owner_.setModified(true);
    setModified(true);
    emit changed(DocumentChange::edit(differenceBetween(*before, owner_.record())));
    select(restored, true);
    emit historyChanged();
    return true;
}

// --- Recovery

bool EditorDocument::writeRecovery() {
    if (!modified_ && !owner_.modified()) {
        return true;
    }
    if (recovered_ && std::memcmp(recovered_.get(), &record(), sizeof(GameRecord)) == 0) {
        return true;
    }
    if (!RecoveryFile(recoveryPath()).write(record())) {
        return false;
    }
    recovered_ = std::make_unique<GameRecord>(record());
    return true;
}

void EditorDocument::discardRecovery() {
    RecoveryFile(recoveryPath()).remove();
    recovered_.reset();
}

bool EditorDocument::recoveryPending() const {
    return RecoveryFile(recoveryPath()).pending();
}

Status EditorDocument::restoreRecovery() {
    const RecoveryFile file(recoveryPath());
    auto scratch = std::make_unique<GameRecord>();
    if (Status read = file.read(*scratch); !read) {
        return read;
    }
    edit(QStringLiteral("ワークスペースの復元"),
         [&](RecordOwner& owner) { owner.replaceRecord(*scratch); });
    owner_.setModified(true);
    setModified(true);
    recovered_ = std::move(scratch);
    return Status::ok();
}

// --- Selection

Selection EditorDocument::validSelection(Selection selection) const {
    if (selection.kind == ObjectKind::Game) {
        return {};
    }
    return objectCaption(record(), selection).isEmpty() ? Selection{} : selection;
}

void EditorDocument::select(Selection selection, bool force) {
    selection = validSelection(selection);
    if (selection == selection_ && !force) {
        return;
    }
    selection_ = selection;
    emit selectionChanged(selection_);
}

}  // namespace banmen
