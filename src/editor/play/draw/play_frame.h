#pragma once
// The play screen's pictures in memory. Everything is drawn here, off
// screen, and the window only copies the rectangles that changed (see
// takeDirty). The layers:
//
// - the clean board: the game's picture stretched to 800 x 600, or the
//   default board with its line of text;
// - the board: the clean board with the pieces (and a square's
//   supplementary picture while it is shown);
// - the side background: the side picture with the logo and its texts;
// - the panel: what the message panel shows, over its clean background;
// - the frame (980 x 600): the board on the left, the side area with the
//   player panels, the panel and the buttons on the right, and whatever an
//   animation draws over them (dice, a hopping piece, arrows, rockets),
//   which the layers below restore.
//
// Needs a QGuiApplication (fonts). Not a widget: benchmarks and tests draw
// it without a window.

#include <QImage>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "editor/play/draw/button_table.h"
#include "editor/play/draw/play_layout.h"
#include "editor/play/draw/play_pictures.h"
#include "engine/play_screen.h"
#include "media/dib_bitmap.h"
#include "model/game_record.h"

namespace banmen::play {

class PlayFrame {
  public:
    PlayFrame();
    ~PlayFrame();
    PlayFrame(const PlayFrame&) = delete;
    PlayFrame& operator=(const PlayFrame&) = delete;

    // The program's pictures; false when one is missing (it stays blank).
    bool loadPictures();
    ProgramPictures& pictures() { return pictures_; }

    // A new game on the record (which must outlive its play): the board, the
    // pieces where the record puts them, the side area, a clean panel, no
    // buttons.
    void setGame(const GameRecord& record, const std::string& folder, int playerCount);
    bool hasGame() const { return record_ != nullptr; }
    // The tool's notice line in the side area, from the next setGame on.
    void setNoticeLine(QString text) { notice_ = std::move(text); }
    const GameRecord& record() const { return *record_; }
    const std::string& folder() const { return folder_; }
    int playerCount() const { return playerCount_; }

    // The frame as the window shows it (RGB32, 980 x 600).
    const QImage& image() const { return image_; }
    DibBitmap& frame() { return frame_; }
    void markDirty(const Rect& rect);
    // The rectangles changed since the last call, merged where they overlap.
    std::vector<Rect> takeDirty();
    bool hasDirty() const { return !dirty_.empty(); }

    // --- Board and pieces
    DibBitmap& board() { return board_; }
    DibBitmap& cleanBoard() { return clean_; }
    DibBitmap& piece(int player) { return pieces_[static_cast<std::size_t>(player)]; }
    // The top-left corner of a player's piece on a square (the placement
    // table); (0, 0) for a square not in use.
    Point pieceTopLeft(int player, int square) const;
    Rect pieceRectAt(int player, Point topLeft);
    // Where the piece stands on the board now; empty when it is not drawn.
    Rect pieceRect(int player) const { return drawnAt_[static_cast<std::size_t>(player)]; }
    // The hopping player's piece is left out of the board (-1: none).
    void setHopping(int player);
    // Moves the pieces to the squares the record gives, redrawing what
    // changed.
    void syncPieces();
    // Rebuilds the board in the rectangle from the clean board, the pieces
    // and the supplementary picture, and shows it.
    void redrawBoard(const Rect& rect);
    // Shows the board in the rectangle, wiping what animations drew there.
    void showBoard(const Rect& rect);
    // Draws a piece into the frame only.
    void drawPieceOnFrame(int player, Point topLeft);

    // --- The square's supplementary picture, centred on the board.
    bool loadSupplement(int image);
    // Where it stands in the frame, clipped to the board.
    Rect supplementRect() const { return supplementRect_; }
    // Copies the part of the picture under `rect` (frame coordinates).
    void showSupplement(const Rect& rect);
    // The picture becomes part of the board, until removeSupplement.
    void fixSupplement();
    void removeSupplement();
    bool supplementShown() const { return supplementShown_; }

    // --- Side area
    // Rebuilds the side area in the rectangle: background, player panels, the
    // message panel and the buttons. Panels it touches are redrawn whole.
    void redrawSide(const Rect& rect);
    // Draws a player panel; until the first call after setGame the side area
    // shows the panels empty.
    void drawPlayerPanel(int player);
    ButtonTable& buttons() { return buttons_; }
    // Redraws where buttons changed.
    void refreshButtons(const std::vector<Rect>& rects);

    // --- Message panel (panel coordinates)
    DibBitmap& panel() { return panel_; }
    const DibBitmap& cleanPanel() const { return pictures_.panel; }
    void clearPanel();
    void clearPanelRect(const PanelRect& rect);
    void panelText(const PanelText& text);
    void panelPlayer(int player);
    void panelTurnPicture(int top);
    void panelThrownFace(int face, int top);
    // The square's picture (image -1 or unloadable: the board close-up).
    void panelSquarePicture(int player, const SquarePicture& picture);
    void panelRanking(const std::vector<RankRow>& rows, int firstBaseline, int rowStep);
    // The opening's player selection: a row per player with piece and name;
    // the toggles are buttons at selectionTogglePlace.
    void panelSelectionRows();
    static Point selectionTogglePlace(int player, bool computer);
    static Point panelTogglePlace(int player, bool computer);
    // Copies the panel into the frame (with the buttons over it).
    void showPanel();
    // Copies rows [top, bottom) of a panel picture into the frame's panel.
    void showPanelRows(const DibBitmap& source, int top, int bottom);

  private:
    void drawPieceClipped(DibBitmap& target, int player, Point topLeft, const Rect& clip,
                          Point offset);
    void drawButtonsIn(const Rect& rect);
    void drawSideBackground();
    void drawBoardBackground();
    void loadPieces();

    ProgramPictures pictures_;
    QImage image_;
    DibBitmap frame_;
    DibBitmap board_;
    DibBitmap clean_;
    DibBitmap side_;
    DibBitmap panel_;
    DibBitmap supplement_;
    DibBitmap squarePicture_;
    std::array<DibBitmap, 4> pieces_;
    std::array<Rect, 4> drawnAt_{};
    std::array<int, 4> drawnSquare_{-1, -1, -1, -1};
    int hopping_ = -1;
    Rect supplementRect_;
    Point supplementOrigin_;
    bool supplementShown_ = false;
    ButtonTable buttons_;
    bool panelsShown_ = false;
    std::vector<Rect> dirty_;
    const GameRecord* record_ = nullptr;
    std::string folder_;
    QString notice_ = QStringLiteral("盤面工房 テストプレイ");
    int playerCount_ = 1;
};

// A square's place on the board. A hand-edited record may hold any value:
// a place far off the board is kept within 2^20 pixels of it, where the sums
// that drawing makes with it cannot overflow.
Point squarePlace(const SquareDef& square);

// Draws text in the play screen's face: `size` in tenths of a point,
// `format` DrawText flags.
void drawPlayText(DibBitmap& target, const QString& text, Rect rect, int size, Colour colour,
                  unsigned format, int weight = 400);

}  // namespace banmen::play
