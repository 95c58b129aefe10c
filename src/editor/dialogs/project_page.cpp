#include "editor/dialogs/project_page.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include "media/font_faces.h"

namespace banmen {

QLabel* makeProjectLink(const QString& text, int controlId, QLabel* label) {
    label->setObjectName(QStringLiteral("control%1").arg(controlId));
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%2</a>")
                       .arg(QString::fromLatin1(kProjectPageUrl), text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    QFont font = MakePointFont(QStringLiteral("ＭＳ ゴシック"), 90);
    font.setUnderline(true);
    label->setFont(font);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 224));
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    label->setPalette(palette);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    return label;
}

}  // namespace banmen
