#include "editor/dialogs/message_box_notifier.h"

#include <QMessageBox>
#include <QString>

namespace banmen {
namespace {

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QMessageBox::Icon boxIcon(NoticeIcon icon) {
    switch (icon) {
        case NoticeIcon::Exclamation:
            return QMessageBox::Warning;
        case NoticeIcon::Question:
            return QMessageBox::Question;
        case NoticeIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons boxButtons(NoticeButtons buttons) {
    switch (buttons) {
        case NoticeButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case NoticeButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case NoticeButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case NoticeButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

void MessageBoxNotifier::notify(std::string_view caption, std::string_view text, NoticeIcon icon) {
    QMessageBox box(boxIcon(icon), toQString(caption), toQString(text), QMessageBox::Ok,
                    parent_.data());
    box.exec();
}

NoticeAnswer MessageBoxNotifier::ask(std::string_view caption, std::string_view text,
                                     NoticeButtons buttons, NoticeIcon icon) {
    QMessageBox box(boxIcon(icon), toQString(caption), toQString(text), boxButtons(buttons),
                    parent_.data());
    switch (box.exec()) {
        case QMessageBox::Ok:
            return NoticeAnswer::Ok;
        case QMessageBox::Yes:
            return NoticeAnswer::Yes;
        case QMessageBox::No:
            return NoticeAnswer::No;
        default:
            break;
    }
    // Closing the box answers like its way out.
    return buttons == NoticeButtons::YesNo ? NoticeAnswer::No : NoticeAnswer::Cancel;
}

}  // namespace banmen
