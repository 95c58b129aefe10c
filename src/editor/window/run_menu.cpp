#include "editor/window/run_menu.h"

namespace banmen {

std::array<RunMenuItem, 6> runMenuItems(RunState state, bool squareSelected) {
    const bool idle = state == RunState::Idle;
    const bool test = state == RunState::TestRun;
    const bool debug = state == RunState::DebugRun;
    const bool square = state == RunState::SquareDebugRun;
    return {{
        {kCmdRun,
         idle   ? QStringLiteral("実行(&R)")
         : test ? QStringLiteral("再実行(&S)")
                : QStringLiteral("実行(&S)"),
         idle || test},
        {kCmdStopRun, QStringLiteral("実行中止(&E)"), test},
        {kCmdDebug, debug ? QStringLiteral("ﾃﾞﾊﾞｯｸ再実行(&R)") : QStringLiteral("ﾃﾞﾊﾞｯｸ(&R)"),
         idle || debug},
        {kCmdStopDebug, QStringLiteral("ﾃﾞﾊﾞｯｸ中止(&S)"), debug},
        {kCmdSquareDebug,
         square ? QStringLiteral("ﾏｽのﾃﾞﾊﾞｯｸ再実行(&M)") : QStringLiteral("ﾏｽのﾃﾞﾊﾞｯｸ(&M)"),
         (idle && squareSelected) || square},
        {kCmdStopSquareDebug, QStringLiteral("ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)"), square},
    }};
}

}  // namespace banmen
