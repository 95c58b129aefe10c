#include "editor/pages/button_row_field.h"

#include <QHBoxLayout>
#include <QLineEdit>

#include "editor/document/editor_document.h"
#include "editor/pages/bitmap_button.h"
#include "editor/pages/table_page.h"

namespace banmen {
namespace {

bool picksSquares(RowType type) {
    return type == RowType::Square || type == RowType::NextSquare;
}

}  // namespace

ButtonRowField::ButtonRowField(const RowSpec& row, TablePage& page)
    : PageField(row, page), line_(addShownLine(row.control)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(line_, 1);
    const QString stems[3] = {
        picksSquares(row.type) ? QStringLiteral("LOCKON") : QStringLiteral("SELECT"),
        QStringLiteral("EDIT"), QStringLiteral("DELETE")};
    for (int slot = 0; slot < 3; ++slot) {
        const int id = row.buttons[slot];
        if (id == 0) {
            continue;
        }
        auto* button = new BitmapButton(stems[slot], this);
        page.addControl(button, id, this);
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(slot)] = button;
        if (slot == kSelectButton && picksSquares(row.type)) {
            // Picking starts on the press: the release may already be the pick.
            connect(button, &BitmapButton::pressed, this,
                    [this, button] { page_.beginPicking(this, button); });
            continue;
        }
        connect(button, &BitmapButton::clicked, this, [this, slot] {
            if (page_.exchanging()) {
                return;
            }
            switch (slot) {
                case kSelectButton:
                    select();
                    break;
                case kEditButton:
                    paint();
                    break;
                default:
                    clear();
                    break;
            }
        });
    }
}

QWidget* ButtonRowField::focusControl() const {
    return line_;
}

void ButtonRowField::load(bool force) {
    const QString text = shownText();
    if (force || text != shown_) {
        shown_ = text;
        line_->setText(text);
        line_->setCursorPosition(0);
        line_->setToolTip(text);
    }
}

std::int32_t ButtonRowField::value() const {
    const FieldDescriptor* field = descriptor();
    return field != nullptr ? page_.document().owner().number(*field) : -1;
}

void ButtonRowField::writeValue(std::int32_t value) {
    if (const FieldDescriptor* field = descriptor()) {
        page_.edit(row_, [&](RecordOwner& owner) { owner.SetNumber(*field, value); });
    }
}

}  // namespace banmen
