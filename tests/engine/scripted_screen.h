#pragma once
// A screen for tests: it logs every operation as a line of UTF-8 text, ends
// every wait at once (drawing one random number, as the headless screen
// does), answers branch, player and dice prompts from queues, and can abort
// at a chosen wait as a click on the stop button would.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/game_session.h"
#include "engine/play_screen.h"
#include "platform/sjis.h"

namespace banmen::test {

class ScriptedScreen : public PlayScreen {
  public:
    // Waits (WaitForButton and Pause) are counted from 1; at wait number
    // `abortAtWait` the stop is requested and the wait returns aborted.
    int abortAtWait = 0;
    // Or abort at the first button wait for which this says so.
    std::function<bool(const Button&)> abortWhen;
    std::deque<int> squareChoices;  // ChooseSquare; empty: the first candidate
    std::deque<int> playerChoices;  // ChoosePlayer; empty: the first other player
    std::deque<int> dieFaces;       // AskDieFace; empty: 1
    bool supplementLoads = true;
    bool jumpsFail = false;

    std::vector<std::string> log;
    std::vector<std::string> texts;         // every panel text, UTF-8
    std::vector<PanelRect> textRects;       // and where it was drawn
    std::vector<std::string> captions;      // dice prompt captions, UTF-8
    std::vector<std::vector<int>> offered;  // ChooseSquare candidates
    std::vector<RankRow> ranking;
    std::vector<std::string> changedFields;  // identifiers, in order
    int waits = 0;
    int buttonWaits = 0;
    int playEnded = 0;

    static std::string utf8(std::string_view cp932) { return sjis::toUtf8Lossy(cp932); }

    bool Pause(int ms) override {
        log.push_back("pause " + std::to_string(ms));
        return !abortHere();
    }

    WaitOutcome WaitForButton(const Button& button, int timeoutMs) override {
        ++buttonWaits;
        log.push_back("wait look" + std::to_string(button.look) + " timeout" +
                      std::to_string(timeoutMs) + " top" + std::to_string(button.top) +
                      (button.selection ? " selection" : ""));
        if (abortHere() || (abortWhen && abortWhen(button))) {
            session()->RequestStop();
            return WaitOutcome::Aborted;
        }
        drawRandom();
        return timeoutMs > 0 ? WaitOutcome::TimedOut : WaitOutcome::Clicked;
    }

    void ClearPanel() override { log.push_back("clear"); }
    void ShowPanelText(const PanelText& text) override {
        texts.push_back(utf8(text.text));
        textRects.push_back(text.rect);
        log.push_back("text " + texts.back());
    }
    void ShowPanelPlayer(int player) override {
        log.push_back("panelPlayer " + std::to_string(player));
    }
    void ShowTurnPicture(int top) override { log.push_back("turnPicture " + std::to_string(top)); }
    void ShowSquarePicture(int player, const SquarePicture& picture) override {
        log.push_back("squarePicture " + std::to_string(player) + " " +
                      std::to_string(picture.square) + " " + std::to_string(picture.image) + " " +
                      std::to_string(picture.cutLeft) + "," + std::to_string(picture.cutTop));
    }
    void ShowRankingTable(std::span<const RankRow> rows, int top, int step) override {
        ranking.assign(rows.begin(), rows.end());
        log.push_back("ranking " + std::to_string(rows.size()) + " " + std::to_string(top) + " " +
                      std::to_string(step));
    }
    void ShowCelebration(std::string_view a, std::string_view b, std::string_view c) override {
        log.push_back("celebration " + utf8(a) + "|" + utf8(b) + "|" + utf8(c));
    }
    void ShowNotice(std::string_view text) override { log.push_back("notice " + utf8(text)); }
    void ShowPlayerInfo(int player) override { log.push_back("info " + std::to_string(player)); }
    void HidePlayerInfo() override { log.push_back("hideInfo"); }
    void RemoveDice() override { log.push_back("removeDice"); }
    bool AnimateJump(int player, int from, int to) override {
        log.push_back("jump " + std::to_string(player) + " " + std::to_string(from) + "->" +
                      std::to_string(to));
        if (jumpsFail) {
            return false;
        }
        return true;
    }
    bool AnimateDice(int count, const std::array<int, 3>& faces) override {
        std::string line = "dice";
        for (int i = 0; i < count; ++i) {
            line += " " + std::to_string(faces[static_cast<std::size_t>(i)]);
        }
        log.push_back(line);
        return true;
    }
    bool LoadSupplementPicture(int image) override {
        log.push_back("supplement " + std::to_string(image));
        return supplementLoads;
    }
    void ShowSupplementPicture(Transition t) override {
        log.push_back(t == Transition::Curtains ? "curtains" : "dissolve");
    }
    void RestoreSupplementPicture() override { log.push_back("restoreSupplement"); }
    int ChooseSquare(int, int current, std::span<const int> candidates) override {
        offered.emplace_back(candidates.begin(), candidates.end());
        log.push_back("chooseSquare at " + std::to_string(current));
        if (squareChoices.empty()) {
            return candidates.front();
        }
        const int choice = squareChoices.front();
        squareChoices.pop_front();
        return choice;
    }
    int ChoosePlayer(int acting) override {
        log.push_back("choosePlayer " + std::to_string(acting));
        if (playerChoices.empty()) {
            const std::vector<int> others = session()->otherPlayers(acting);
            return others.empty() ? -1 : others.front();
        }
        const int choice = playerChoices.front();
        playerChoices.pop_front();
        return choice;
    }
    int AskDieFace(int, std::string_view caption) override {
        captions.push_back(utf8(caption));
        if (dieFaces.empty()) {
            return 1;
        }
        const int face = dieFaces.front();
        dieFaces.pop_front();
        return face;
    }
    void PlayGameSound(int index) override { log.push_back("sound " + std::to_string(index)); }
    void PlaySystemSound(SystemSound sound) override {
        log.push_back("system " + std::to_string(static_cast<int>(sound)));
    }
    void PlayEnded() override { ++playEnded; }
    void RecordChanged(const FieldDescriptor& field) override {
        changedFields.emplace_back(field.identifierText());
    }
    void ShowPlayerSelection() override { log.push_back("selection"); }
    void ShowComputerToggles() override { log.push_back("toggles"); }

    bool hasText(std::string_view utf8Text) const {
        for (const std::string& t : texts) {
            if (t == utf8Text) {
                return true;
            }
        }
        return false;
    }
    int count(std::string_view line) const {
        int n = 0;
        for (const std::string& entry : log) {
            n += entry == line ? 1 : 0;
        }
        return n;
    }

  private:
    bool abortHere() {
        ++waits;
        if (abortAtWait > 0 && waits == abortAtWait) {
            session()->RequestStop();
            return true;
        }
        return false;
    }
};

}  // namespace banmen::test
