#pragma once
// A text row: a one-line edit, or a two-line one for the rights notice. The
// limit is a byte count of the Shift-JIS text (a full-width character counts
// 2): the smaller of the row's and the record field's.

#include "editor/pages/page_field.h"

class QLineEdit;
class QPlainTextEdit;

namespace banmen {

class TextRowField : public PageField {
    Q_OBJECT

  public:
    TextRowField(const RowSpec& row, TablePage& page);

    void load(bool force) override;
    bool read() override;
    QWidget* focusControl() const override;

    // The byte limit of the text.
    int limit() const;

  private:
    QString controlText() const;
    void setControlText(const QString& text);
    // Why the control's text cannot be written, or empty.
    QString refusal(const std::string& bytes) const;
    void write(bool typing);

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    QString shown_;
};

// "%1 文字以内で入力してください。"
QString textLimitMessage(int limit);

}  // namespace banmen
