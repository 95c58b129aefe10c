#pragma once
// The run items of the Build menu: their captions and whether they are
// enabled, idle and during each kind of run.

#include <QString>
#include <array>

namespace banmen {

constexpr int kCmdRun = 5000;
constexpr int kCmdStopRun = 5001;
constexpr int kCmdDebug = 5010;
constexpr int kCmdStopDebug = 5011;
constexpr int kCmdSquareDebug = 32826;
constexpr int kCmdStopSquareDebug = 32828;
// Posted back when a run has ended.
constexpr int kCmdPlayEnded = 5020;

enum class RunState { Idle, TestRun, DebugRun, SquareDebugRun };

struct RunMenuItem {
    int id = 0;
    QString caption;
    bool enabled = false;
};

// In menu order: 5000, 5001, 5010, 5011, 32826, 32828. `squareSelected`:
// the selected object is a square (the square debug needs one).
std::array<RunMenuItem, 6> runMenuItems(RunState state, bool squareSelected);

}  // namespace banmen
