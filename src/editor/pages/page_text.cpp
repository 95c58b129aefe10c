#include "editor/pages/page_text.h"

#include "platform/sjis.h"

namespace banmen {

QString pageTextFromRecord(std::string_view cp932) {
    QString text = QString::fromStdString(sjis::toUtf8Lossy(cp932));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string pageTextToRecord(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return sjis::lit(lines.toStdString());
}

bool fitsShiftJis(const QString& text) {
    return sjis::fromUtf8(text.toStdString()).has_value();
}

QValidator::State ShiftJisValidator::validate(QString& input, int&) const {
    // A broken byte of the record shows as U+FFFD; it must not lock the
    // field (it is written back as "?").
    QString check = input;
    check.remove(QChar(QChar::ReplacementCharacter));
    return fitsShiftJis(check) ? Acceptable : Invalid;
}

}  // namespace banmen
