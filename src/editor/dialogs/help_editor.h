#pragma once
// The help editor (resource 182): the game's help text in one large text
// field, beside a 500 x 375 preview of the help picture (the board picture
// when the game has no help picture or it cannot be read; white under both)
// and the rule text the opening shows with the help.

#include <QDialog>
#include <QImage>
#include <QString>
#include <string>

#include "model/game_record.h"

class QLabel;
class QPlainTextEdit;

namespace banmen {

class Notifier;

constexpr int kHelpPreviewWidth = 500;
constexpr int kHelpPreviewHeight = 375;

QImage composeHelpPreview(const GameRecord& record, const std::string& folder);

class HelpEditor : public QDialog {
    Q_OBJECT

  public:
    // `limit` is the help text's byte limit; a longer text is refused when
    // the editor is closed with OK.
    HelpEditor(const GameRecord& record, const std::string& folder, const QString& text, int limit,
               Notifier& notifier, QWidget* parent);

    QString text() const;
    QPlainTextEdit* editor() const { return editor_; }
    QLabel* preview() const { return preview_; }
    QPlainTextEdit* rules() const { return rules_; }

    void accept() override;

  private:
    Notifier& notifier_;
    int limit_;
    QPlainTextEdit* editor_;
    QLabel* preview_;
    QPlainTextEdit* rules_;
};

}  // namespace banmen
