#include "engine/player_info.h"

#include "engine/engine_texts.h"
#include "model/text_field.h"

namespace banmen {
namespace {

InfoLine stateLine(const GameRecord& record, int player, int t) {
    return {true, std::string(fieldText(record.states[t].name)),
            std::string(fieldText(record.players[player].stateTexts[t]))};
}

InfoLine dataLine(const GameRecord& record, int player, int d) {
    const PlayerDataDef& item = record.dataItems[d];
    return {false, std::string(fieldText(item.name)),
            valueWithUnit(record.players[player].dataValues[d], item)};
}

// "%-8s": padded with blanks to 8 bytes, never cut.
std::string padded8(const std::string& text) {
    std::string out = text;
    if (out.size() < 8) {
        out.append(8 - out.size(), ' ');
    }
    return out;
}

}  // namespace

std::string valueWithUnit(std::int32_t value, const PlayerDataDef& item) {
    return std::to_string(value) + std::string(fieldText(item.unit));
}

std::vector<InfoLine> PlayerInfoLines(const GameRecord& record, int player) {
    std::vector<InfoLine> lines;
    for (int t = 0; t < kStateCount; ++t) {
        if (record.states[t].visible != 0) {
            lines.push_back(stateLine(record, player, t));
        }
    }
    for (int d = 0; d < kDataItemCount; ++d) {
        if (record.dataItems[d].visible != 0 && record.dataItems[d].name[0] != 0) {
            lines.push_back(dataLine(record, player, d));
        }
    }
    return lines;
}

PanelSummary PlayerPanelSummary(const GameRecord& record, int player) {
    PanelSummary summary;
    for (int t = 0; t < kStateCount; ++t) {
        if (record.states[t].visible != 0) {
            summary.hasState = true;
            summary.state = stateLine(record, player, t);
            break;
        }
    }
    for (int d = 0; d < kDataItemCount; ++d) {
        if (record.dataItems[d].visible != 0) {
            if (record.dataItems[d].name[0] != 0) {
                summary.hasData = true;
                summary.data = dataLine(record, player, d);
            }
            break;
        }
    }
    return summary;
}

int resultItemCount(const GameRecord& record) {
    int count = 0;
    for (int t = 0; t < kStateCount; ++t) {
        count += record.states[t].visible != 0 ? 1 : 0;
    }
    for (int d = 0; d < kDataItemCount; ++d) {
        count += record.dataItems[d].visible != 0 && record.dataItems[d].name[0] != 0 ? 1 : 0;
    }
    return count;
}

std::string ResultSheetText(const GameRecord& record, int player) {
    const std::string& space = engineTexts().wideSpace;
    std::string text;
    bool first = true;
    for (const InfoLine& line : PlayerInfoLines(record, player)) {
        if (!first) {
            text += "\r\n";
        }
        first = false;
        if (line.isState && line.label.empty()) {
            text += line.value;
        } else {
            text += padded8(line.label) + space + line.value;
        }
    }
    return text;
}

}  // namespace banmen
