#pragma once
// A choice row: a read-only text with a spin that steps through a fixed
// list of texts. The up arrow (and the Up key) goes to the previous entry of
// the list, the down arrow to the next; a step off either end does nothing.
// The value stored is the entry's value (its position, except for the
// visibility list, whose first entry "表示する" stores 1).
//
// Changing a square's kind also swaps a default kind sound for the new
// kind's (kind_sound.h).

#include <vector>

#include "editor/pages/page_field.h"

class QLineEdit;

namespace banmen {

struct ChoiceEntry {
    QString text;
    std::int32_t value;
};

std::vector<ChoiceEntry> choiceEntries(ChoiceList list);

class ChoiceRowField : public PageField {
    Q_OBJECT

  public:
    ChoiceRowField(const RowSpec& row, TablePage& page);

    void load(bool force) override;
    QWidget* focusControl() const override;

  private:
    void step(int direction);

    QLineEdit* line_;
    std::vector<ChoiceEntry> entries_;
    std::int32_t shown_ = 0;
};

}  // namespace banmen
