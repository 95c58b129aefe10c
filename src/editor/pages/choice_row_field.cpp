#include "editor/pages/choice_row_field.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <algorithm>

#include "editor/document/editor_document.h"
#include "editor/pages/kind_sound.h"
#include "editor/pages/spin_arrows.h"
#include "editor/pages/table_page.h"
#include "model/enum_texts.h"

namespace banmen {
namespace {

std::vector<ChoiceEntry> listOf(std::string_view (*text)(std::int32_t)) {
    std::vector<ChoiceEntry> entries;
    for (std::int32_t value = 0; !text(value).empty(); ++value) {
        const std::string_view t = text(value);
        entries.push_back({QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())), value});
    }
    return entries;
}

}  // namespace

std::vector<ChoiceEntry> choiceEntries(ChoiceList list) {
    switch (list) {
        case ChoiceList::VictoryCondition:
            return listOf(victoryConditionText);
        case ChoiceList::EndCondition:
            return listOf(endConditionText);
        case ChoiceList::Visibility:
            return {{QStringLiteral("表示する"), 1}, {QStringLiteral("表示しない"), 0}};
        case ChoiceList::DataKind:
            return listOf(dataKindText);
        case ChoiceList::SquareKind:
            return listOf(squareKindText);
        case ChoiceList::Repeat:
            return listOf(repeatModeText);
        case ChoiceList::None:
            break;
    }
    return {};
}

ChoiceRowField::ChoiceRowField(const RowSpec& row, TablePage& page)
    : PageField(row, page), line_(new QLineEdit(this)), entries_(choiceEntries(row.choices)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    line_->setReadOnly(true);
    layout->addWidget(line_, 1);
    page.addControl(line_, row.control, this);
    auto* spin = new SpinArrows(line_, this);
    spin->setObjectName(QStringLiteral("control%1").arg(row.spin));
    layout->addWidget(spin);
    connect(spin, &SpinArrows::stepped, this, &ChoiceRowField::step);
}

QWidget* ChoiceRowField::focusControl() const {
    return line_;
}

void ChoiceRowField::load(bool force) {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    const std::int32_t value = page_.document().owner().number(*field);
    if (force || value != shown_) {
        shown_ = value;
        const auto it = std::find_if(entries_.begin(), entries_.end(),
                                     [value](const ChoiceEntry& e) { return e.value == value; });
        line_->setText(it != entries_.end() ? it->text : QString());
        line_->setCursorPosition(0);
    }
}

void ChoiceRowField::step(int direction) {
    if (page_.exchanging()) {
        return;
    }
    line_->setFocus(Qt::MouseFocusReason);
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    const std::int32_t value = page_.document().owner().number(*field);
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [value](const ChoiceEntry& e) { return e.value == value; });
    if (it == entries_.end()) {
        return;
    }
    const auto position = static_cast<std::ptrdiff_t>(it - entries_.begin()) - direction;
    if (position < 0 || position >= static_cast<std::ptrdiff_t>(entries_.size())) {
        return;
    }
    const std::int32_t next = entries_[static_cast<std::size_t>(position)].value;
    const int square = page_.index();
    const bool kind = row_.choices == ChoiceList::SquareKind;
    page_.edit(row_, [&](RecordOwner& owner) {
        if (kind) {
            const std::optional<std::int32_t> sound =
                soundAfterKindChange(owner.record(), square, value, next);
            if (const FieldDescriptor* soundField = descriptor(kFieldSound, 0);
                sound && soundField != nullptr) {
                owner.SetNumber(*soundField, *sound);
            }
        }
        owner.SetNumber(*field, next);
    });
}

}  // namespace banmen
