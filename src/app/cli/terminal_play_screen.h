#pragma once
// The play screen of banmen-cli: panel texts become lines of UTF-8 text, the
// throw and next buttons a prompt (Enter), branch and player choices
// numbered menus, the debug dice prompt a question. Every wait draws one
// random number, however long it lasts, so the same seed and the same input
// replay the same game.
//
// Automatic mode: every player is a computer, every wait is over at once,
// and only the results are printed unless `verbose` is set.

#include <cstdio>
#include <string>

#include "engine/play_screen.h"
#include "platform/notifier.h"

namespace banmen::cli {

struct TerminalOptions {
    bool automatic = false;
    bool verbose = false;
    // Person/computer per player as given on the command line ("pccc"):
    // the opening's selection then asks nothing.
    bool presetPlayers = false;
};

class TerminalPlayScreen final : public PlayScreen {
  public:
    // The engine's notices (a game stopped by the turn limit...) go to
    // `notices`, which the command tells with its end.
    TerminalPlayScreen(TerminalOptions options, int inputFd, std::FILE* out, Notifier& notices);

    // True once standard input has ended.
    bool inputClosed() const { return closed_; }

    void PreparePlay(bool debug) override;
    WaitOutcome WaitForButton(const Button& button, int timeoutMs) override;
    void ShowPanelText(const PanelText& text) override;
    void ShowPanelPlayer(int player) override;
    void ShowSquarePicture(int player, const SquarePicture& picture) override;
    void ShowRankingTable(std::span<const RankRow> rows, int firstBaseline, int rowStep) override;
    void ShowPlayerSelection() override;
    void ShowCelebration(std::string_view first, std::string_view second,
                         std::string_view third) override;
    void ShowNotice(std::string_view text) override;
    void ShowPlayerInfo(int player) override;
    bool AnimateJump(int player, int fromSquare, int toSquare) override;
    bool AnimateDice(int count, const std::array<int, 3>& faces) override;
    bool LoadSupplementPicture(int image) override;
    int ChooseSquare(int player, int currentSquare, std::span<const int> candidates) override;
    int ChoosePlayer(int actingPlayer) override;
    int AskDieFace(int player, std::string_view caption) override;

  private:
    enum class Read { Line, TimedOut, Closed };

    bool printing() const;
    void print(std::string_view utf8);
    void prompt(std::string_view utf8);
    // A line from the input; timeout < 0 waits for ever.
    Read readLine(int timeoutMs, std::string& line);
    void echoLine(const std::string& line);
    // A number 1..count typed by the user; 0 for an empty line, -1 when the
    // input ended.
    int askNumber(int count);
    std::string playerName(int player) const;
    std::string squareName(int square) const;

    TerminalOptions options_;
    int inputFd_;
    std::FILE* out_;
    Notifier& notices_;
    std::string pending_;  // input read but not yet taken
    bool closed_ = false;
    bool echo_;  // the input is not a terminal
};

}  // namespace banmen::cli
