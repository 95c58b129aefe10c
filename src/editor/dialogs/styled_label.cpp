#include "editor/dialogs/styled_label.h"

#include <QPalette>
#include <initializer_list>

#include "media/font_faces.h"

namespace banmen {
namespace {

bool containsAny(const QString& text, std::initializer_list<const char16_t*> keywords) {
    for (const char16_t* keyword : keywords) {
        if (text.contains(QString::fromUtf16(keyword))) {
            return true;
        }
    }
    return false;
}

// Only the single-byte letters change case; double-byte characters stay.
QString upperAscii(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return upper;
}

}  // namespace

FontStyle parseFontStyle(const QString& style) {
    const QString text = upperAscii(style);
    FontStyle result;
    result.bold = containsAny(text, {u"太字", u"ボールド", u"BOLD"});
    result.italic = containsAny(text, {u"イタリック", u"斜体", u"ITALIC"});
    result.underline = containsAny(text, {u"下線", u"アンダーライン", u"UNDERLINE"});
    result.strikeOut = containsAny(text, {u"取り消し線", u"取消線", u"取消し線", u"STRIKEOUT"});
    return result;
}

QFont styledFont(const QString& face, int tenths, const QString& style) {
    const FontStyle parsed = parseFontStyle(style);
    QFont font = MakePointFont(face, tenths, parsed.bold ? 700 : 400);
    font.setItalic(parsed.italic);
    font.setUnderline(parsed.underline);
    font.setStrikeOut(parsed.strikeOut);
    return font;
}

StyledLabel::StyledLabel(const QString& text, const QString& face, int tenths, const QString& style,
                         QWidget* parent, QColor colour)
    : QLabel(text, parent) {
    setFont(styledFont(face, tenths, style));
    setTextFormat(Qt::PlainText);
    setTextColour(colour);
}

void StyledLabel::setTextColour(QColor colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

}  // namespace banmen
