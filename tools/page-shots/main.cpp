// Pictures of the property pages, taken from the real editor window driven
// with mouse clicks and keys: every kind's page, a square with every field
// filled (at its top, with an update row's wording in the help area, while
// picking, and scrolled to its foot), the picture and object choosers, the
// colour chooser and the help editor.
//
//   page-shots OUTDIR        (tools/screenshot-pages.sh runs it under xvfb-run)

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "editor/document/editor_document.h"
#include "editor/pages/page_field.h"
#include "editor/pages/page_stack.h"
#include "editor/pages/table_page.h"
#include "editor/window/editor_window.h"
#include "model/object_list.h"
#include "model/text_field.h"
#include "platform/notifier.h"
#include "platform/settings/player_settings.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

class PrintingNotifier : public Notifier {
  public:
    void notify(std::string_view caption, std::string_view text, NoticeIcon) override {
        std::printf("[%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
                    static_cast<int>(text.size()), text.data());
    }
};

struct Shots {
    EditorWindow& window;
    QString folder;
    int failures = 0;

    void save(QWidget* widget, const QString& name) {
        QTest::qWait(150);
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (widget == nullptr || !widget->grab().save(file, "PNG")) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
            ++failures;
            return;
        }
        std::printf("%s\n", qPrintable(file));
    }

    void whole(const QString& name) { save(&window, name); }

    TablePage* page(ObjectKind kind) { return static_cast<TablePage*>(window.pages().page(kind)); }

    template <typename T = QWidget>
    T* control(ObjectKind kind, int id) {
        return page(kind)->findChild<T*>(QStringLiteral("control%1").arg(id));
    }

    void click(QWidget* widget) {
        if (widget != nullptr) {
            QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        }
    }

    // Clicks a button that opens a modal dialog; `inside` runs in the
    // dialog, which is pictured and then closed.
    void modal(QWidget* button, const QString& name,
               const std::function<void(QWidget*)>& inside = {}) {
        QTimer::singleShot(400, &window, [this, name, inside] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) {
                std::fprintf(stderr, "no dialog for %s\n", qPrintable(name));
                ++failures;
                return;
            }
            if (inside) {
                inside(dialog);
            }
            save(dialog, name);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        click(button);
        QTest::qWait(100);
    }
};

// Square 2 of the new game with every field of its page filled.
void fillSquare(EditorDocument& document, int s) {
    document.edit(QStringLiteral("見本"), [&](RecordOwner& owner) {
        const auto text = [&](std::int32_t id, int sub, const char* utf8) {
            owner.SetText(*owner.field(ObjectKind::Square, s, id, sub), sjis::lit(utf8));
        };
        const auto number = [&](std::int32_t id, int sub, std::int32_t value) {
            owner.SetNumber(*owner.field(ObjectKind::Square, s, id, sub), value);
        };
        const std::int32_t extra = AddSquare(owner, 400, 300, 1);
        const std::int32_t other = AddSquare(owner, 550, 200, 2);
        text(kFieldName, 0, "茶屋の前");
        text(kFieldDescription, 0, "団子を買って一休み");
        number(kFieldPicture, 0, 0);
        number(kFieldSupplementPicture, 0, 1);
        number(kFieldSound, 0, 4);
        number(kFieldKind, 0, 1);
        const std::int32_t codes[] = {0, 0x101, 0x100402, 0x200203, 0x804};
        const char* texts[] = {"お駄賃", "さいころの目だけ", "相手から", "皆に配る", "持ち物を"};
        for (int u = 0; u < 5; ++u) {
            number(kFieldUpdateCodes, u, codes[u]);
            number(kFieldValues, u, (u + 1) * 100);
            text(kFieldUpdateTexts, u, texts[u]);
        }
        text(kFieldStateTexts, 0, "満腹");
        text(kFieldStateTexts, 1, "上機嫌");
        number(kFieldArrivalJump, 0, extra);
        number(kFieldPassJump, 0, 0);
        for (int d = 0; d < 6; ++d) {
            number(kFieldDieJumps, d, d % 2 == 0 ? extra : other);
        }
        number(kFieldNextSquares, 1, extra);
        number(kFieldNextSquares, 2, other);
    });
}

// The default picture of that file name as the board and the help picture.
void useBoard(EditorDocument& document, const char* fileName) {
    for (int m = 0; m < kImageCount; ++m) {
        if (inUse(document.record().images[m]) &&
            fieldText(document.record().images[m].fileName) == fileName) {
            document.edit(QStringLiteral("見本"), [m](RecordOwner& owner) {
                owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldPicture), m);
                owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldHelpPicture), m);
            });
            return;
        }
    }
}

int run(const QString& folder) {
    PrintingNotifier notifier;
    EditorDocument document(notifier);
    EditorWindow window(document);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "the window did not come up\n");
        return 1;
    }
    Shots shots{window, folder};
    fillSquare(document, 2);
    useBoard(document, "Board.bmp");

    const Selection objects[] = {{ObjectKind::Game, 0},        {ObjectKind::Player, 0},
                                 {ObjectKind::PlayerState, 0}, {ObjectKind::PlayerData, 0},
                                 {ObjectKind::Square, 2},      {ObjectKind::Image, 0},
                                 {ObjectKind::Sound, 3}};
    const char* names[] = {"", "game", "player", "state", "data", "square", "image", "sound"};
    for (const Selection& object : objects) {
        window.selectObject(object, true);
        TablePage* page = shots.page(object.kind);
        if (!page->fields().empty()) {
            shots.click(page->fields().front()->focusControl());
        }
        shots.whole(QStringLiteral("page-%1").arg(QLatin1String(names[toInt(object.kind)])));
    }

    // The square: an update row's wording, then picking, then the foot.
    window.selectObject(Selection{ObjectKind::Square, 2}, true);
    shots.click(shots.control(ObjectKind::Square, 4022));
    shots.whole("square-update-help");
    shots.click(shots.control(ObjectKind::Square, 4022));  // and back round
    for (int i = 0; i < 8; ++i) {
        shots.click(shots.control(ObjectKind::Square, 4022));
    }
    QWidget* lockon = shots.control(ObjectKind::Square, 2004);
    shots.page(ObjectKind::Square)->scrollArea()->ensureWidgetVisible(lockon);
    QTest::mousePress(lockon, Qt::LeftButton, {}, lockon->rect().center());
    QTest::mouseRelease(lockon, Qt::LeftButton, {}, lockon->rect().center());
    shots.whole("square-picking");
    QTest::keyClick(shots.page(ObjectKind::Square), Qt::Key_Escape);
    QScrollBar* bar = shots.page(ObjectKind::Square)->scrollArea()->verticalScrollBar();
    bar->setValue(bar->maximum());
    shots.click(shots.control(ObjectKind::Square, 1030));
    shots.whole("square-foot");
    shots.click(shots.control(ObjectKind::Square, 2300));
    shots.whole("square-state-help");

    // The choosers and the help editor, opened with their buttons.
    shots.modal(shots.control(ObjectKind::Square, 1003), "picture-chooser", [](QWidget* dialog) {
        if (auto* list = dialog->findChild<QListWidget*>("pictures"); list && list->count() > 1) {
            list->item(1)->setSelected(true);
        }
    });
    shots.modal(shots.control(ObjectKind::Square, 1015), "object-chooser");
    window.selectObject(Selection{ObjectKind::Image, 0}, true);
    shots.modal(shots.control(ObjectKind::Image, 1004), "colour-chooser");
    window.selectObject(Selection{ObjectKind::Game, 0}, true);
    shots.modal(shots.control(ObjectKind::Game, 1110), "help-editor");
    window.close();
    return shots.failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace banmen

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: page-shots OUTDIR\n");
        return 2;
    }
    banmen::installDefaultFolderProviders();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    return banmen::run(folder);
}
