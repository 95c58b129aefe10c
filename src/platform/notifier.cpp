#include "platform/notifier.h"

namespace banmen {

NoticeAnswer Notifier::ask(std::string_view, std::string_view, NoticeButtons buttons, NoticeIcon) {
    switch (buttons) {
        case NoticeButtons::Ok:
            return NoticeAnswer::Ok;  // the only answer there is
        case NoticeButtons::YesNo:
            return NoticeAnswer::No;
        case NoticeButtons::OkCancel:
        case NoticeButtons::YesNoCancel:
            break;
    }
    return NoticeAnswer::Cancel;
}

}  // namespace banmen
