// The board's shape: players without a start or a goal, squares no piece can
// reach or leave, circles of arrival jumps, squares without a description.

#include <vector>

#include "analysis/lint_checks.h"
#include "analysis/route_graph.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen::lint {
namespace {

Finding squareFinding(FindingCode code, const GameRecord& record, int s, std::string_view tail) {
    Finding f;
    f.code = code;
    f.square = s;
    f.message = squareCaption(record, s) + sjis::lit(tail);
    return f;
}

bool isFinalKind(std::int32_t kind) {
    return kind == kSquareGoal || kind == kSquareRetire;
}

void checkPlayers(const GameRecord& record, const RouteGraph& graph, std::vector<Finding>& out) {
    for (int p = 0; p < playersInGame(record); ++p) {
        const std::int32_t start = record.players[p].startSquare;
        Finding f;
        f.player = p;
        if (!isSquareRef(record, start)) {
            f.code = FindingCode::NoStart;
            f.message = playerCaption(record, p) + sjis::lit(" に開始位置がありません");
            out.push_back(std::move(f));
            continue;
        }
        const SquareSet reached = graph.reachableFrom(std::span(&start, 1));
        bool goal = false;
        for (int s = 0; s < kSquareCount && !goal; ++s) {
            goal =
                reached.test(static_cast<std::size_t>(s)) && record.squares[s].kind == kSquareGoal;
        }
        if (!goal) {
            f.code = FindingCode::NoGoal;
            f.square = start;
            f.message = playerCaption(record, p) + sjis::lit(" の開始位置 ") +
                        squareCaption(record, start) + sjis::lit(" からゴールへ行けません");
            out.push_back(std::move(f));
        }
    }
}

// The squares pieces start on: the players' start squares, or, when no
// player has one, the squares of kind スタート.
std::vector<std::int32_t> startSquares(const GameRecord& record) {
    std::vector<std::int32_t> roots;
    for (int p = 0; p < playersInGame(record); ++p) {
        if (isSquareRef(record, record.players[p].startSquare)) {
            roots.push_back(record.players[p].startSquare);
        }
    }
    for (int s = 0; s < kSquareCount && roots.empty(); ++s) {
        if (inUse(record.squares[s]) && record.squares[s].kind == kSquareStart) {
            roots.push_back(s);
        }
    }
    return roots;
}

void checkLoops(const RouteGraph& graph, std::vector<Finding>& out) {
    for (const std::vector<std::int32_t>& loop : graph.arrivalLoops()) {
        std::string path;
        for (std::int32_t s : loop) {
            path += sjis::lit("マス") + std::to_string(s + 1) + sjis::lit("→");
        }
        path += sjis::lit("マス") + std::to_string(loop.front() + 1);
        Finding f;
        f.code = FindingCode::JumpLoop;
        f.square = loop.front();
        f.message = sjis::lit("到着移動先が ") + path +
                    sjis::lit(" と輪になっていて、ここに来た駒が止まれません");
        out.push_back(std::move(f));
    }
}

}  // namespace

void checkBoard(const GameRecord& record, std::vector<Finding>& out) {
    const RouteGraph graph(record);
    checkPlayers(record, graph, out);

    const std::vector<std::int32_t> roots = startSquares(record);
    const SquareSet reached = graph.reachableFrom(roots);
    for (int s = 0; s < kSquareCount; ++s) {
        const SquareDef& square = record.squares[s];
        if (!inUse(square)) {
            continue;
        }
        // With no start at all every square would be unreachable; the
        // players' noStart findings say what is wrong.
        if (!roots.empty() && !reached.test(static_cast<std::size_t>(s))) {
            out.push_back(squareFinding(FindingCode::Unreachable, record, s,
                                        " にはどの開始位置からも行けません"));
        }
        bool next = false;
        for (std::int32_t target : square.nextSquares) {
            next = next || isSquareRef(record, target);
        }
        if (!next && !isFinalKind(square.kind)) {
            out.push_back(
                squareFinding(FindingCode::DeadEnd, record, s,
                              " には次のマスがありません（ゴールでもリタイヤでもありません）"));
        }
        if (square.description[0] == 0) {
            out.push_back(
                squareFinding(FindingCode::NoDescription, record, s, " に説明がありません"));
        }
    }
    checkLoops(graph, out);
}

}  // namespace banmen::lint
