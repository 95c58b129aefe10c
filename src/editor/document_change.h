#pragma once
// What changed in the editor's document, sent with EditorDocument::changed.
// Views decide from it what to refresh; none of them polls the record.

#include <QMetaType>

#include "model/field_descriptor.h"
#include "model/object_kind.h"

namespace banmen {

struct DocumentChange {
    enum class What {
        Field,   // one field's value changed
        Redraw,  // a field whose change the map must show (routes, kinds)
        Record,  // the whole record was replaced (open, close, new)
    };

    What what = What::Record;
    ObjectKind kind = ObjectKind::Game;
    int index = 0;
    int fieldId = 0;
    int sub = 0;

    static DocumentChange record() { return {}; }
    static DocumentChange field(What what, const FieldDescriptor& field) {
        return {what, field.objectKind(), field.index, field.fieldId, field.sub};
    }

    // True for a whole-record change or a change of this kind's field.
    bool touches(ObjectKind objectKind, int id) const {
        return what == What::Record || (kind == objectKind && fieldId == id);
    }
};

}  // namespace banmen

Q_DECLARE_METATYPE(banmen::DocumentChange)
