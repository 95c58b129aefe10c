#include "editor/pages/number_row_field.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <limits>

#include "editor/document/editor_document.h"
#include "editor/pages/page_text.h"
#include "editor/pages/spin_arrows.h"
#include "editor/pages/table_page.h"
#include "model/game_record.h"
#include "model/text_field.h"

namespace banmen {

std::optional<std::int32_t> parsePageInteger(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

QString integerMessage() {
    return QStringLiteral("整数を入力してください。");
}

QString rangeMessage(int min, int max) {
    return QStringLiteral("%1 から %2 までの整数を入力してください。").arg(min).arg(max);
}

NumberRowField::NumberRowField(const RowSpec& row, TablePage& page)
    : PageField(row, page), line_(new QLineEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(line_, 1);
    page.addControl(line_, row.control, this);
    connect(line_, &QLineEdit::textChanged, this, [this] {
        if (page_.exchanging()) {
            return;
        }
        const std::optional<std::int32_t> value = parsePageInteger(line_->text());
        if (value && refusal(value).isEmpty()) {
            write(*value, true);
        }
    });
    if (row.type == RowType::Count) {
        spin_ = new SpinArrows(line_, this);
        spin_->setObjectName(QStringLiteral("control%1").arg(row.spin));
        layout->addWidget(spin_);
        connect(spin_, &SpinArrows::stepped, this, &NumberRowField::step);
    }
    if (row.type == RowType::DataValue) {
        unit_ = addShownLine(row.unitControl);
        unit_->setFixedWidth(30);
        layout->addWidget(unit_);
    }
}

QWidget* NumberRowField::focusControl() const {
    return line_;
}

QString NumberRowField::helpText(int control) const {
    if (unit_ != nullptr && control == row_.unitControl) {
        return QString::fromUtf8(row_.unitHelp);
    }
    return PageField::helpText(control);
}

void NumberRowField::load(bool force) {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    const std::int32_t value = page_.document().owner().number(*field);
    if (force || value != shown_) {
        shown_ = value;
        if (force || parsePageInteger(line_->text()) != value) {
            line_->setText(QString::number(value));
        }
    }
    if (unit_ != nullptr) {
        const auto item = static_cast<std::size_t>(row_.sub);
        const QString unit = pageTextFromRecord(fieldText(page_.record().dataItems[item].unit));
        if (unit_->text() != unit) {
            unit_->setText(unit);
        }
    }
}

QString NumberRowField::refusal(std::optional<std::int32_t> value) const {
    if (!value) {
        return integerMessage();
    }
    if (ranged() && (*value < row_.min || *value > row_.max)) {
        return rangeMessage(row_.min, row_.max);
    }
    return {};
}

void NumberRowField::write(std::int32_t value, bool typing) {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    shown_ = value;
    page_.edit(
        row_, [&](RecordOwner& owner) { owner.SetNumber(*field, value); },
        typing ? page_.typingKey(*field) : QString());
}

bool NumberRowField::read() {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return true;
    }
    const std::optional<std::int32_t> value = parsePageInteger(line_->text());
    if (const QString why = refusal(value); !why.isEmpty()) {
        page_.refuse(why, line_);
        return false;
    }
    if (page_.document().owner().number(*field) != *value) {
        write(*value, false);
    }
    return true;
}

// The count's spin: up counts up; a step that would leave the range is
// refused.
void NumberRowField::step(int direction) {
    if (page_.exchanging()) {
        return;
    }
    line_->setFocus(Qt::MouseFocusReason);
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    const std::int64_t next = std::int64_t{page_.document().owner().number(*field)} + direction;
    if (next < row_.min || next > row_.max) {
        return;
    }
    page_.exchange([&] { line_->setText(QString::number(next)); });
    write(static_cast<std::int32_t>(next), false);
}

}  // namespace banmen
