#pragma once
// A number row: an edit holding a signed 32-bit integer. A count (the
// player count) also has a range and a spin whose up arrow counts up; a
// player's data value shows the data item's unit beside it.

#include <optional>

#include "editor/pages/page_field.h"

class QLineEdit;

namespace banmen {

class SpinArrows;

class NumberRowField : public PageField {
    Q_OBJECT

  public:
    NumberRowField(const RowSpec& row, TablePage& page);

    void load(bool force) override;
    bool read() override;
    QString helpText(int control) const override;
    QWidget* focusControl() const override;

  private:
    bool ranged() const { return row_.type == RowType::Count; }
    // Why the control's text cannot be written, or empty.
    QString refusal(std::optional<std::int32_t> value) const;
    void write(std::int32_t value, bool typing);
    void step(int direction);

    QLineEdit* line_;
    QLineEdit* unit_ = nullptr;
    SpinArrows* spin_ = nullptr;
    std::int32_t shown_ = 0;
};

// The integer a control holds: optional sign and decimal digits, blanks
// around them allowed, within the 32-bit range.
std::optional<std::int32_t> parsePageInteger(const QString& text);

QString integerMessage();
QString rangeMessage(int min, int max);

}  // namespace banmen
