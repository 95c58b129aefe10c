#pragma once
// A styled label: a static text with its own colour and a font made from a
// face name, a size in tenths of a point and a style text such as "標準" or
// "太字 斜体". The style text is searched for keywords (ASCII letters in any
// case): "太字", "ボールド", "BOLD" make it bold; "イタリック", "斜体",
// "ITALIC" italic; "下線", "アンダーライン", "UNDERLINE" underlined;
// "取り消し線", "取消線", "取消し線", "STRIKEOUT" struck out. Anything else
// gives the regular style.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

namespace banmen {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

FontStyle parseFontStyle(const QString& style);

// The point font of a face ("ＭＳ 明朝" and the like map to this system's
// fonts), a size in tenths of a point and a style text.
QFont styledFont(const QString& face, int tenths, const QString& style);

class StyledLabel : public QLabel {
    Q_OBJECT

  public:
    StyledLabel(const QString& text, const QString& face, int tenths, const QString& style,
                QWidget* parent = nullptr, QColor colour = QColor(Qt::black));

    void setTextColour(QColor colour);
};

}  // namespace banmen
