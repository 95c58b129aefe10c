#include "analysis/report_output.h"

#include <charconv>
#include <cmath>

#include "model/json_value.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

std::string utf8(std::string_view cp932) {
    return sjis::toUtf8Lossy(cp932);
}

// The median is a whole number or half of one.
std::string medianNumber(double value) {
    return value == std::floor(value) ? fixedNumber(value, 0) : fixedNumber(value, 1);
}

std::string percent(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) {
        return "0.0%";
    }
    return fixedNumber(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1) + "%";
}

std::string numberList(const std::vector<std::int64_t>& values, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : std::string(separator)) + std::to_string(values[i]);
    }
    return text;
}

void member(std::string& out, std::string_view key, const std::string& json, bool last = false) {
    out += "  " + quoteJson(key) + ": " + json + (last ? "\n" : ",\n");
}

std::string findingJson(const Finding& f) {
    std::string text = "{\"code\": " + quoteJson(findingCodeName(f.code)) +
                       ", \"message\": " + quoteJson(utf8(f.message));
    const std::pair<const char*, std::int32_t> places[] = {
        {"square", f.square}, {"player", f.player}, {"image", f.image}, {"sound", f.sound}};
    for (const auto& [key, index] : places) {
        if (index >= 0) {
            text += std::string(", \"") + key + "\": " + std::to_string(index);
        }
    }
    return text + "}";
}

// "[\n    a,\n    b\n  ]", or "[]" when empty.
std::string jsonList(const std::vector<std::string>& items) {
    if (items.empty()) {
        return "[]";
    }
    std::string text = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += "    " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    }
    return text + "  ]";
}

}  // namespace

std::string fixedNumber(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string AnalysisJson(const GameRecord& record, const std::vector<Finding>& findings,
                         const SimulationReport& report) {
    std::string out = "{\n";
    member(out, "games", std::to_string(report.played));
    member(out, "seed", std::to_string(report.options.seed));
    member(out, "maxTurns", std::to_string(report.options.maxTurns));
    member(out, "finished", std::to_string(report.finished));
    member(out, "stoppedByTurnLimit", std::to_string(report.stoppedByTurnLimit));
    member(out, "stoppedByJumpChain", std::to_string(report.stoppedByJumpChain));
    const TurnStatistics& t = report.turns;
    const bool any = report.hasTurnStatistics;
    member(out, "turnsPerGame",
           "{\"mean\": " + (any ? fixedNumber(t.mean, 2) : "null") +
               ", \"median\": " + (any ? medianNumber(t.median) : "null") +
               ", \"p90\": " + (any ? std::to_string(t.p90) : "null") +
               ", \"max\": " + (any ? std::to_string(t.max) : "null") + "}");

    std::vector<std::string> items;
    for (std::size_t p = 0; p < report.players.size(); ++p) {
        const PlayerTally& player = report.players[p];
        items.push_back("{\"index\": " + std::to_string(p) +
                        ", \"name\": " + quoteJson(utf8(fieldText(record.players[p].name))) +
                        ", \"ranks\": [" + numberList(player.ranks, ", ") +
                        "], \"finished\": " + std::to_string(player.finished) + "}");
    }
    member(out, "players", jsonList(items));

    items.clear();
    for (int s = 0; s < kSquareCount && static_cast<std::size_t>(s) < report.squares.size(); ++s) {
        if (!inUse(record.squares[s])) {
            continue;
        }
        const SquareTally& square = report.squares[static_cast<std::size_t>(s)];
        items.push_back("{\"index\": " + std::to_string(s) +
                        ", \"name\": " + quoteJson(utf8(fieldText(record.squares[s].name))) +
                        ", \"stops\": " + std::to_string(square.stops) +
                        ", \"passes\": " + std::to_string(square.passes) + "}");
    }
    member(out, "squares", jsonList(items));

    items.clear();
    for (const Finding& f : findings) {
        items.push_back(findingJson(f));
    }
    member(out, "findings", jsonList(items), true);
    return out + "}\n";
}

std::string AnalysisText(const GameRecord& record, const std::vector<Finding>& findings,
                         const SimulationReport& report) {
    std::string out = "findings: " + std::to_string(findings.size()) + "\n";
    for (const Finding& f : findings) {
        out += "  " + std::string(findingCodeName(f.code)) + ": " + utf8(f.message) + "\n";
    }

    out += "\ngames: " + std::to_string(report.played) + " (seed " +
           std::to_string(report.options.seed) + ", at most " +
           std::to_string(report.options.maxTurns) + " turns each)\n";
    out += "finished: " + std::to_string(report.finished) +
           ", stopped by the turn limit: " + std::to_string(report.stoppedByTurnLimit) +
           ", stopped in an endless chain of jumps: " + std::to_string(report.stoppedByJumpChain) +
           "\n";
    if (report.hasTurnStatistics) {
        const TurnStatistics& t = report.turns;
        out += "turns per finished game: mean " + fixedNumber(t.mean, 2) + ", median " +
               medianNumber(t.median) + ", 90% within " + std::to_string(t.p90) + ", longest " +
               std::to_string(t.max) + "\n";
    }

    const std::int64_t even =
        report.players.empty() ? 0 : 1000 / static_cast<std::int64_t>(report.players.size());
    out +=
        "\nplayers (games at rank 1 / 2 / ...; first places; reached a goal; an even game gives "
        "each " +
        fixedNumber(static_cast<double>(even) / 10.0, 1) + "% of the first places):\n";
    for (std::size_t p = 0; p < report.players.size(); ++p) {
        const PlayerTally& player = report.players[p];
        const std::int64_t first = player.ranks.empty() ? 0 : player.ranks.front();
        out += "  " + std::to_string(p + 1) + " " + utf8(fieldText(record.players[p].name)) + ": " +
               numberList(player.ranks, " / ") + "; first " + percent(first, report.played) +
               "; goal " + percent(player.finished, report.played) + "\n";
    }

    std::int64_t allStops = 0;
    for (const SquareTally& square : report.squares) {
        allStops += square.stops;
    }
    out += "\nsquares (stops, passes, share of all stops):\n";
    for (int s = 0; s < kSquareCount && static_cast<std::size_t>(s) < report.squares.size(); ++s) {
        if (!inUse(record.squares[s])) {
            continue;
        }
        const SquareTally& square = report.squares[static_cast<std::size_t>(s)];
        out += "  " + std::to_string(s + 1) + " " + utf8(fieldText(record.squares[s].name)) + ": " +
               std::to_string(square.stops) + ", " + std::to_string(square.passes) + ", " +
               percent(square.stops, allStops) + "\n";
    }
    return out;
}

}  // namespace banmen
