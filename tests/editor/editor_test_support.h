#pragma once
// Shared by the editor's window tests: a private home for settings, base
// folder and recovery files, the editor over a capturing notifier, and a way
// to answer the modal dialogs a command opens.

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen::test {

// BANMEN_HOME, XDG_CONFIG_HOME and XDG_STATE_HOME in one fresh folder for
// the object's life.
class EditorHome {
  public:
    EditorHome() {
        setenv("BANMEN_HOME", folder_.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder_.file("config").c_str(), 1);
        setenv("XDG_STATE_HOME", folder_.file("state").c_str(), 1);
    }
    ~EditorHome() {
        unsetenv("BANMEN_HOME");
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_STATE_HOME");
    }
    const std::string& path() const { return folder_.path(); }
    std::string file(std::string_view name) const { return folder_.file(name); }
    std::string projects() const { return folder_.file("MyProjects"); }
    std::string settingsFile() const { return folder_.file("config/MOEGI/Banmen.conf"); }

  private:
    TempDir folder_;
};

struct Editor {
    CapturingNotifier notifier;
    EditorDocument document{notifier};
    EditorWindow window{document};

    bool told(std::string_view text) const {
        for (const Notice& notice : notifier.notices) {
            if (notice.text == text) {
                return true;
            }
        }
        return false;
    }
};

// Types text as a person does: ASCII from the keyboard, the rest committed
// by the input method (as Japanese is typed).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

// Watches for a modal dialog for as long as it lives; true once one came.
struct ModalWatch {
    explicit operator bool() const { return came; }
    QTimer timer;
    bool came = false;
};

// Runs `action` on the next modal dialog of type T once it is open, looking
// every `intervalMs` (0: whenever events are processed, for dialogs that
// are up only briefly).
template <typename T>
std::unique_ptr<ModalWatch> onModal(std::function<void(T*)> action, int intervalMs = 10) {
    auto watch = std::make_unique<ModalWatch>();
    ModalWatch* w = watch.get();
    w->timer.setInterval(intervalMs);
    QObject::connect(&w->timer, &QTimer::timeout, [w, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        w->timer.stop();
        w->came = true;
        action(dialog);
    });
    w->timer.start();
    return watch;
}

// Answers the next file dialog with `path` in its name field, confirmed
// with its Open or Save button.
inline std::unique_ptr<ModalWatch> chooseInFileDialog(const std::string& path) {
    return onModal<QFileDialog>([path](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QPushButton* accept =
            buttons != nullptr ? buttons->button(QDialogButtonBox::Open) : nullptr;
        if (accept == nullptr && buttons != nullptr) {
            accept = buttons->button(QDialogButtonBox::Save);
        }
        if (name == nullptr || accept == nullptr) {
            dialog->reject();
            return;
        }
        // The dialog reads its folder in the background and may then select
        // its first file again: a file selected in the list wins over the
        // name typed, so the list is cleared until the dialog takes our path.
        const QString text = QString::fromStdString(path);
        auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        for (int tries = 0; tries < 100; ++tries) {
            if (list != nullptr) {
                list->clearSelection();
            }
            name->setFocus();
            name->clear();
            name->setText(text);
            QTest::qWait(20);
            if (dialog->selectedFiles() == QStringList{text}) {
                break;
            }
        }
        QTest::mouseClick(accept, Qt::LeftButton);
        // Refused (no such folder, say): the test fails instead of waiting.
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// Triggers a main menu item as a click on it would.
inline void trigger(EditorWindow& window, int id) {
    QAction* action = window.action(id);
    QVERIFY(action != nullptr);
    action->trigger();
}

}  // namespace banmen::test
