#pragma once
// One object kind's property page: a column of rows over the fields of the
// selected object, placed at (800, 22) beside the map. The page edits the
// record only through the document; a page read that changes fields is one
// undoable step.

#include <QWidget>

#include "model/object_kind.h"

namespace banmen {

class PropertyPage : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 180;

    PropertyPage(ObjectKind kind, QWidget* parent) : QWidget(parent), kind_(kind) {}

    ObjectKind kind() const { return kind_; }
    int index() const { return index_; }

    // Record to controls, for the object `index` of the page's kind.
    virtual void load(int index) { index_ = index; }
    // Controls to record, writing only fields that differ. False when a
    // control's input was refused: the user has been told, the focus is on
    // that control and the record is as it was.
    virtual bool readControls() { return true; }
    // Starts picking a square with the mouse for the field of this control
    // id, as its LOCKON button does; false when the page has no such field.
    virtual bool startPicking(int /*controlId*/) { return false; }

  private:
    ObjectKind kind_;
    int index_ = 0;
};

}  // namespace banmen
