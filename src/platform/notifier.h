#pragma once
// What the user must be told. The editor shows a message box, banmen-cli
// prints to stderr, tests capture. Texts and captions are UTF-8.

#include <string_view>

namespace banmen {

enum class NoticeIcon { Information, Exclamation, Question };
enum class NoticeButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class NoticeAnswer { Ok, Cancel, Yes, No };

class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void notify(std::string_view caption, std::string_view text, NoticeIcon icon) = 0;
    // A question; a notifier that cannot ask answers Cancel (No for YesNo, Ok
    // when Ok is the only button).
    virtual NoticeAnswer ask(std::string_view caption, std::string_view text, NoticeButtons buttons,
                             NoticeIcon icon);
};

// Says nothing; used where no one is listening.
class SilentNotifier final : public Notifier {
  public:
    void notify(std::string_view, std::string_view, NoticeIcon) override {}
};

}  // namespace banmen
