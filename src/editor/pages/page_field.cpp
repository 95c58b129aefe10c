#include "editor/pages/page_field.h"

#include <QLineEdit>

#include "editor/pages/table_page.h"

namespace banmen {

PageField::PageField(const RowSpec& row, TablePage& page) : page_(page), row_(row) {}

QString PageField::helpText(int) const {
    return QString::fromUtf8(row_.help);
}

const FieldDescriptor* PageField::descriptor() const {
    return page_.descriptor(row_.fieldId, row_.sub);
}

const FieldDescriptor* PageField::descriptor(std::int32_t fieldId, int sub) const {
    return page_.descriptor(fieldId, sub);
}

QLineEdit* PageField::addShownLine(int control) {
    auto* line = new QLineEdit(this);
    line->setReadOnly(true);
    line->setFocusPolicy(Qt::StrongFocus);
    page_.addControl(line, control, this);
    return line;
}

}  // namespace banmen
