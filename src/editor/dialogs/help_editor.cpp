#include "editor/dialogs/help_editor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editor/dialogs/styled_label.h"
#include "editor/pages/page_text.h"
#include "editor/pages/text_row_field.h"
#include "engine/end_conditions.h"
#include "media/font_faces.h"
#include "model/image_files.h"
#include "platform/notifier.h"

namespace banmen {
namespace {

QImage loadPicture(const GameRecord& record, const std::string& folder, std::int32_t image) {
    const std::string path = FindImageFile(record, folder, image);
    return path.empty() ? QImage() : QImage(QString::fromStdString(path));
}

QString heading() {
    return QStringLiteral("ＭＳ 明朝");
}

}  // namespace

QImage composeHelpPreview(const GameRecord& record, const std::string& folder) {
    QImage preview(kHelpPreviewWidth, kHelpPreviewHeight, QImage::Format_RGB32);
    preview.fill(Qt::white);
    QImage picture = loadPicture(record, folder, record.settings.helpPicture);
    if (picture.isNull()) {
        picture = loadPicture(record, folder, record.settings.gamePicture);
    }
    if (!picture.isNull()) {
        QPainter painter(&preview);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(preview.rect(), picture);
    }
    return preview;
}

HelpEditor::HelpEditor(const GameRecord& record, const std::string& folder, const QString& text,
                       int limit, Notifier& notifier, QWidget* parent)
    : QDialog(parent),
      notifier_(notifier),
      limit_(limit),
      editor_(new QPlainTextEdit(this)),
      preview_(new QLabel(this)),
      rules_(new QPlainTextEdit(this)) {
    setObjectName("helpEditor");
    setWindowTitle(QStringLiteral("盤面工房（四季彩コレクション） ヘルプ編集"));
    setFont(DefaultFont());
    auto* grid = new QGridLayout(this);

    preview_->setObjectName("preview");
    preview_->setFixedSize(kHelpPreviewWidth, kHelpPreviewHeight);
    preview_->setPixmap(QPixmap::fromImage(composeHelpPreview(record, folder)));
    grid->addWidget(
        new StyledLabel(QStringLiteral("ヘルプ絵柄"), heading(), 90, QStringLiteral("太字"), this),
        0, 0);
    grid->addWidget(preview_, 1, 0);

    rules_->setObjectName("rules");
    rules_->setReadOnly(true);
    rules_->setPlainText(pageTextFromRecord(RuleText(record)));
    rules_->setFixedHeight(110);
    grid->addWidget(
        new StyledLabel(QStringLiteral("ルール説明"), heading(), 90, QStringLiteral("太字"), this),
        2, 0);
    grid->addWidget(rules_, 3, 0);

    editor_->setObjectName("helpText");
    editor_->setPlainText(text);
    editor_->setMinimumWidth(280);
    grid->addWidget(
        new StyledLabel(QStringLiteral("解説"), heading(), 90, QStringLiteral("太字"), this), 0, 1);
    grid->addWidget(editor_, 1, 1, 3, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &HelpEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HelpEditor::reject);
    grid->addWidget(buttons, 4, 0, 1, 2);
    editor_->setFocus();
}

QString HelpEditor::text() const {
    return editor_->toPlainText();
}

void HelpEditor::accept() {
    if (static_cast<int>(pageTextToRecord(text()).size()) > limit_) {
        notifier_.notify("盤面工房", textLimitMessage(limit_).toStdString(),
                         NoticeIcon::Information);
        editor_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace banmen
