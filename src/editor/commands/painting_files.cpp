#include "editor/commands/painting_files.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "editor/commands/media_import.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "editor/window/status_line.h"
#include "media/bmp_writer.h"
#include "media/dib_bitmap.h"
#include "media/font_faces.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {
namespace {

constexpr int kPromptHeightAt96Dpi = 100;
constexpr int kFirstPieceResource = 3001;

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    return dpi >= 1.0 ? static_cast<int>(dpi + 0.5) : 96;
}

// Written whole or not at all, so that a failed write never leaves a
// broken picture that the next EDIT would take as the author's.
Status writeBitmap(const std::string& path, const DibBitmap& bitmap) {
    const BitmapInfo* info = bitmap.GetInfo();
    if (info == nullptr) {
        return Status::error("no picture");
    }
    const std::vector<std::uint8_t> packed = PackDib(*info, bitmap.GetBits());
    std::vector<std::uint8_t> file = BmpFileHeader(*info, packed.size());
    file.insert(file.end(), packed.begin(), packed.end());
    return WriteFileAtomically(path, file.data(), file.size());
}

bool prepareImageFolder(const EditorDocument& document) {
    return CreateFolderTree(path::PathJoin(document.folder(), kImageFolderName)).isOk();
}

void tellNotCreated(EditorDocument& document, const std::string& path, const Status& why) {
    document.notifier().notify(
        "盤面工房", "イメージファイルを作成できませんでした。\n" + path + "\n" + why.reason(),
        NoticeIcon::Exclamation);
}

// Creates the picture with `create` unless it exists, then hands it over.
template <typename Create>
bool openForPainting(QWidget* parent, EditorDocument& document, const std::string& storedName,
                     Create create) {
    const std::string path = mediaFilePath(document, kImageFolderName, storedName);
    if (path.empty()) {
        return false;
    }
    if (!FileExists(path)) {
        Status written =
            prepareImageFolder(document) ? create(path) : Status::error("no \"Image Files\"");
        if (!written) {
            tellNotCreated(document, path, written);
            return false;
        }
    }
    // The desktop program's own failures are its to tell.
    (void)handPictureToDesktop(parent, path);
    return true;
}

}  // namespace

Status writePaintingPicture(const std::string& path, int width, int height, std::int32_t colour) {
    DibBitmap bitmap;
    if (!bitmap.Create(24, width, height)) {
        return Status::error("cannot make a picture of " + std::to_string(width) + " x " +
                             std::to_string(height));
    }
    const Colour fill = colour == -1 ? RgbColour(255, 255, 255) : static_cast<Colour>(colour);
    bitmap.FillSolidRect(0, 0, width, height, fill);
    bitmap.SetTextColor(~fill & 0x00FFFFFFu);
    bitmap.SetBkMode(kTransparentMode);
    bitmap.SelectFont(
        MakeFont(QStringLiteral("ＭＳ Ｐ明朝"), kPromptHeightAt96Dpi * 96 / screenDpi()));
    Rect whole{0, 0, width, height};
    bitmap.DrawText(QString::fromUtf8(kPaintingPrompt), whole,
                    kDtCenter | kDtVCenter | kDtSingleLine);
    return writeBitmap(path, bitmap);
}

Status writeBuiltInPiece(const std::string& path, int player) {
    QFile resource(QStringLiteral(":/bitmaps/%1.bmp").arg(kFirstPieceResource + player));
    if (player < 0 || player >= kPlayerCount || !resource.open(QIODevice::ReadOnly)) {
        return Status::error("no built-in piece for player " + std::to_string(player + 1));
    }
    const QByteArray bytes = resource.readAll();
    return WriteFileAtomically(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool handPictureToDesktop(QWidget* parent, const std::string& path) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        return true;
    }
    auto* window = parent != nullptr ? qobject_cast<EditorWindow*>(parent->window()) : nullptr;
    if (window != nullptr) {
        window->statusLine().setSquareText(
            QStringLiteral("BMPファイルを開くプログラムがデスクトップにありません: %1")
                .arg(QString::fromStdString(path)));
    }
    return false;
}

bool openPictureForPainting(QWidget* parent, EditorDocument& document,
                            const std::string& storedName, int width, int height,
                            std::int32_t colour) {
    return openForPainting(parent, document, storedName, [&](const std::string& path) {
        return writePaintingPicture(path, width, height, colour);
    });
}

bool openPieceForPainting(QWidget* parent, EditorDocument& document, const std::string& storedName,
                          int player) {
    return openForPainting(parent, document, storedName, [&](const std::string& path) {
        return writeBuiltInPiece(path, player);
    });
}

}  // namespace banmen
