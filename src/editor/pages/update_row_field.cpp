#include "editor/pages/update_row_field.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/document/editor_document.h"
#include "editor/pages/bitmap_button.h"
#include "editor/pages/number_row_field.h"
#include "editor/pages/page_text.h"
#include "editor/pages/table_page.h"
#include "engine/describe_update.h"

namespace banmen {
namespace {

struct PartBits {
    int shift;
    std::uint32_t mask;  // of the value, after the shift
    int count;
    const char* const* stems;
};

constexpr const char* kOperatorStems[] = {"OPOADD", "OPOSUB", "OPOMUL", "OPODIV", "OPOSET"};
constexpr const char* kOperandStems[] = {"OPMONE",  "OPMDIC1", "OPMDIC2", "OPMDIC3", "OPMITM1",
                                         "OPMITM2", "OPMITM3", "OPMITM4", "OPMITM5"};
constexpr const char* kTargetStems[] = {"OPFBNK", "OPFPLY", "OPFALL"};

constexpr PartBits bitsOf(UpdatePart part) {
    switch (part) {
        case UpdatePart::Operator:
            return {0, 0xFFu, 5, kOperatorStems};
        case UpdatePart::Operand:
            return {8, 0xFFFu, 9, kOperandStems};
        case UpdatePart::Target:
            break;
    }
    return {20, 0xFu, 3, kTargetStems};
}

constexpr UpdatePart kParts[] = {UpdatePart::Operator, UpdatePart::Operand, UpdatePart::Target};
// Their slots in the row's control ids.
constexpr int kPartSlots[] = {kOperatorButton, kOperandButton, kTargetButton};

}  // namespace

int updatePartValue(std::int32_t code, UpdatePart part) {
    const PartBits bits = bitsOf(part);
    return static_cast<int>((static_cast<std::uint32_t>(code) >> bits.shift) & bits.mask);
}

std::int32_t cycleUpdatePart(std::int32_t code, UpdatePart part) {
    const PartBits bits = bitsOf(part);
    const auto next = static_cast<std::uint32_t>((updatePartValue(code, part) + 1) % bits.count);
    const std::uint32_t cleared = static_cast<std::uint32_t>(code) & ~(bits.mask << bits.shift);
    return static_cast<std::int32_t>(cleared | (next << bits.shift));
}

QString updatePartStem(UpdatePart part, int value) {
    const PartBits bits = bitsOf(part);
    return value >= 0 && value < bits.count ? QString::fromLatin1(bits.stems[value]) : QString();
}

UpdateRowField::UpdateRowField(const RowSpec& row, TablePage& page)
    : PageField(row, page), amount_(new QLineEdit(this)) {
    // The buttons on one line, the amount under them: the column is too
    // narrow for both side by side.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* parts = new QHBoxLayout;
    parts->setSpacing(1);
    layout->addLayout(parts);
    for (std::size_t i = 0; i < 3; ++i) {
        const UpdatePart part = kParts[i];
        auto* button = new BitmapButton(updatePartStem(part, 0), this);
        page.addControl(button, row.buttons[kPartSlots[i]], this);
        parts->addWidget(button);
        buttons_[i] = button;
        connect(button, &BitmapButton::clicked, this, [this, part] { cycle(part); });
    }
    parts->addStretch(1);
    layout->addWidget(amount_);
    page.addControl(amount_, row.buttons[kAmountControl], this);
    connect(amount_, &QLineEdit::textChanged, this, [this] {
        if (page_.exchanging()) {
            return;
        }
        if (const std::optional<std::int32_t> amount = parsePageInteger(amount_->text())) {
            writeAmount(*amount, true);
            showDescription();
        }
    });
}

QWidget* UpdateRowField::focusControl() const {
    return buttons_[0];
}

BitmapButton* UpdateRowField::partButton(UpdatePart part) const {
    return buttons_[static_cast<std::size_t>(part)];
}

void UpdateRowField::load(bool force) {
    const FieldDescriptor* codeField = descriptor(kFieldUpdateCodes, row_.sub);
    const FieldDescriptor* amountField = descriptor(kFieldValues, row_.sub);
    if (codeField == nullptr || amountField == nullptr) {
        return;
    }
    const RecordOwner& owner = page_.document().owner();
    const std::int32_t code = owner.number(*codeField);
    if (force || code != shownCode_) {
        shownCode_ = code;
        for (std::size_t i = 0; i < 3; ++i) {
            buttons_[i]->setStem(updatePartStem(kParts[i], updatePartValue(code, kParts[i])));
        }
    }
    const std::int32_t amount = owner.number(*amountField);
    if (force || amount != shownAmount_) {
        shownAmount_ = amount;
        if (force || parsePageInteger(amount_->text()) != amount) {
            amount_->setText(QString::number(amount));
        }
    }
}

QString UpdateRowField::helpText(int) const {
    const std::string wording = DescribeDataUpdate(page_.record(), page_.index(), row_.sub);
    return QStringLiteral("このマスに止まった時のプレイヤーデータの変更方法\n\n現在の設定内容\n") +
           pageTextFromRecord(wording);
}

void UpdateRowField::showDescription() {
    if (!page_.exchanging()) {
        page_.showHelp(helpText(row_.control));
    }
}

void UpdateRowField::cycle(UpdatePart part) {
    const FieldDescriptor* codeField = descriptor(kFieldUpdateCodes, row_.sub);
    if (page_.exchanging() || codeField == nullptr) {
        return;
    }
    const std::int32_t code = cycleUpdatePart(page_.document().owner().number(*codeField), part);
    page_.edit(row_, [&](RecordOwner& owner) { owner.SetNumber(*codeField, code); });
    showDescription();
}

void UpdateRowField::writeAmount(std::int32_t amount, bool typing) {
    const FieldDescriptor* amountField = descriptor(kFieldValues, row_.sub);
    if (amountField == nullptr) {
        return;
    }
    shownAmount_ = amount;
    page_.edit(
        row_, [&](RecordOwner& owner) { owner.SetNumber(*amountField, amount); },
        typing ? page_.typingKey(*amountField) : QString());
}

bool UpdateRowField::read() {
    const FieldDescriptor* amountField = descriptor(kFieldValues, row_.sub);
    if (amountField == nullptr) {
        return true;
    }
    const std::optional<std::int32_t> amount = parsePageInteger(amount_->text());
    if (!amount) {
        page_.refuse(integerMessage(), amount_);
        return false;
    }
    if (page_.document().owner().number(*amountField) != *amount) {
        writeAmount(*amount, false);
    }
    return true;
}

}  // namespace banmen
