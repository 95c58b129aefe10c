#include "editor/dialogs/welcome_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "editor/dialogs/project_page.h"
#include "media/font_faces.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen {
namespace {

constexpr char kNoWelcome[] = "NoWelcome";

// Five short paragraphs: thanks; what the tool is for; where finished games
// go; where help and the sample are; where the home page link is.
const char* const kWelcomeText =
    "盤面工房をお使いいただき、ありがとうございます。\n"
    "\n"
    "盤面工房は、四季彩コレクションの雙六プレイヤーで遊べるすごろくゲームを作るためのツールです。"
    "絵を用意してマスを並べ、道でつなぎ、止まったマスで起こることを決めるだけで、"
    "自分だけの雙六ができあがります。\n"
    "\n"
    "できあがったゲームは［ﾋﾞﾙﾄﾞ］で一つのゲームファイル（.sgr）にまとめると、"
    "雙六プレイヤーのゲームコレクションに加えて遊べます。友だちに渡して遊んでもらうこともできます。"
    "\n"
    "\n"
    "使い方は［ﾍﾙﾌﾟ］メニューか F1 キーで開くヘルプをご覧ください。"
    "付属のサンプル雙六（［ﾍﾙﾌﾟ］→［サンプル雙六］）にはすべての機能が使われていますので、"
    "ぜひ中を覗いて参考にしてください。\n"
    "\n"
    "［ﾍﾙﾌﾟ］→［盤面工房のﾊﾞｰｼﾞｮﾝ情報］にはホームページへのリンクがあります。"
    "最新版のお知らせやお問い合わせはホームページで受け付けています。";

}  // namespace

std::string startupFilePath() {
    return path::PathJoin(WritableBaseFolder(), "startup.ini");
}

bool welcomeSuppressed() {
    std::vector<std::uint8_t> bytes;
    // A missing or unreadable file lets the box show.
    if (!ReadWholeFile(startupFilePath(), bytes)) {
        return false;
    }
    return std::string(bytes.begin(), bytes.end()).find(kNoWelcome) != std::string::npos;
}

WelcomeDialog::WelcomeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("welcomeDialog263"));
    setWindowTitle(QStringLiteral("ようこそ盤面工房（四季彩コレクション）へ"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/banmen-48.png")));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* text = new QPlainTextEdit(QString::fromUtf8(kWelcomeText), this);
    text->setObjectName(QStringLiteral("control1016"));
    text->setReadOnly(true);
    text->setFont(MakePointFont(QStringLiteral("ＭＳ ゴシック"), 90));
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 224));
    text->setPalette(palette);
    text->setMinimumSize(450, 262);

    noWelcome_ = new QCheckBox(QStringLiteral("今後このメッセージを表示しない。"), this);
    noWelcome_->setObjectName(QStringLiteral("control1014"));
    noWelcome_->setChecked(welcomeSuppressed());

    auto* link =
        makeProjectLink(QStringLiteral("MOEGIホームページはこちら"), 1015, new QLabel(this));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("control1"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* column = new QVBoxLayout;
    column->addWidget(text);
    column->addWidget(noWelcome_);
    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(link);
    linkRow->addStretch();
    linkRow->addWidget(buttons);
    column->addLayout(linkRow);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(column);
    text->setFocus();
}

void WelcomeDialog::done(int result) {
    if (noWelcome_->isChecked()) {
        (void)WriteTextFile(startupFilePath(), kNoWelcome);
    } else if (FileExists(startupFilePath())) {
        (void)DeleteFile(startupFilePath());
    }
    QDialog::done(result);
}

void showWelcome(QWidget* parent, bool requested) {
    if (!requested && welcomeSuppressed()) {
        return;
    }
    WelcomeDialog dialog(parent);
    dialog.exec();
}

}  // namespace banmen
