#include "editor/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "editor/dialogs/project_page.h"
#include "media/font_faces.h"
#include "platform/file_version.h"

namespace banmen {

QString aboutVersionText(const char* versionString) {
    std::array<int, 4> version{};
    (void)parseVersionString(versionString, version);
    return QString::asprintf("四季彩コレクション\n盤面工房 Version %d.%d", version[0], version[1]);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog100"));
    setWindowTitle(QStringLiteral("盤面工房のﾊﾞｰｼﾞｮﾝ情報"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/banmen-64.png")));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(aboutVersionText(kProgramFileVersion), this);
    version->setObjectName(QStringLiteral("control1114"));
    version->setFont(MakePointFont(QStringLiteral("ＭＳ 明朝"), 110));

    auto* link = makeProjectLink(QStringLiteral("MOEGIホームページ"), 1057, new QLabel(this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("control1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(link, 0, Qt::AlignLeft);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

}  // namespace banmen
