#pragma once
// The status line's description of a square: its number, name, kind,
// description and data-update descriptions, followed by what the author can
// still fix about it (no description, nothing leads to it, no way on).

#include <QString>
#include <QStringList>

#include "model/game_record.h"

namespace banmen {

// "マス%d [%s:%s] %s" without a description, "マス%d [%s:%s] ～ %s ～ %s" with
// one, then the problems; empty for -1 or a square not in use.
QString squareStatusText(const GameRecord& record, int square);

// The problems alone, in that order ("説明がありません", "どこからも来られません",
// "次のマスがありません").
QStringList squareProblems(const GameRecord& record, int square);

}  // namespace banmen
