#pragma once
// An update row of the square page: three cycling bitmap buttons for the
// parts of the update code (operator, operand, counterpart) and the amount.
// A click advances its part, shows the part's picture, and puts the record's
// wording of the update into the help area.

#include <QStringList>
#include <array>
#include <cstdint>

#include "editor/pages/page_field.h"

class QLineEdit;

namespace banmen {

class BitmapButton;

// The parts of an update code a button cycles: bits 0-7 through 5 values,
// bits 8-19 through 9, bits 20-23 through 3.
enum class UpdatePart { Operator, Operand, Target };

// The code with that part advanced to (v + 1) mod its count; other bits stay.
std::int32_t cycleUpdatePart(std::int32_t code, UpdatePart part);
// The part's value in the code, and the picture stem of a value (empty when
// it is none of the button's options).
int updatePartValue(std::int32_t code, UpdatePart part);
QString updatePartStem(UpdatePart part, int value);

class UpdateRowField : public PageField {
    Q_OBJECT

  public:
    UpdateRowField(const RowSpec& row, TablePage& page);

    void load(bool force) override;
    bool read() override;
    QString helpText(int control) const override;
    QWidget* focusControl() const override;
    BitmapButton* partButton(UpdatePart part) const;

  private:
    void cycle(UpdatePart part);
    void writeAmount(std::int32_t amount, bool typing);
    void showDescription();

    std::array<BitmapButton*, 3> buttons_{};
    QLineEdit* amount_;
    std::int32_t shownCode_ = 0;
    std::int32_t shownAmount_ = 0;
};

}  // namespace banmen
