#include "analysis/route_graph.h"

#include <algorithm>

namespace banmen {

RouteGraph::RouteGraph(const GameRecord& record) : record_(record) {
    for (int s = 0; s < kSquareCount; ++s) {
        const SquareDef& square = record.squares[s];
        if (!inUse(square)) {
            continue;
        }
        std::vector<std::int32_t>& links = links_[static_cast<std::size_t>(s)];
        auto link = [&](std::int32_t target) {
            if (isSquareRef(record, target) &&
                std::find(links.begin(), links.end(), target) == links.end()) {
                links.push_back(target);
            }
        };
        const bool raceGoesOn = square.kind != kSquareGoal && square.kind != kSquareRetire;
        if (raceGoesOn) {
            for (std::int32_t next : square.nextSquares) {
                link(next);
            }
            for (std::int32_t jump : square.dieJumps) {
                link(jump);
            }
        }
        link(square.passJump);
        link(square.arrivalJump);
    }
}

SquareSet RouteGraph::reachableFrom(std::span<const std::int32_t> roots) const {
    SquareSet seen;
    std::vector<std::int32_t> pending;
    for (std::int32_t root : roots) {
        if (isSquareRef(record_, root) && !seen.test(static_cast<std::size_t>(root))) {
            seen.set(static_cast<std::size_t>(root));
            pending.push_back(root);
        }
    }
    while (!pending.empty()) {
        const std::int32_t s = pending.back();
        pending.pop_back();
        for (std::int32_t target : links_[static_cast<std::size_t>(s)]) {
            if (!seen.test(static_cast<std::size_t>(target))) {
                seen.set(static_cast<std::size_t>(target));
                pending.push_back(target);
            }
        }
    }
    return seen;
}

std::vector<std::vector<std::int32_t>> RouteGraph::arrivalLoops() const {
    // Each square has at most one arrival jump, so following them from any
    // square either ends or runs into a circle. Walks are numbered; meeting a
    // square of the current walk closes a new circle.
    std::array<int, kSquareCount> walkOf{};
    std::vector<std::vector<std::int32_t>> loops;
    int walk = 0;
    for (int start = 0; start < kSquareCount; ++start) {
        if (!inUse(record_.squares[start]) || walkOf[static_cast<std::size_t>(start)] != 0) {
            continue;
        }
        ++walk;
        std::int32_t s = start;
        while (s != -1 && walkOf[static_cast<std::size_t>(s)] == 0) {
            walkOf[static_cast<std::size_t>(s)] = walk;
            const std::int32_t target = record_.squares[s].arrivalJump;
            s = isSquareRef(record_, target) ? target : -1;
        }
        if (s == -1 || walkOf[static_cast<std::size_t>(s)] != walk) {
            continue;
        }
        std::vector<std::int32_t> loop;
        std::int32_t square = s;
        do {
            loop.push_back(square);
            square = record_.squares[square].arrivalJump;
        } while (square != s);
        std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
        loops.push_back(std::move(loop));
    }
    std::sort(loops.begin(), loops.end(),
              [](const auto& a, const auto& b) { return a.front() < b.front(); });
    return loops;
}

}  // namespace banmen
