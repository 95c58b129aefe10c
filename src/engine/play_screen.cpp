#include "engine/play_screen.h"

#include "engine/game_session.h"

namespace banmen {

PlayScreen::~PlayScreen() = default;

int PlayScreen::drawRandom() {
    return session_ != nullptr ? session_->drawRandom() : 0;
}

void PlayScreen::PreparePlay(bool) {}
void PlayScreen::ClosePlay() {}
void PlayScreen::PlayEnded() {}
void PlayScreen::RecordChanged(const FieldDescriptor&) {}

bool PlayScreen::Pause(int) {
    return true;
}

WaitOutcome PlayScreen::WaitForButton(const Button&, int timeoutMs) {
    drawRandom();
    return timeoutMs > 0 ? WaitOutcome::TimedOut : WaitOutcome::Clicked;
}

void PlayScreen::HideButton() {}
void PlayScreen::ClearPanel() {}
void PlayScreen::RefreshPanel() {}
void PlayScreen::ShowPanelText(const PanelText&) {}
void PlayScreen::ClearPanelLine(const PanelRect&) {}
void PlayScreen::ShowPanelPlayer(int) {}
void PlayScreen::ShowTurnPicture(int) {}
void PlayScreen::ShowThrownFace(int, int) {}
void PlayScreen::ShowSquarePicture(int, const SquarePicture&) {}
void PlayScreen::ShowRankingTable(std::span<const RankRow>, int, int) {}
void PlayScreen::ShowPlayerSelection() {}
void PlayScreen::HidePlayerSelection() {}
void PlayScreen::ShowComputerToggles() {}
void PlayScreen::ShowCelebration(std::string_view, std::string_view, std::string_view) {}
void PlayScreen::ShowNotice(std::string_view) {}
void PlayScreen::RedrawPlayerPanel(int) {}
void PlayScreen::RedrawAllPlayerPanels() {}
void PlayScreen::ShowPlayerInfo(int) {}
void PlayScreen::HidePlayerInfo() {}
bool PlayScreen::AnimateJump(int, int, int) {
    return true;
}
bool PlayScreen::AnimateDice(int, const std::array<int, 3>&) {
    return true;
}
void PlayScreen::RemoveDice() {}

bool PlayScreen::LoadSupplementPicture(int image) {
    return session_ != nullptr && isImageRef(session_->record(), image);
}

void PlayScreen::ShowSupplementPicture(Transition) {}
void PlayScreen::RestoreSupplementPicture() {}

int PlayScreen::ChooseSquare(int, int, std::span<const int> candidates) {
    if (candidates.empty()) {
        return -1;
    }
    return candidates[static_cast<std::size_t>(drawRandom()) % candidates.size()];
}

int PlayScreen::ChoosePlayer(int actingPlayer) {
    if (session_ == nullptr) {
        return -1;
    }
    const std::vector<int> others = session_->otherPlayers(actingPlayer);
    if (others.empty()) {
        return -1;
    }
    return others[static_cast<std::size_t>(drawRandom()) % others.size()];
}

int PlayScreen::AskDieFace(int, std::string_view) {
    return drawRandom() % 6 + 1;
}

void PlayScreen::LoadGameSounds(const GameRecord&, const std::string&) {}
void PlayScreen::PlayGameSound(int) {}
void PlayScreen::PlaySystemSound(SystemSound) {}
void PlayScreen::StopSystemSound(SystemSound) {}

}  // namespace banmen
