#include "editor/map/square_status.h"

#include "model/enum_texts.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

QString text(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8Lossy(cp932));
}

bool leadsTo(const SquareDef& from, std::int32_t square) {
    if (from.arrivalJump == square || from.passJump == square) {
        return true;
    }
    for (std::int32_t next : from.nextSquares) {
        if (next == square) {
            return true;
        }
    }
    for (std::int32_t jump : from.dieJumps) {
        if (jump == square) {
            return true;
        }
    }
    return false;
}

}  // namespace

QStringList squareProblems(const GameRecord& record, int square) {
    QStringList problems;
    if (!isSquareRef(record, square)) {
        return problems;
    }
    const SquareDef& s = record.squares[square];
    if (s.description[0] == 0) {
        problems << QStringLiteral("説明がありません");
    }
    // Pieces start on start squares and on the players' start squares.
    bool reached = s.kind == kSquareStart;
    for (const PlayerDef& player : record.players) {
        reached = reached || player.startSquare == square;
    }
    for (int i = 0; i < kSquareCount && !reached; ++i) {
        reached = i != square && inUse(record.squares[i]) && leadsTo(record.squares[i], square);
    }
    if (!reached) {
        problems << QStringLiteral("どこからも来られません");
    }
    // Goal and retire squares end a piece's way.
    bool onward = s.kind == kSquareGoal || s.kind == kSquareRetire;
    for (std::int32_t next : s.nextSquares) {
        onward = onward || isSquareRef(record, next);
    }
    if (!onward) {
        problems << QStringLiteral("次のマスがありません");
    }
    return problems;
}

QString squareStatusText(const GameRecord& record, int square) {
    if (!isSquareRef(record, square)) {
        return {};
    }
    const SquareDef& s = record.squares[square];
    QString updates;
    for (const auto& update : s.updateTexts) {
        const QString one = text(fieldText(update));
        if (!one.isEmpty()) {
            updates += one + QLatin1Char(' ');
        }
    }
    const std::string_view kind = squareKindText(s.kind);
    const QString kindName = QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size()));
    const QString description = text(fieldText(s.description));
    QString line = description.isEmpty()
                       ? QStringLiteral("マス%1 [%2:%3] %4")
                             .arg(square + 1)
                             .arg(text(fieldText(s.name)), kindName, updates)
                       : QStringLiteral("マス%1 [%2:%3] ～ %4 ～ %5")
                             .arg(square + 1)
                             .arg(text(fieldText(s.name)), kindName, description, updates);
    const QStringList problems = squareProblems(record, square);
    if (!problems.isEmpty()) {
        line += QStringLiteral(" 【") + problems.join(QStringLiteral("・")) + QStringLiteral("】");
    }
    return line;
}

}  // namespace banmen
