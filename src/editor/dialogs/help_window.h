#pragma once
// The help window: the pages of "BMHelp.hlp" in a browser with buttons for
// the contents, back and forward. One per editor window; the Help command
// (F1) opens it, or brings it to the front, at the contents.

#include <QTextBrowser>
#include <QWidget>

#include "editor/dialogs/help_book.h"

class QToolButton;

namespace banmen {

class Notifier;

class HelpBrowser : public QTextBrowser {
    Q_OBJECT

  public:
    HelpBrowser(const HelpBook& book, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    const HelpBook& book_;
};

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    HelpWindow(HelpBook book, QWidget* parent);

    void showPage(const QString& name);
    void showContents() { showPage(book_.contents()); }
    HelpBrowser& browser() { return *browser_; }
    // The page shown, by its name ("contents", "rules", ...).
    QString currentPage() const;

  private:
    HelpBook book_;
    HelpBrowser* browser_;
};

// Opens the help file beside the program in the window's help window at
// its contents; a file that cannot be read is told through the notifier.
void openHelp(QWidget* window, Notifier& notifier);

}  // namespace banmen
