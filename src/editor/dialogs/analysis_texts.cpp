#include "editor/dialogs/analysis_texts.h"

#include "analysis/lint.h"
#include "editor/document/object_captions.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

QString percent(std::int64_t part, std::int64_t whole) {
    const double share =
        whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
    return QString::number(share, 'f', 1) + QLatin1Char('%');
}

QString turnsText(const SimulationReport& report) {
    if (!report.hasTurnStatistics) {
        return QStringLiteral("終局した対局がありません");
    }
    const TurnStatistics& t = report.turns;
    return QStringLiteral("平均 %1、中央値 %2、90%は %3 以内、最長 %4（全員のターン数）")
        .arg(QString::number(t.mean, 'f', 2), QString::number(t.median, 'g', 12))
        .arg(t.p90)
        .arg(t.max);
}

// How much more often the first player wins than an even game would let it.
QString firstPlayerText(const SimulationReport& report) {
    const std::vector<std::int64_t>& ranks = report.players.front().ranks;
    const std::int64_t wins = ranks.empty() ? 0 : ranks.front();
    const double share =
        report.played > 0 ? 100.0 * static_cast<double>(wins) / static_cast<double>(report.played)
                          : 0.0;
    const double even = 100.0 / static_cast<double>(report.players.size());
    const double lead = share - even;
    return QStringLiteral("1位 %1%（均等なら %2%、%3 ポイント）")
        .arg(QString::number(share, 'f', 1), QString::number(even, 'f', 1),
             (lead >= 0 ? QStringLiteral("+") : QString()) + QString::number(lead, 'f', 1));
}

}  // namespace

QString findingKindText(FindingCode code) {
    switch (code) {
        case FindingCode::NoStart:
            return QStringLiteral("スタートなし");
        case FindingCode::NoGoal:
            return QStringLiteral("ゴールに着けない");
        case FindingCode::Unreachable:
            return QStringLiteral("行けないマス");
        case FindingCode::DeadEnd:
            return QStringLiteral("行き止まり");
        case FindingCode::JumpLoop:
            return QStringLiteral("移動の輪");
        case FindingCode::FreeReference:
            return QStringLiteral("空きの参照");
        case FindingCode::MissingMedia:
            return QStringLiteral("ファイルなし");
        case FindingCode::BadPicture:
            return QStringLiteral("絵柄の不具合");
        case FindingCode::NoDescription:
            return QStringLiteral("説明なし");
    }
    return {};
}

QString findingMessage(const Finding& finding) {
    return QString::fromStdString(sjis::toUtf8Lossy(finding.message));
}

QString findingLine(const Finding& finding) {
    return findingKindText(finding.code) + QStringLiteral(": ") + findingMessage(finding);
}

QStringList workspaceFindingLines(const GameRecord& record, const std::string& folder) {
    QStringList lines;
    for (const Finding& finding : LintWorkspace(record, folder)) {
        lines << findingLine(finding);
    }
    return lines;
}

Selection findingTarget(const Finding& finding) {
    if (finding.square >= 0) {
        return {ObjectKind::Square, finding.square};
    }
    if (finding.player >= 0) {
        return {ObjectKind::Player, finding.player};
    }
    if (finding.image >= 0) {
        return {ObjectKind::Image, finding.image};
    }
    if (finding.sound >= 0) {
        return {ObjectKind::Sound, finding.sound};
    }
    return {};
}

std::vector<SummaryRow> summaryRows(const GameRecord& record, const SimulationReport& report) {
    std::vector<SummaryRow> rows;
    rows.push_back(
        {QStringLiteral("対局"),
         report.cancelled
             ? QStringLiteral("%1 / %2 局で中止").arg(report.played).arg(report.options.games)
             : QStringLiteral("%1 局（乱数の種 %2）").arg(report.played).arg(report.options.seed)});
    rows.push_back({QStringLiteral("終局"), QStringLiteral("%1 局").arg(report.finished)});
    rows.push_back(
        {QStringLiteral("打ち切り"), QStringLiteral("ターン数の上限 %1 局、移動の連鎖 %2 局")
                                         .arg(report.stoppedByTurnLimit)
                                         .arg(report.stoppedByJumpChain)});
    rows.push_back({QStringLiteral("ゲームの長さ"), turnsText(report)});
    if (report.players.size() > 1) {
        rows.push_back({QStringLiteral("先手の有利"), firstPlayerText(report)});
    }
    for (std::size_t p = 0; p < report.players.size(); ++p) {
        const Selection player{ObjectKind::Player, static_cast<int>(p)};
        QString caption = objectCaption(record, player);
        const PlayerTally& tally = report.players[p];
        const std::int64_t first = tally.ranks.empty() ? 0 : tally.ranks.front();
        rows.push_back(
            {caption.isEmpty() ? objectLabel(player) : caption,
             QStringLiteral("1位 %1、ゴール %2")
                 .arg(percent(first, report.played), percent(tally.finished, report.played))});
    }
    return rows;
}

}  // namespace banmen
