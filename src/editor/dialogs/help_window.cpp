#include "editor/dialogs/help_window.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "media/font_faces.h"
#include "platform/base_folder.h"
#include "platform/notifier.h"
#include "platform/paths.h"

namespace banmen {
namespace {

constexpr char kHelpWindowName[] = "helpWindow";

QToolButton* toolButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

}  // namespace

HelpBrowser::HelpBrowser(const HelpBook& book, QWidget* parent)
    : QTextBrowser(parent), book_(book) {
    setObjectName(QStringLiteral("helpBrowser"));
    // Addresses on the web open in the browser.
    setOpenExternalLinks(true);
    document()->setDefaultFont(MakePointFont(QStringLiteral("ＭＳ Ｐゴシック"), 100));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource) {
        const QString page = HelpBook::pageOfLink(name.toString(QUrl::RemoveFragment));
        if (book_.contains(page)) {
            return book_.page(page);
        }
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(HelpBook book, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(std::move(book)), browser_(new HelpBrowser(book_, this)) {
    setObjectName(QString::fromLatin1(kHelpWindowName));
    auto* contents = toolButton(QStringLiteral("目次"), QStringLiteral("helpContents"), this);
    auto* back = toolButton(QStringLiteral("戻る"), QStringLiteral("helpBack"), this);
    auto* forward = toolButton(QStringLiteral("進む"), QStringLiteral("helpForward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("盤面工房 ヘルプ")
                                       : QStringLiteral("盤面工房 ヘルプ - ") + title);
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(720, 620);
}

void HelpWindow::showPage(const QString& name) {
    browser_->setSource(QUrl(name + QStringLiteral(".html")));
}

QString HelpWindow::currentPage() const {
    return HelpBook::pageOfLink(browser_->source().toString(QUrl::RemoveFragment));
}

void openHelp(QWidget* window, Notifier& notifier) {
    auto* help = window->findChild<HelpWindow*>(QString::fromLatin1(kHelpWindowName),
                                                Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        const std::string path = path::PathJoin(BaseFolder(), kHelpFileName);
        HelpBook book;
        if (Status loaded = book.load(path); !loaded) {
            notifier.notify("盤面工房",
                            "ヘルプファイルを開けませんでした。\n" + path + "\n" + loaded.reason(),
                            NoticeIcon::Exclamation);
            return;
        }
        help = new HelpWindow(std::move(book), window);
    }
    help->showContents();
    help->show();
    help->raise();
    help->activateWindow();
    // The keys scroll the page and Tab steps through its links at once.
    help->browser().setFocus();
}

}  // namespace banmen
