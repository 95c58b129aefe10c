#pragma once
// The editor window over a fresh workspace in a temporary folder, for the
// property page tests, and ways to reach a page's controls by their ids
// and to act inside a modal dialog. Mouse events go through the window
// system (QTEST_QPA_MOUSE_HANDLING), so grabs and double-clicks behave as
// they do for a person.

#ifndef QTEST_QPA_MOUSE_HANDLING
#define QTEST_QPA_MOUSE_HANDLING
#endif

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_stack.h"
#include "editor/pages/table_page.h"
#include "editor/window/editor_window.h"
#include "editor/window/object_selector.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen::test {

// No default images or sounds from this machine, no sound device.
inline void isolateEditor(const TempDir& home) {
    setenv("BANMEN_HOME", home.path().c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// Types a text character by character: single-byte characters as keys,
// the others as an input method commits them (as Japanese is typed).
inline void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(widget, &commit);
        }
    }
}

struct PageEditor {
    TempDir folder;
    CapturingNotifier notifier;
    EditorDocument document{notifier};
    EditorWindow window{document};

    PageEditor() {
        (void)document.createWorkspace("テスト", {}, folder.path());
        window.clearSelection();
        window.fillObjectSelector();
        window.selectObject(QStringLiteral("ゲーム全般"), false);
        window.show();
        QCoreApplication::processEvents();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        (void)QTest::qWaitForWindowActive(&window);
    }

    const GameRecord& record() const { return document.record(); }

    TablePage* page(ObjectKind kind) { return static_cast<TablePage*>(window.pages().page(kind)); }

    template <typename T = QWidget>
    T* control(ObjectKind kind, int id) {
        return page(kind)->findChild<T*>(QStringLiteral("control%1").arg(id));
    }

    // Selects an object and lets the shown page lay itself out.
    void select(ObjectKind kind, int index) {
        window.selectObject(Selection{kind, index}, true);
        QCoreApplication::processEvents();
    }

    // Clicks a widget as a person does (scrolled into view first).
    void click(QWidget* widget) {
        QVERIFY(widget != nullptr);
        if (auto* page = qobject_cast<TablePage*>(window.pages().visiblePage())) {
            page->scrollArea()->ensureWidgetVisible(widget);
        }
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    // Clicks into a line edit, selects all its text and types over it.
    void typeInto(QLineEdit* line, const QString& text) {
        click(line);
        line->selectAll();
        type(line, text);
    }

    std::string squareName(int s) const {
        return sjis::toUtf8Lossy(fieldText(record().squares[static_cast<std::size_t>(s)].name));
    }

    std::string lastNotice() const {
        return notifier.notices.empty() ? std::string() : notifier.notices.back().text;
    }
};

// Runs `inside` on the modal dialog that the next action opens, once it is
// up. The action (a click) must follow at once.
inline void onNextModal(std::function<void(QWidget*)> inside) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inside] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        inside(modal);
    });
    timer->start();
}

}  // namespace banmen::test
