#pragma once
// One row's field widget on a property page. A field knows its row (label,
// control ids, record field, limit, help) and moves its value between the
// record and its controls through the page, which owns the undo steps.
//
// Every change the user makes is written at once, as one undo step named
// after the object and the row ("マス3の名称"); typing in one control merges
// into one step. Input the record cannot take (a text over its limit, a
// number that is no integer) is not written; reading the page refuses it
// with the standard message.

#include <QString>
#include <QWidget>
#include <cstdint>

#include "editor/pages/page_rows.h"

class QLineEdit;

namespace banmen {

struct FieldDescriptor;
class TablePage;

class PageField : public QWidget {
    Q_OBJECT

  public:
    PageField(const RowSpec& row, TablePage& page);

    const RowSpec& row() const { return row_; }

    // Record to controls. With `force` every control shows the record;
    // otherwise only controls whose record value changed since they last
    // showed it (input not yet written stays).
    virtual void load(bool force) = 0;
    // Controls to record. False when the input was refused: the user has
    // been told and the control has the focus.
    virtual bool read() { return true; }
    // The help text of one of the field's controls.
    virtual QString helpText(int control) const;
    virtual void doubleClicked(int /*control*/) {}
    // A square picked with LOCKON for this field.
    virtual void picked(int /*square*/) {}

    // The control the keyboard focus goes to for this row.
    virtual QWidget* focusControl() const = 0;

  protected:
    // The descriptor of the row's field of the page's object (or of another
    // field / sub of it), null when it does not exist.
    const FieldDescriptor* descriptor() const;
    const FieldDescriptor* descriptor(std::int32_t fieldId, int sub) const;
    // A read-only line that still takes the focus (for its help text).
    QLineEdit* addShownLine(int control);

    TablePage& page_;
    const RowSpec& row_;
};

}  // namespace banmen
