#pragma once
// The screen operations the engine plays through. The Qt play screen draws
// and animates them; the terminal front end prints them; tests script them.
// The game's logic (dice values, forced values, which square is reached,
// every change to the record) stays in GameSession: a screen only shows,
// animates, waits and asks.
//
// Texts are Shift-JIS (CP932), as the record holds them; front ends convert
// at their edge. Panel coordinates are those of panel_layout.h.
//
// Every operation has a default that shows nothing, and every wait of the
// defaults ends at once, so the base class is the screen of a headless run.
// A screen that waits draws from the session's random source (see
// WaitForButton) so that waiting moves the dice as it does in a window.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/panel_layout.h"
#include "engine/ranking.h"
#include "model/field_descriptor.h"
#include "model/game_record.h"

namespace banmen {

class GameSession;

enum class WaitOutcome : std::uint8_t { Clicked, TimedOut, Aborted };

// Clicked and timed out both go on; only aborted ends the current action.
constexpr bool goesOn(WaitOutcome outcome) {
    return outcome != WaitOutcome::Aborted;
}

enum class SystemSound : std::uint8_t { Menu, Click, Dice, Move, Hanabi1, Hanabi2, Hanabi3 };

enum class TextStyle : std::uint8_t {
    Plain,     // one or more lines ("\n"), centred in the rectangle
    Outlined,  // drawn in black around, then in its colour; wrapped in the box
    Box,       // wrapped in the box, left-aligned ("\r\n" and "\n" break lines)
};

struct PanelText {
    std::string_view text;
    PanelRect rect;
    std::int32_t size = 90;
    std::uint32_t colour = kWhite;
    TextStyle style = TextStyle::Plain;
};

// The engine's on-screen button, id 100 at x 873. Looks: 0 a person's throw
// or next, 2 a computer's throw, 8 a person's next after a result or a
// square, 9 a computer's next.
enum class ButtonRole : std::uint8_t { Throw, Next, SelectionDone };
struct Button {
    ButtonRole role = ButtonRole::Next;
    std::int32_t look = 0;
    std::int32_t top = kButtonTop;
    bool selection = false;  // the opening's and the results' buttons
};

enum class Transition : std::uint8_t { Curtains, Dissolve };

// A square's panel picture: its image, or (no image, or it does not load) the
// 142 x 115 piece of the board whose top-left corner is `cutLeft`, `cutTop`.
struct SquarePicture {
    std::int32_t square = -1;
    std::int32_t image = -1;
    std::int32_t cutLeft = 0;
    std::int32_t cutTop = 0;
};

class PlayScreen {
  public:
    virtual ~PlayScreen();

    // Set by the session that plays through this screen.
    void attach(GameSession* session) { session_ = session; }
    GameSession* session() const { return session_; }

    // Run lifecycle. PreparePlay: board, pieces, side panel, the four player
    // information windows, the debug dice prompt (debug runs), the player
    // choice dialog. ClosePlay (StopPlay): hide and destroy the information
    // windows, the dice prompt and the player choice dialog. PlayEnded: the
    // tick after a stop request; the editor gets its play-ended command.
    virtual void PreparePlay(bool debug);
    virtual void ClosePlay();
    virtual void PlayEnded();
    // A field whose change redraws (pieces, panels), while a game is played.
    virtual void RecordChanged(const FieldDescriptor& field);

    // Waits. Pause: false when aborted. WaitForButton shows the button and
    // waits: time-out 0 = none. A window draws one random number every 100 ms
    // and one per handled message; the default (a wait over at once) draws
    // one, as a wait ended within its first slice does.
    virtual bool Pause(int milliseconds);
    virtual WaitOutcome WaitForButton(const Button& button, int timeoutMs);
    virtual void HideButton();

    // The message panel.
    virtual void ClearPanel();
    virtual void RefreshPanel();
    virtual void ShowPanelText(const PanelText& text);
    virtual void ClearPanelLine(const PanelRect& rect);
    virtual void ShowPanelPlayer(int player);  // piece and name at the top
    virtual void ShowTurnPicture(int top);
    virtual void ShowThrownFace(int face, int top);
    virtual void ShowSquarePicture(int player, const SquarePicture& picture);
    virtual void ShowRankingTable(std::span<const RankRow> rows, int firstBaseline, int rowStep);
    // The opening's selection: piece, name and the person/computer toggles of
    // each player; a toggle calls GameSession::SetComputer.
    virtual void ShowPlayerSelection();
    virtual void HidePlayerSelection();
    // The toggles on the player panels, clickable for the rest of the game.
    virtual void ShowComputerToggles();
    virtual void ShowCelebration(std::string_view first, std::string_view second,
                                 std::string_view third);
    // A stop the engine makes on its own (a jump chain or a game that never
    // ends); not part of a game's own texts.
    virtual void ShowNotice(std::string_view text);

    // Player panels and information windows (player -1: all).
    virtual void RedrawPlayerPanel(int player);
    virtual void RedrawAllPlayerPanels();
    virtual void ShowPlayerInfo(int player);
    virtual void HidePlayerInfo();

    // The board. AnimateJump: the hop from one square to another (false when
    // aborted or there is no window). AnimateDice: `count` dice landing on
    // the first `count` faces (false when the window went away).
    virtual bool AnimateJump(int player, int fromSquare, int toSquare);
    virtual bool AnimateDice(int count, const std::array<int, 3>& faces);
    virtual void RemoveDice();
    // The square's supplementary picture: Load tells whether it can be shown;
    // Show draws it centred with the transition; Restore puts the board back.
    virtual bool LoadSupplementPicture(int image);
    virtual void ShowSupplementPicture(Transition transition);
    virtual void RestoreSupplementPicture();

    // Asking. ChooseSquare: one of the candidates, -1 when there is no
    // answer. ChoosePlayer: another player taking part, -1 for none.
    // AskDieFace: the debug dice prompt for one die, 1..6 or -1 when closed.
    // The defaults pick with the session's random source.
    virtual int ChooseSquare(int player, int currentSquare, std::span<const int> candidates);
    virtual int ChoosePlayer(int actingPlayer);
    virtual int AskDieFace(int player, std::string_view caption);

    // Sounds: the game's 20 sounds as cues (see sound_files.h), a game sound
    // by index, and the system sounds.
    virtual void LoadGameSounds(const GameRecord& record, const std::string& folder);
    virtual void PlayGameSound(int index);
    virtual void PlaySystemSound(SystemSound sound);
    virtual void StopSystemSound(SystemSound sound);

  protected:
    // One number from the session's random source (0 without a session).
    int drawRandom();

  private:
    GameSession* session_ = nullptr;
};

}  // namespace banmen
