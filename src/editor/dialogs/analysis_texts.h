#pragma once
// What the editor shows of an analysis, as plain texts: the linter's
// findings as lines (the analysis window and the build dialog list them) and
// the summary of a report of simulated games.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "analysis/finding.h"
#include "analysis/simulation.h"
#include "editor/document/selection.h"
#include "model/game_record.h"

namespace banmen {

// A short name of the kind of problem ("行き止まり").
QString findingKindText(FindingCode code);
// The linter's message, for display.
QString findingMessage(const Finding& finding);
// "行き止まり: マス3 [普通] に次のマスがありません"
QString findingLine(const Finding& finding);
// The problems of the workspace in `folder` (its media and the default
// folders), one line each; empty for a clean game. Reads the settings: call
// it on the user-interface thread.
QStringList workspaceFindingLines(const GameRecord& record, const std::string& folder);

// The object a finding is about: its square, player, image or sound, or the
// game's settings when it names none.
Selection findingTarget(const Finding& finding);

// The summary of a report, row by row: games played and how they ended, the
// game's length in turns, the first player's advantage and each player's
// first places and finishes.
struct SummaryRow {
    QString label;
    QString value;
};
std::vector<SummaryRow> summaryRows(const GameRecord& record, const SimulationReport& report);

}  // namespace banmen
