#include "editor/play/dice_prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "media/dib_bitmap.h"

namespace banmen {
namespace {

// The small face of the dice picture (cell 28 x 31 at y 34).
QIcon faceIcon(const QImage& dice, int face) {
    if (dice.isNull()) {
        return {};
    }
    QImage cell = dice.copy(28 * (face - 1), 34, 28, 31).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            if (cell.pixel(x, y) == qRgb(255, 0, 255)) {
                cell.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return QIcon(QPixmap::fromImage(cell));
}

}  // namespace

void centreOn(QWidget& dialog, const QWidget* window) {
    dialog.adjustSize();
    if (window == nullptr) {
        return;
    }
    const QPoint centre = window->mapToGlobal(window->rect().center());
    dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
}

DicePrompt::DicePrompt(QWidget* playWindow) : QDialog(playWindow), playWindow_(playWindow) {
    setObjectName("dicePrompt");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("これから振って出すサイコロの目を選んで下さい。"), this);
    text->setObjectName("prompt");
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    DibBitmap dice;
    const QImage picture = dice.LoadResource(5000) ? dice.ToImage() : QImage();
    for (int face = 1; face <= 6; ++face) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("S%1").arg(face));
        button->setIcon(faceIcon(picture, face));
        button->setIconSize(QSize(28, 31));
        button->setToolTip(QString::number(face));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, face] { choose(face); });
        row->addWidget(button);
    }
    layout->addLayout(row);
}

DicePrompt::~DicePrompt() = default;

void DicePrompt::ask(const QString& caption) {
    face_ = -1;
    setWindowTitle(caption);
    centreOn(*this, playWindow_);
    show();
    raise();
    activateWindow();
}

void DicePrompt::choose(int face) {
    face_ = face;
    hide();
}

}  // namespace banmen
