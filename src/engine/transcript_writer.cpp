#include "engine/transcript_writer.h"

#include <string>

#include "engine/game_session.h"
#include "engine/ranking.h"
#include "model/json_value.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

namespace {

// One JSON object on one line, members in the order they are added.
class Line {
  public:
    explicit Line(std::string_view event) { text_ = "{\"event\":" + quoteJson(event); }
    Line& number(std::string_view key, std::int64_t value) {
        return raw(key, std::to_string(value));
    }
    Line& flag(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
    Line& cp932(std::string_view key, std::string_view text) {
        return raw(key, quoteJson(sjis::toUtf8Lossy(text)));
    }
    Line& utf8(std::string_view key, std::string_view text) { return raw(key, quoteJson(text)); }
    Line& raw(std::string_view key, std::string_view json) {
        text_ += ',';
        text_ += quoteJson(key);
        text_ += ':';
        text_ += json;
        return *this;
    }
    void writeTo(std::ostream& out) {
        text_ += "}\n";
        out << text_;
        out.flush();
    }

  private:
    std::string text_;
};

std::string numbers(std::span<const int> values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out += (i == 0 ? "" : ",") + std::to_string(values[i]);
    }
    return out + "]";
}

std::string computerFlags(const GameSession& session) {
    std::string out = "[";
    for (int p = 0; p < session.playerCount(); ++p) {
        out += (p == 0 ? "" : ",");
        out += session.isComputer(p) ? "true" : "false";
    }
    return out + "]";
}

}  // namespace

void TranscriptWriter::GameStarted(const GameSession& session) {
    const GameRecord& record = session.record();
    std::string players = "[";
    for (int p = 0; p < session.playerCount(); ++p) {
        const PlayerDef& player = record.players[p];
        players += p == 0 ? "{" : ",{";
        players += "\"player\":" + std::to_string(p);
        players += ",\"name\":" + quoteJson(sjis::toUtf8Lossy(fieldText(player.name)));
        players += ",\"computer\":" + std::string(player.isComputer != 0 ? "true" : "false");
        players += ",\"square\":" + std::to_string(player.currentSquare) + "}";
    }
    players += "]";
    Line("start")
        .flag("debug", session.debug())
        .number("debugStartSquare", session.debugStartSquare())
        .raw("players", players)
        .writeTo(out_);
}

void TranscriptWriter::PlayersSelected(const GameSession& session) {
    Line("selection").raw("computer", computerFlags(session)).writeTo(out_);
}

void TranscriptWriter::TurnStarted(int turn, int player, std::int32_t square) {
    Line("turn")
        .number("turn", turn)
        .number("player", player)
        .number("square", square)
        .writeTo(out_);
}

void TranscriptWriter::RestSpent(int player) {
    Line("rest").number("player", player).writeTo(out_);
}

void TranscriptWriter::DiceThrown(int player, ThrowPurpose purpose, int update,
                                  std::span<const int> faces, int total) {
    Line line("throw");
    line.number("player", player).utf8("for", purpose == ThrowPurpose::Turn ? "turn" : "update");
    if (purpose == ThrowPurpose::Update) {
        line.number("item", update);
    }
    line.raw("faces", numbers(faces)).number("total", total).writeTo(out_);
}

void TranscriptWriter::PieceMoved(int player, MoveKind kind, std::int32_t from, std::int32_t to,
                                  bool undone) {
    Line line("move");
    line.number("player", player)
        .utf8("kind", moveKindName(kind))
        .number("from", from)
        .number("to", to);
    if (undone) {
        line.flag("undone", true);
    }
    line.writeTo(out_);
}

void TranscriptWriter::SquareResolved(int player, std::int32_t square) {
    Line("resolve").number("player", player).number("square", square).writeTo(out_);
}

void TranscriptWriter::DataChanged(int actingPlayer, int player, std::int32_t square, int item,
                                   std::int32_t oldValue, std::int32_t newValue) {
    Line("data")
        .number("player", player)
        .number("by", actingPlayer)
        .number("square", square)
        .number("item", item)
        .number("old", oldValue)
        .number("new", newValue)
        .writeTo(out_);
}

void TranscriptWriter::StateChanged(int player, std::int32_t square, int state,
                                    std::string_view oldText, std::string_view newText) {
    Line("state")
        .number("player", player)
        .number("square", square)
        .number("state", state)
        .cp932("old", oldText)
        .cp932("new", newText)
        .writeTo(out_);
}

void TranscriptWriter::FinishChanged(int player, std::int32_t oldValue, std::int32_t newValue) {
    Line("finish")
        .number("player", player)
        .number("old", oldValue)
        .number("new", newValue)
        .writeTo(out_);
}

void TranscriptWriter::RestFlagChanged(int player, std::int32_t oldValue, std::int32_t newValue) {
    Line("restFlag")
        .number("player", player)
        .number("old", oldValue)
        .number("new", newValue)
        .writeTo(out_);
}

void TranscriptWriter::Notice(std::string_view text) {
    Line("notice").cp932("text", text).writeTo(out_);
}

void TranscriptWriter::GameEnded(const GameSession& session, EndReason reason) {
    const GameRecord& record = session.record();
    const int n = session.playerCount();
    const std::vector<std::int32_t> ranks = RanksByPlayer(record, n);
    std::string players = "[";
    for (int p = 0; p < n; ++p) {
        const PlayerDef& player = record.players[p];
        players += p == 0 ? "{" : ",{";
        players += "\"player\":" + std::to_string(p);
        players += ",\"currentSquare\":" + std::to_string(player.currentSquare);
        players += ",\"finishState\":" + std::to_string(player.finishState);
        players += ",\"restFlag\":" + std::to_string(player.restFlag);
        players += ",\"dataValues\":" + numbers(std::span<const int>(player.dataValues));
        players += ",\"stateTexts\":[";
        for (int t = 0; t < kStateCount; ++t) {
            players +=
                (t == 0 ? "" : ",") + quoteJson(sjis::toUtf8Lossy(fieldText(player.stateTexts[t])));
        }
        const std::int32_t rank = ranks[static_cast<std::size_t>(p)];
        players += "],\"rank\":" + (rank > 0 ? std::to_string(rank) : std::string("null")) + "}";
    }
    players += "]";
    Line("end")
        .utf8("reason", endReasonName(reason))
        .number("turns", session.turnsPlayed())
        .raw("players", players)
        .writeTo(out_);
}

}  // namespace banmen
