#pragma once
// The welcome box: shown at start-up unless "startup.ini" says "NoWelcome",
// and always when the user asks for it from the Help menu. Its check box
// "今後このメッセージを表示しない。" writes "startup.ini" (ticked) or
// deletes it (clear) when the box closes.

#include <QDialog>
#include <string>

class QCheckBox;
class QWidget;

namespace banmen {

// `requested`: opened by the user (the Help menu), not at start-up.
void showWelcome(QWidget* parent, bool requested);

// "startup.ini" in the folder the program writes its own files to.
std::string startupFilePath();
// True when the file is there and its text holds "NoWelcome".
bool welcomeSuppressed();

class WelcomeDialog : public QDialog {
    Q_OBJECT

  public:
    explicit WelcomeDialog(QWidget* parent = nullptr);
    void done(int result) override;

  private:
    QCheckBox* noWelcome_;
};

}  // namespace banmen
