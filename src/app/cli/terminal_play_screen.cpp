#include "cli/terminal_play_screen.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "engine/engine_texts.h"
#include "engine/game_session.h"
#include "engine/player_info.h"
#include "model/enum_texts.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen::cli {
namespace {

// "\r\n" and "\r" become "\n".
std::string lines(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            out += '\n';
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        out += utf8[i];
    }
    return out;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

TerminalPlayScreen::TerminalPlayScreen(TerminalOptions options, int inputFd, std::FILE* out,
                                       Notifier& notices)
    : options_(options),
      inputFd_(inputFd),
      out_(out),
      notices_(notices),
      echo_(isatty(inputFd) == 0) {}

bool TerminalPlayScreen::printing() const {
    return !options_.automatic || options_.verbose ||
           (session() != nullptr && session()->phase() == PhaseResults);
}

void TerminalPlayScreen::print(std::string_view utf8) {
    if (!printing()) {
        return;
    }
    std::string text(utf8);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), out_);
}

void TerminalPlayScreen::prompt(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), out_);
    std::fflush(out_);
}

std::string TerminalPlayScreen::playerName(int player) const {
    if (player < 0 || player >= kPlayerCount) {
        return "(" + std::to_string(player) + ")";
    }
    return sjis::toUtf8Lossy(fieldText(session()->record().players[player].name));
}

std::string TerminalPlayScreen::squareName(int square) const {
    if (!isSquareRef(session()->record(), square)) {
        return "(" + std::to_string(square) + ")";
    }
    return sjis::toUtf8Lossy(fieldText(session()->record().squares[square].name));
}

void TerminalPlayScreen::echoLine(const std::string& line) {
    // A terminal shows what was typed; input from a file or a pipe is shown
    // here so that the output reads the same.
    if (echo_) {
        const std::string text = line + "\n";
        std::fwrite(text.data(), 1, text.size(), out_);
    }
}

TerminalPlayScreen::Read TerminalPlayScreen::readLine(int timeoutMs, std::string& line) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            echoLine(line);
            return Read::Line;
        }
        if (closed_) {
            if (pending_.empty()) {
                return Read::Closed;
            }
            line.swap(pending_);
            pending_.clear();
            echoLine(line);
            return Read::Line;
        }
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return Read::TimedOut;
            }
            wait = static_cast<int>(left.count());
        }
        pollfd fd{inputFd_, POLLIN, 0};
        const int ready = poll(&fd, 1, wait);
        if (ready == 0) {
            return Read::TimedOut;
        }
        if (ready < 0) {
            if (errno != EINTR) {
                closed_ = true;
            }
            continue;
        }
        char buffer[512];
        const ssize_t n = read(inputFd_, buffer, sizeof buffer);
        if (n > 0) {
            pending_.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            closed_ = true;
        }
    }
}

int TerminalPlayScreen::askNumber(int count) {
    for (;;) {
        prompt("> ");
        std::string line;
        if (readLine(-1, line) == Read::Closed) {
            return -1;
        }
        line = trimmed(line);
        if (line.empty()) {
            return 0;
        }
        char* end = nullptr;
        const long value = std::strtol(line.c_str(), &end, 10);
        if (end != nullptr && *end == 0 && value >= 1 && value <= count) {
            return static_cast<int>(value);
        }
        prompt("1 から " + std::to_string(count) + " までの数を入力して下さい。\n");
    }
}

void TerminalPlayScreen::PreparePlay(bool debug) {
    const std::string title = sjis::toUtf8Lossy(fieldText(session()->record().settings.title));
    print("=== " + title + (debug ? " (デバッグ実行)" : "") + " ===");
}

WaitOutcome TerminalPlayScreen::WaitForButton(const Button& button, int timeoutMs) {
    drawRandom();
    if (options_.automatic || button.role == ButtonRole::SelectionDone) {
        return timeoutMs > 0 ? WaitOutcome::TimedOut : WaitOutcome::Clicked;
    }
    std::string line;
    if (timeoutMs > 0) {
        std::fflush(out_);
        return readLine(timeoutMs, line) == Read::Line ? WaitOutcome::Clicked
                                                       : WaitOutcome::TimedOut;
    }
    prompt(button.role == ButtonRole::Throw ? "(Enter で投げる) " : "(Enter) ");
    if (readLine(-1, line) == Read::Closed) {
        print("");
        session()->RequestStop();
        return WaitOutcome::Aborted;
    }
    return WaitOutcome::Clicked;
}

void TerminalPlayScreen::ShowPanelText(const PanelText& text) {
    if (!text.text.empty()) {
        print(lines(sjis::toUtf8Lossy(text.text)));
    }
}

void TerminalPlayScreen::ShowPanelPlayer(int player) {
    print("[" + playerName(player) + "]");
}

void TerminalPlayScreen::ShowSquarePicture(int, const SquarePicture& picture) {
    const GameRecord& record = session()->record();
    const std::int32_t kind =
        isSquareRef(record, picture.square) ? record.squares[picture.square].kind : -1;
    print("▶ " + squareName(picture.square) + "「" + std::string(squareKindText(kind)) + "」");
}

void TerminalPlayScreen::ShowRankingTable(std::span<const RankRow> rows, int, int) {
    for (const RankRow& row : rows) {
        const std::string rank = row.rank > 0 ? std::to_string(row.rank) + "位" : "－－";
        print("  " + rank + " " + playerName(row.player));
    }
}

void TerminalPlayScreen::ShowPlayerSelection() {
    GameSession& game = *session();
    auto show = [this, &game]() {
        for (int p = 0; p < game.playerCount(); ++p) {
            print("  " + std::to_string(p + 1) + ") " + playerName(p) + ": " +
                  (game.isComputer(p) ? "コンピュータ" : "人"));
        }
    };
    show();
    if (options_.automatic || options_.presetPlayers) {
        return;
    }
    for (;;) {
        prompt("人 (p) かコンピュータ (c) かを順に入力して下さい (例: pccc、Enter でこのまま)\n> ");
        std::string line;
        if (readLine(-1, line) == Read::Closed) {
            return;
        }
        line = trimmed(line);
        if (line.empty()) {
            return;
        }
        bool valid = static_cast<int>(line.size()) == game.playerCount();
        for (char c : line) {
            valid = valid && (c == 'p' || c == 'c');
        }
        if (valid) {
            for (int p = 0; p < game.playerCount(); ++p) {
                game.SetComputer(p, line[static_cast<std::size_t>(p)] == 'c');
            }
            show();
            return;
        }
    }
}

void TerminalPlayScreen::ShowCelebration(std::string_view first, std::string_view second,
                                         std::string_view third) {
    print("★ " + sjis::toUtf8Lossy(first));
    print("★ " + sjis::toUtf8Lossy(second));
    print("★ " + sjis::toUtf8Lossy(third));
}

void TerminalPlayScreen::ShowNotice(std::string_view text) {
    notices_.notify({}, sjis::toUtf8Lossy(text), NoticeIcon::Information);
}

void TerminalPlayScreen::ShowPlayerInfo(int player) {
    const GameRecord& record = session()->record();
    const int first = player < 0 ? 0 : player;
    const int last = player < 0 ? session()->playerCount() - 1 : player;
    for (int p = first; p <= last; ++p) {
        std::string line;
        for (const InfoLine& info : PlayerInfoLines(record, p)) {
            line += (line.empty() ? "" : "、") + sjis::toUtf8Lossy(info.label) +
                    (info.label.empty() ? "" : " ") + sjis::toUtf8Lossy(info.value);
        }
        if (!line.empty()) {
            print("  " + playerName(p) + ": " + line);
        }
    }
}

bool TerminalPlayScreen::AnimateJump(int player, int fromSquare, int toSquare) {
    print("  " + playerName(player) + ": " + squareName(fromSquare) + " → " + squareName(toSquare));
    return true;
}

bool TerminalPlayScreen::AnimateDice(int count, const std::array<int, 3>& faces) {
    std::string line = "  サイコロ:";
    for (int i = 0; i < count; ++i) {
        line += " " + std::to_string(faces[static_cast<std::size_t>(i)]);
    }
    print(line);
    return true;
}

bool TerminalPlayScreen::LoadSupplementPicture(int image) {
    if (!PlayScreen::LoadSupplementPicture(image)) {
        return false;
    }
    print("  [補足図: " + sjis::toUtf8Lossy(fieldText(session()->record().images[image].name)) +
          "]");
    return true;
}

int TerminalPlayScreen::ChooseSquare(int player, int currentSquare,
                                     std::span<const int> candidates) {
    if (options_.automatic) {
        return PlayScreen::ChooseSquare(player, currentSquare, candidates);
    }
    print(playerName(player) + ": " + squareName(currentSquare) + " から進む先を選んで下さい");
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        print("  " + std::to_string(i + 1) + ") " + squareName(candidates[i]));
    }
    std::fflush(out_);
    for (;;) {
        const int choice = askNumber(static_cast<int>(candidates.size()));
        if (choice < 0) {
            session()->RequestStop();
            return -1;
        }
        if (choice > 0) {
            return candidates[static_cast<std::size_t>(choice - 1)];
        }
    }
}

int TerminalPlayScreen::ChoosePlayer(int actingPlayer) {
    if (options_.automatic) {
        return PlayScreen::ChoosePlayer(actingPlayer);
    }
    const EngineTexts& t = engineTexts();
    const std::vector<int> others = session()->otherPlayers(actingPlayer);
    print(sjis::toUtf8Lossy(t.playerChoiceCaption));
    print(sjis::toUtf8Lossy(t.playerChoicePrompt) + " (" + playerName(actingPlayer) +
          sjis::toUtf8Lossy(t.san) + ")");
    for (std::size_t i = 0; i < others.size(); ++i) {
        print("  " + std::to_string(i + 1) + ") " + playerName(others[i]));
    }
    print("  (Enter で選ばずに閉じる)");
    const int choice = askNumber(static_cast<int>(others.size()));
    if (choice < 0) {
        session()->RequestStop();
    }
    return choice > 0 ? others[static_cast<std::size_t>(choice - 1)] : -1;
}

int TerminalPlayScreen::AskDieFace(int player, std::string_view caption) {
    if (options_.automatic) {
        return PlayScreen::AskDieFace(player, caption);
    }
    print(sjis::toUtf8Lossy(caption));
    print(sjis::toUtf8Lossy(engineTexts().diePrompt) + " (1〜6、Enter で閉じる)");
    const int face = askNumber(6);
    if (face < 0) {
        session()->RequestStop();
    }
    return face > 0 ? face : -1;
}

}  // namespace banmen::cli
