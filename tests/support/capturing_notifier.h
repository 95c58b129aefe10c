#pragma once
// A Notifier that records what it was told and answers questions from a list.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notifier.h"

namespace banmen::test {

struct Notice {
    std::string caption;
    std::string text;
    NoticeIcon icon;
};

class CapturingNotifier : public Notifier {
  public:
    void notify(std::string_view caption, std::string_view text, NoticeIcon icon) override {
        notices.push_back({std::string(caption), std::string(text), icon});
    }
    NoticeAnswer ask(std::string_view caption, std::string_view text, NoticeButtons,
                     NoticeIcon icon) override {
        notices.push_back({std::string(caption), std::string(text), icon});
        if (answers.empty()) {
            return NoticeAnswer::Cancel;
        }
        NoticeAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Notice> notices;
    std::deque<NoticeAnswer> answers;
};

}  // namespace banmen::test
