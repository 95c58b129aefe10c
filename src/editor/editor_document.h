#pragma once
// The editor's document: the open workspace and its game record. Every write
// to the record goes through here, and every change is announced by one
// `changed` signal that the window, the map and (later) the pages listen to.

#include <QObject>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/document_change.h"
#include "editor/editor_record_owner.h"
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

    const GameRecord& record() const { return owner_.record(); }
    const RecordOwner& owner() const { return owner_; }
    const WorkspaceLocation& location() const { return workspace_.location(); }
    // The folder the record's media are resolved against.
    const std::string& folder() const { return owner_.folder(); }
    bool isModified() const { return owner_.modified(); }

    // The game's title as the user sees it (UTF-8).
    std::string gameTitle() const;

    // Opens a workspace or project file; on failure the open workspace stays.
    Status openFile(const std::string& path);

    // Field writes; each change emits `changed`.
    const FieldDescriptor* field(ObjectKind kind, int index, std::int32_t fieldId,
                                 int sub = 0) const;
    void setText(const FieldDescriptor& field, std::string_view cp932);
    void setNumber(const FieldDescriptor& field, std::int32_t value);

  signals:
    void changed(const banmen::DocumentChange& change);

  private:
    EditorRecordOwner owner_;
    Workspace workspace_;
};

}  // namespace banmen
