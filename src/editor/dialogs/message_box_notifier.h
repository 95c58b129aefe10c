#pragma once
// The editor's notifier: every notice and question becomes a modal message
// box over the given window.

#include <QPointer>
#include <QWidget>

#include "platform/notifier.h"

namespace banmen {

class MessageBoxNotifier final : public Notifier {
  public:
    explicit MessageBoxNotifier(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the boxes belong to; may be set once it exists.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void notify(std::string_view caption, std::string_view text, NoticeIcon icon) override;
    NoticeAnswer ask(std::string_view caption, std::string_view text, NoticeButtons buttons,
                     NoticeIcon icon) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace banmen
