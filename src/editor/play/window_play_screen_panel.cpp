// WindowPlayScreen: the message panel, the player panels, the toggles and
// the information windows.

#include "editor/play/draw/info_card.h"
#include "editor/play/info_window.h"
#include "editor/play/play_view.h"
#include "editor/play/window_play_screen.h"
#include "engine/game_session.h"

namespace banmen {

using play::kNoBlink;
using play::kSelectionButton;

namespace {

constexpr int kPanelToggles = 200;      // + 2 * player (+ 1: the computer's)
constexpr int kSelectionToggles = 300;  // the same, during the opening
constexpr int kInfoGap = 4;
constexpr PanelRect kNoticeRect{8, 30, 150, 130};

}  // namespace

void WindowPlayScreen::ClearPanel() {
    wipePanel();
    frame_.clearPanel();
    frame_.showPanel();
    panelShownClean_ = true;
    panelDirty_ = false;
    rankingShown_ = false;
}

void WindowPlayScreen::RefreshPanel() {
    flush();
}

void WindowPlayScreen::ShowPanelText(const PanelText& text) {
    frame_.panelText(text);
    panelChanged();
}

void WindowPlayScreen::ClearPanelLine(const PanelRect& rect) {
    frame_.clearPanelRect(rect);
    panelChanged();
}

void WindowPlayScreen::ShowPanelPlayer(int player) {
    frame_.panelPlayer(player);
    panelChanged();
}

void WindowPlayScreen::ShowTurnPicture(int top) {
    frame_.panelTurnPicture(top);
    panelChanged();
}

void WindowPlayScreen::ShowThrownFace(int face, int top) {
    frame_.panelThrownFace(face, top);
    panelChanged();
}

void WindowPlayScreen::ShowSquarePicture(int player, const SquarePicture& picture) {
    frame_.panelSquarePicture(player, picture);
    panelChanged();
}

void WindowPlayScreen::ShowRankingTable(std::span<const RankRow> rows, int firstBaseline,
                                        int rowStep) {
    frame_.panelRanking({rows.begin(), rows.end()}, firstBaseline, rowStep);
    rankingShown_ = true;
    panelChanged();
}

void WindowPlayScreen::ShowNotice(std::string_view text) {
    frame_.panelText({text, kNoticeRect, 90, kMessageColour, TextStyle::Outlined});
    panelChanged();
    flush();
}

// --- Toggles

void WindowPlayScreen::addToggles(int firstId, int player, bool panelPlace) {
    const bool computer = session()->isComputer(player);
    const auto place =
        panelPlace ? &play::PlayFrame::panelTogglePlace : &play::PlayFrame::selectionTogglePlace;
    const unsigned flags = kSelectionButton | kNoBlink;
    play::ButtonTable& buttons = frame_.buttons();
    const int person = buttons.add(firstId + 2 * player, computer ? 5 : 4, flags,
                                   place(player, false), [this, player] {
                                       session()->SetComputer(player, false);
                                       return 0;
                                   });
    const int machine = buttons.add(firstId + 2 * player + 1, computer ? 6 : 7, flags,
                                    place(player, true), [this, player] {
                                        session()->SetComputer(player, true);
                                        return 0;
                                    });
    for (const int slot : {person, machine}) {
        if (slot >= 0) {
            frame_.refreshButtons({buttons.slot(slot).rect});
        }
    }
}

void WindowPlayScreen::updateToggles(int player) {
    if (player < 0 || player >= kPlayerCount || session() == nullptr) {
        return;
    }
    const bool computer = session()->isComputer(player);
    play::ButtonTable& buttons = frame_.buttons();
    for (const int first : {kPanelToggles, kSelectionToggles}) {
        frame_.refreshButtons(buttons.setLook(first + 2 * player, computer ? 5 : 4));
        frame_.refreshButtons(buttons.setLook(first + 2 * player + 1, computer ? 6 : 7));
    }
    pushDirty();
}

void WindowPlayScreen::ShowPlayerSelection() {
    frame_.panelSelectionRows();
    panelChanged();
    for (int p = 0; p < session()->playerCount(); ++p) {
        addToggles(kSelectionToggles, p, false);
    }
}

void WindowPlayScreen::HidePlayerSelection() {
    for (int p = 0; p < kPlayerCount; ++p) {
        removeButtons(kSelectionToggles + 2 * p);
        removeButtons(kSelectionToggles + 2 * p + 1);
    }
}

void WindowPlayScreen::ShowComputerToggles() {
    for (int p = 0; p < session()->playerCount(); ++p) {
        removeButtons(kPanelToggles + 2 * p);
        removeButtons(kPanelToggles + 2 * p + 1);
        addToggles(kPanelToggles, p, true);
    }
}

// --- Player panels and information windows

void WindowPlayScreen::RedrawPlayerPanel(int player) {
    if (player >= 0 && player < kPlayerCount) {
        frame_.drawPlayerPanel(player);
    }
}

void WindowPlayScreen::RedrawAllPlayerPanels() {
    for (int p = 0; p < kPlayerCount; ++p) {
        frame_.drawPlayerPanel(p);
    }
}

void WindowPlayScreen::ShowPlayerInfo(int player) {
    if (!view_ || session() == nullptr) {
        return;
    }
    const int count = session()->playerCount();
    for (int p = 0; p < count; ++p) {
        if (player != -1 && p != player) {
            continue;
        }
        InfoWindow* window = infoWindows_[static_cast<std::size_t>(p)];
        if (window == nullptr) {
            continue;
        }
        DibBitmap card;
        play::drawInfoCard(card, frame_, p);
        window->setCard(card.ToImage());
        window->show();
        window->raise();
    }
    placeInfoWindows();
}

void WindowPlayScreen::HidePlayerInfo() {
    for (auto& window : infoWindows_) {
        if (window) {
            window->hide();
        }
    }
}

// A window shown alone stands at (750, 20); several stand one under another
// in player order.
void WindowPlayScreen::placeInfoWindows() {
    int top = play::kInfoTop;
    for (auto& pointer : infoWindows_) {
        InfoWindow* window = pointer.data();
        if (window != nullptr && !window->isHidden() && view_) {
            const QSize size = window->card().size();
            view_->placeOnFrame(window, QRect(QPoint(play::kInfoLeft, top), size));
            top += size.height() + kInfoGap;
        }
    }
}

}  // namespace banmen
