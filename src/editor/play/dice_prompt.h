#pragma once
// The debug run's dice prompt (dialog 3001): modeless, centred on the play
// window, with the text "これから振って出すサイコロの目を選んで下さい。" and six
// buttons "S1" to "S6" showing the faces 1 to 6. Its result is the face
// chosen, or -1 when it was closed without a choice.

#include <QDialog>

namespace banmen {

class DicePrompt : public QDialog {
    Q_OBJECT

  public:
    explicit DicePrompt(QWidget* playWindow);
    ~DicePrompt() override;

    // Shows the prompt with this caption, the result reset to -1.
    void ask(const QString& caption);
    int face() const { return face_; }
    // Chooses as a click on button "S<face>" would (tests).
    void choose(int face);

  private:
    QWidget* playWindow_;
    int face_ = -1;
};

// Places a dialog over the middle of a window.
void centreOn(QWidget& dialog, const QWidget* window);

}  // namespace banmen
