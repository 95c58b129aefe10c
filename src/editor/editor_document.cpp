#include "editor/editor_document.h"

#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

EditorDocument::EditorDocument(Notifier& notifier, QObject* parent)
    : QObject(parent),
      owner_([this](const DocumentChange& change) { emit changed(change); }),
      workspace_(owner_, notifier) {
    // The new game the owner starts with is not an edit.
    owner_.setModified(false);
}

EditorDocument::~EditorDocument() = default;

std::string EditorDocument::gameTitle() const {
    return sjis::toUtf8Lossy(fieldText(record().settings.title));
}

Status EditorDocument::openFile(const std::string& path) {
    return workspace_.OpenFile(path);
}

const FieldDescriptor* EditorDocument::field(ObjectKind kind, int index, std::int32_t fieldId,
                                             int sub) const {
    return owner_.field(kind, index, fieldId, sub);
}

// Descriptors are bound to their owner; only this document's own are accepted.
void EditorDocument::setText(const FieldDescriptor& field, std::string_view cp932) {
    if (field.owner == &owner_) {
        owner_.SetText(field, cp932);
    }
}

void EditorDocument::setNumber(const FieldDescriptor& field, std::int32_t value) {
    if (field.owner == &owner_) {
        owner_.SetNumber(field, value);
    }
}

}  // namespace banmen
