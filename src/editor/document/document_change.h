#pragma once
// What changed in the editor's document, sent with EditorDocument::changed.
// Views decide from it what to refresh; none of them polls the record.

#include <QMetaType>

#include "editor/document/record_difference.h"
#include "model/field_descriptor.h"
#include "model/object_kind.h"

namespace banmen {

struct DocumentChange {
    enum class What {
        Field,   // one field's value changed (sent while an edit runs)
        Redraw,  // a field whose change the map must show (routes, kinds)
        Route,   // the route-mode numbering changed
        Edit,    // an edit, undo or redo ended; `difference` says what it changed
        Record,  // the whole record was replaced (open, close, new)
    };

    What what = What::Record;
    ObjectKind kind = ObjectKind::Game;
    int index = 0;
    int fieldId = 0;
    int sub = 0;
    RecordDifference difference;

    static DocumentChange record() { return {}; }
    static DocumentChange route() {
        DocumentChange change;
        change.what = What::Route;
        return change;
    }
    static DocumentChange field(What what, const FieldDescriptor& field) {
        return {what, field.objectKind(), field.index, field.fieldId, field.sub, {}};
    }
    static DocumentChange edit(const RecordDifference& difference) {
        DocumentChange change;
        change.what = What::Edit;
        change.difference = difference;
        return change;
    }

    // True for a whole-record change or a change of this kind's field.
    bool touches(ObjectKind objectKind, int id) const {
        return what == What::Record || (kind == objectKind && fieldId == id);
    }
    // True when objects of this kind may look different now.
    bool touchesKind(ObjectKind objectKind) const {
        switch (what) {
            case What::Record:
                return true;
            case What::Edit:
                return difference.touches(objectKind);
            case What::Route:
                return objectKind == ObjectKind::Square;
            default:
                return kind == objectKind;
        }
    }
    // True when captions (names, slots in use) may have changed.
    bool touchesNames() const {
        return what == What::Record || (what == What::Edit && difference.names) ||
               (what == What::Field && fieldId == kFieldName);
    }
};

}  // namespace banmen

Q_DECLARE_METATYPE(banmen::DocumentChange)
