#pragma once
// The phases of the engine's phase machine (`PlayPhase`).

#include <cstdint>

namespace banmen {

constexpr std::int32_t PhaseIdle = 0;
constexpr std::int32_t PhaseResults = 110;
constexpr std::int32_t PhaseFinished = 120;
constexpr std::int32_t PhaseOpening = 2000;
constexpr std::int32_t PhaseTurn = 2100;  // + player index 0..3
constexpr std::int32_t PhaseDebugStart = 3000;

constexpr bool isTurnPhase(std::int32_t phase) {
    return phase >= PhaseTurn && phase < PhaseTurn + 4;
}

}  // namespace banmen
