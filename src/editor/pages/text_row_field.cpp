#include "editor/pages/text_row_field.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "editor/document/editor_document.h"
#include "editor/pages/page_text.h"
#include "editor/pages/table_page.h"

namespace banmen {
namespace {

// An object whose empty name would free its slot (and so delete it).
bool nameRequired(ObjectKind kind, std::int32_t fieldId) {
    return fieldId == kFieldName &&
           (kind == ObjectKind::Square || kind == ObjectKind::Image || kind == ObjectKind::Sound);
}

}  // namespace

QString textLimitMessage(int limit) {
    return QStringLiteral("%1 文字以内で入力してください。").arg(limit);
}

TextRowField::TextRowField(const RowSpec& row, TablePage& page) : PageField(row, page) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* control = nullptr;
    if (row.type == RowType::TwoLines) {
        lines_ = new QPlainTextEdit(this);
        lines_->setTabChangesFocus(true);
        lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
        lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->document()->setDocumentMargin(1);
        lines_->setFixedHeight(lines_->fontMetrics().lineSpacing() * 2 + 8);
        connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
            if (!page_.exchanging()) {
                write(true);
            }
        });
        control = lines_;
    } else {
        line_ = new QLineEdit(this);
        line_->setValidator(new ShiftJisValidator(line_));
        connect(line_, &QLineEdit::textChanged, this, [this] {
            if (!page_.exchanging()) {
                write(true);
            }
        });
        control = line_;
    }
    layout->addWidget(control);
    page.addControl(control, row.control, this);
}

QWidget* TextRowField::focusControl() const {
    return line_ != nullptr ? static_cast<QWidget*>(line_) : lines_;
}

int TextRowField::limit() const {
    const FieldDescriptor* field = descriptor();
    const int own = field != nullptr ? static_cast<int>(field->limit()) : row_.limit;
    return std::min(row_.limit, own);
}

QString TextRowField::controlText() const {
    return line_ != nullptr ? line_->text() : lines_->toPlainText();
}

void TextRowField::setControlText(const QString& text) {
    if (controlText() == text) {
        return;
    }
    if (line_ != nullptr) {
        line_->setText(text);
        line_->setCursorPosition(0);
    } else {
        lines_->setPlainText(text);
    }
}

void TextRowField::load(bool force) {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    const QString text = pageTextFromRecord(page_.document().owner().text(*field));
    if (force || text != shown_) {
        shown_ = text;
        setControlText(text);
    }
}

QString TextRowField::refusal(const std::string& bytes) const {
    if (static_cast<int>(bytes.size()) > limit()) {
        return textLimitMessage(limit());
    }
    if (bytes.empty() && nameRequired(page_.kind(), row_.fieldId)) {
        return QStringLiteral("名称を入力してください。");
    }
    return {};
}

void TextRowField::write(bool typing) {
    const FieldDescriptor* field = descriptor();
    const std::string bytes = pageTextToRecord(controlText());
    if (field == nullptr || !refusal(bytes).isEmpty()) {
        return;  // refused when the page is read
    }
    // What the record will show, so that the refresh after the write leaves
    // the control (and its cursor) alone.
    shown_ = pageTextFromRecord(bytes);
    page_.edit(
        row_, [&](RecordOwner& owner) { owner.SetText(*field, bytes); },
        typing ? page_.typingKey(*field) : QString());
}

bool TextRowField::read() {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return true;
    }
    const std::string bytes = pageTextToRecord(controlText());
    if (const QString why = refusal(bytes); !why.isEmpty()) {
        page_.refuse(why, focusControl());
        return false;
    }
    if (page_.document().owner().text(*field) != bytes) {
        write(false);
    }
    return true;
}

}  // namespace banmen
