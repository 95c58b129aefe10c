#include "platform/notifier.h"

#include <gtest/gtest.h>

#include <string>

namespace banmen {
namespace {

// Records what it is told and cannot ask.
class RecordingNotifier : public Notifier {
  public:
    void notify(std::string_view caption, std::string_view text, NoticeIcon) override {
        last = std::string(caption) + "|" + std::string(text);
    }
    std::string last;
};

TEST(Notifier, CannotAskSoRefuses) {
    RecordingNotifier notifier;
    const auto ask = [&](NoticeButtons buttons) {
        return notifier.ask("盤面工房", "保存しますか？", buttons, NoticeIcon::Question);
    };
    EXPECT_EQ(ask(NoticeButtons::YesNo), NoticeAnswer::No);
    EXPECT_EQ(ask(NoticeButtons::YesNoCancel), NoticeAnswer::Cancel);
    EXPECT_EQ(ask(NoticeButtons::OkCancel), NoticeAnswer::Cancel);
    EXPECT_EQ(ask(NoticeButtons::Ok), NoticeAnswer::Ok);
    EXPECT_TRUE(notifier.last.empty());  // asking tells nothing by itself
}

TEST(Notifier, SilentNotifierAnswersLikeAnyOther) {
    SilentNotifier silent;
    Notifier& notifier = silent;
    notifier.notify("c", "t", NoticeIcon::Information);
    EXPECT_EQ(notifier.ask("c", "t", NoticeButtons::YesNo, NoticeIcon::Question), NoticeAnswer::No);
}

}  // namespace
}  // namespace banmen
