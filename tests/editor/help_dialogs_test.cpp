// The Help menu driven through the window: the welcome box and
// "startup.ini", the about box and its link, the help window and its links,
// and the help file the build installs.

#include <QAbstractButton>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/help_book.h"
#include "editor/dialogs/help_window.h"
#include "editor/dialogs/project_page.h"
#include "editor/dialogs/welcome_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "editor/window/menu_table.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

// Runs `act` on the next modal dialog once it is up; `seen` tells whether
// one came. A dialog is closed with Escape when `act` leaves it open.
struct ModalWatch {
    bool seen = false;
    void expect(std::function<void(QDialog&)> act) {
        auto attempt = std::make_shared<std::function<void(int)>>();
        *attempt = [this, act, attempt](int tries) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                if (tries > 0) {
                    QTimer::singleShot(20, [attempt, tries] { (*attempt)(tries - 1); });
                }
                return;
            }
            seen = true;
            act(*dialog);
            if (dialog->isVisible()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        };
        QTimer::singleShot(0, [attempt] { (*attempt)(50); });
    }
};

void click(QWidget* widget) {
    QVERIFY(widget != nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

// Clicks the first link to `href` in the browser, where it is drawn.
bool clickLink(QTextBrowser& browser, const QString& href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) {
                continue;
            }
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + 1);
            browser.ensureCursorVisible();
            browser.setTextCursor(cursor);
            browser.ensureCursorVisible();
            const QPoint point = browser.cursorRect(cursor).center();
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, point);
            return true;
        }
    }
    return false;
}

QString withoutAccelerator(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("\\(&.+\\)")));
    caption.remove(QStringLiteral("..."));
    return caption;
}

class HelpDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> home_;
    test::CapturingNotifier notifier_;
    std::unique_ptr<EditorDocument> document_;
    std::unique_ptr<EditorWindow> window_;
    UrlCatcher catcher_;

    std::string startupIni() const { return home_->file("startup.ini"); }

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_->file("config").c_str(), 1);
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
        document_ = std::make_unique<EditorDocument>(notifier_);
        window_ = std::make_unique<EditorWindow>(*document_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanupTestCase() {
        window_.reset();
        document_.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void welcomeFollowsStartupIni() {
        std::remove(startupIni().c_str());
        // First start: shown, box clear; ticking it writes the file.
        ModalWatch first;
        QString title;
        first.expect([&](QDialog& dialog) {
            title = dialog.windowTitle();
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("control1014"));
            QVERIFY(box != nullptr && !box->isChecked());
            click(box);
            click(dialog.findChild<QAbstractButton*>(QStringLiteral("control1")));
        });
        showWelcome(window_.get(), false);
        QVERIFY(first.seen);
        QCOMPARE(title, QStringLiteral("ようこそ盤面工房（四季彩コレクション）へ"));
        QCOMPARE(test::readText(startupIni()), std::string("NoWelcome"));

        // Suppressed at start-up...
        ModalWatch suppressed;
        suppressed.expect([](QDialog&) {});
        showWelcome(window_.get(), false);
        QCoreApplication::processEvents();
        QVERIFY(!suppressed.seen);

        // ...but the Help menu opens it with the box ticked; clearing it
        // deletes the file.
        ModalWatch asked;
        bool ticked = false;
        asked.expect([&](QDialog& dialog) {
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("control1014"));
            ticked = box->isChecked();
            click(box);
            click(dialog.findChild<QAbstractButton*>(QStringLiteral("control1")));
        });
        window_->runCommand(kCmdWelcome);
        QVERIFY(asked.seen);
        QVERIFY(ticked);
        QVERIFY(!test::exists(startupIni()));

        // A file without the word does not suppress it.
        test::writeText(startupIni(), "hello");
        ModalWatch other;
        other.expect([](QDialog&) {});
        showWelcome(window_.get(), false);
        QVERIFY(other.seen);
        QVERIFY(!test::exists(startupIni()));  // closed with the box clear
    }

    void aboutShowsVersionAndLinks() {
        ModalWatch about;
        QString title;
        QString version;
        about.expect([&](QDialog& dialog) {
            title = dialog.windowTitle();
            version = dialog.findChild<QLabel*>(QStringLiteral("control1114"))->text();
            click(dialog.findChild<QLabel*>(QStringLiteral("control1057")));
            click(dialog.findChild<QAbstractButton*>(QStringLiteral("control1")));
        });
        catcher_.urls.clear();
        window_->runCommand(kCmdAbout);
        QVERIFY(about.seen);
        QCOMPARE(title, QStringLiteral("盤面工房のﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(version, QStringLiteral("四季彩コレクション\n盤面工房 Version 10.0"));
        QCOMPARE(catcher_.urls, QList<QUrl>{QUrl(QString::fromLatin1(kProjectPageUrl))});
    }

    void helpOpensAtContentsAndFollowsLinks() {
        test::writeText(home_->file("BMHelp.hlp"),
                        "<!-- page: contents -->\n<html><head><title>目次</title></head><body>"
                        "<p><a href=\"rules.html#turns\">ルール</a></p></body></html>\n"
                        "<!-- page: rules -->\n<html><head><title>ルール</title></head><body>"
                        "<h2><a name=\"turns\">手番</a></h2></body></html>\n");
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(window_.get(), Qt::Key_F1);
        auto* help = window_->findChild<HelpWindow*>();
        QVERIFY(help != nullptr);
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->currentPage(), QStringLiteral("contents"));
        QCOMPARE(help->windowTitle(), QStringLiteral("盤面工房 ヘルプ - 目次"));

        QVERIFY(clickLink(help->browser(), QStringLiteral("rules.html#turns")));
        QTRY_COMPARE(help->currentPage(), QStringLiteral("rules"));
        click(help->findChild<QToolButton*>(QStringLiteral("helpBack")));
        QCOMPARE(help->currentPage(), QStringLiteral("contents"));
        click(help->findChild<QToolButton*>(QStringLiteral("helpForward")));
        QCOMPARE(help->currentPage(), QStringLiteral("rules"));

        // Help again: the same window, at the contents.
        window_->runCommand(kCmdHelp);
        QCOMPARE(window_->findChildren<HelpWindow*>().size(), 1);
        QCOMPARE(help->currentPage(), QStringLiteral("contents"));
        delete help;
    }

    void missingHelpFileIsTold() {
        std::remove(home_->file("BMHelp.hlp").c_str());
        notifier_.notices.clear();
        window_->runCommand(kCmdHelp);
        QCOMPARE(notifier_.notices.size(), std::size_t{1});
        QVERIFY(notifier_.notices[0].text.find("BMHelp.hlp") != std::string::npos);
        QCOMPARE(notifier_.notices[0].icon, NoticeIcon::Exclamation);
        QVERIFY(window_->findChild<HelpWindow*>() == nullptr);
    }

    // The help file the build installs: every link and picture leads
    // somewhere, and every menu command is described.
    void installedHelpIsWhole() {
        HelpBook book;
        QVERIFY(book.load(std::string(BANMEN_BIN_DIR) + "/BMHelp.hlp"));
        QCOMPARE(book.contents(), QStringLiteral("contents"));
        const QRegularExpression href(QStringLiteral("(href|src)=\"([^\"]+)\""));
        QString all;
        for (const QString& name : book.names()) {
            const QString page = book.page(name);
            all += page;
            QVERIFY2(page.contains(QStringLiteral("<title>")), qPrintable(name));
            for (const auto& match : href.globalMatch(page)) {
                const QUrl url(match.captured(2));
                if (url.scheme() == QLatin1String("qrc")) {
                    QVERIFY2(QFile::exists(QLatin1Char(':') + url.path()),
                             qPrintable(name + ": " + url.toString()));
                    continue;
                }
                if (!url.scheme().isEmpty()) {
                    continue;
                }
                const QString target = HelpBook::pageOfLink(url.toString());
                QVERIFY2(book.contains(target), qPrintable(name + ": " + url.toString()));
                if (url.hasFragment()) {
                    QVERIFY2(book.page(target).contains(
                                 QStringLiteral("name=\"%1\"").arg(url.fragment())),
                             qPrintable(name + ": " + url.toString()));
                }
            }
        }
        for (const MenuSpec& menu : mainMenuSpec()) {
            for (const MenuItemSpec& item : menu.items) {
                if (item.id != 0) {
                    QVERIFY2(all.contains(withoutAccelerator(item.caption)),
                             qPrintable(item.caption));
                }
            }
        }
    }
};

}  // namespace
}  // namespace banmen

QTEST_MAIN(banmen::HelpDialogsTest)
#include "help_dialogs_test.moc"
