#include "editor/document/editor_record_owner.h"

namespace banmen {

void EditorRecordOwner::FieldChanged(const FieldDescriptor& field) {
    // Whole-record loads and resets change every field with notifications
    // off and announce themselves once through RecordReplaced.
    if (notificationsOn()) {
        sink_(DocumentChange::field(DocumentChange::What::Field, field));
    }
}

void EditorRecordOwner::FieldRedraw(const FieldDescriptor& field) {
    sink_(DocumentChange::field(DocumentChange::What::Redraw, field));
}

void EditorRecordOwner::RouteRedraw() {
    sink_(DocumentChange::route());
}

void EditorRecordOwner::RecordReplaced() {
    sink_(DocumentChange::record());
}

}  // namespace banmen
