#pragma once
// A row showing a value as read-only text with small bitmap buttons beside
// it: SELECT (or LOCKON for squares), EDIT and DELETE, each where the row
// has its control id. The buttons do nothing while the page is exchanging.
// Double-clicking the text may select the object it names.

#include <array>

#include "editor/pages/page_field.h"

class QLineEdit;

namespace banmen {

class BitmapButton;

class ButtonRowField : public PageField {
    Q_OBJECT

  public:
    ButtonRowField(const RowSpec& row, TablePage& page);

    void load(bool force) override;
    QWidget* focusControl() const override;
    BitmapButton* button(int slot) const { return buttons_[static_cast<std::size_t>(slot)]; }

  protected:
    // What the text shows of the record.
    virtual QString shownText() const = 0;
    virtual void select() {}
    virtual void paint() {}
    virtual void clear() {}
    // The row's number field (a reference) as the record holds it.
    std::int32_t value() const;
    // Writes the row's number field as one step.
    void writeValue(std::int32_t value);

    QLineEdit* line_;

  private:
    std::array<BitmapButton*, 3> buttons_{};
    QString shown_;
};

}  // namespace banmen
