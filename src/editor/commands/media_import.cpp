#include "editor/commands/media_import.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "editor/document/editor_document.h"
#include "model/game_record.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

// The last file chosen in each dialog, for the whole run of the program (not
// stored in the settings). A bare pattern means "no file chosen yet".
struct RememberedPaths {
    QString picture = QStringLiteral("*.bmp");
    QString sound = QStringLiteral("*.wav");
};

RememberedPaths& remembered() {
    static RememberedPaths paths;
    return paths;
}

struct MediaDialog {
    const char* title;
    const char* filters;  // the start pattern's type first
    const char* subfolder;
    QString RememberedPaths::*path;
};

// The readers take BMP pictures (also under the older ".dib" and ".rle"
// names) and WAV and MP3 sounds.
const MediaDialog kPictureDialog{"イメージファイルを選択してください。",
                                 "ビットマップ (*.bmp);;すべてのビットマップ (*.bmp *.dib *.rle);;"
                                 "すべてのファイル (*)",
                                 kImageFolderName, &RememberedPaths::picture};
const MediaDialog kSoundDialog{"サウンドファイルを選択してください。",
                               "WAVE サウンド (*.wav);;MP3 サウンド (*.mp3);;"
                               "すべてのサウンド (*.wav *.mp3);;"
                               "すべてのファイル (*)",
                               kSoundFolderName, &RememberedPaths::sound};

std::optional<ChosenMedia> chooseMedia(QWidget* parent, EditorDocument& document,
                                       const MediaDialog& kind) {
    const QString start = remembered().*kind.path;
    const QFileInfo startInfo(start);
    // A bare pattern starts where the program was started from.
    const bool pattern = start.contains(QLatin1Char('*'));
    QFileDialog dialog(parent, QString::fromUtf8(kind.title),
                       pattern ? QDir::currentPath() : startInfo.absolutePath());
    dialog.setObjectName(QStringLiteral("mediaFileDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The same dialog on every desktop, which people and tests can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(QString::fromUtf8(kind.filters).split(QStringLiteral(";;")));
    // The last file is not preselected: a path typed into the name field
    // would lose against a selection in the list.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    ChosenMedia media;
    media.path = chosen.toStdString();
    if (!document.copyIntoWorkspace(media.path, kind.subfolder, media.storedName)) {
        return std::nullopt;
    }
    remembered().*kind.path = chosen;
    return media;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(std::string text) {
    while (!text.empty() && isBlank(text.back())) {
        text.pop_back();
    }
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) {
        ++first;
    }
    return text.substr(first);
}

// The title with its numbering taken off: "Map12" and "Map(3)" give "Map".
// Digits and parentheses are single bytes in Shift-JIS and never the second
// byte of a double-byte character, so the bytes can be taken from the end.
std::string numberingRemoved(const std::string& title) {
    std::string base = trimmed(title);
    while (!base.empty() && ((base.back() >= '0' && base.back() <= '9') || base.back() == '(' ||
                             base.back() == ')')) {
        base.pop_back();
    }
    return trimmed(base);
}

}  // namespace

std::optional<ChosenMedia> choosePictureFile(QWidget* parent, EditorDocument& document) {
    return chooseMedia(parent, document, kPictureDialog);
}

std::optional<ChosenMedia> chooseSoundFile(QWidget* parent, EditorDocument& document) {
    return chooseMedia(parent, document, kSoundDialog);
}

std::string objectNameFromFile(const std::string& storedName) {
    // "(" and ")" never occur inside a double-byte character.
    const std::size_t open = storedName.find('(');
    if (open != std::string::npos) {
        const std::size_t close = storedName.find(')', open + 1);
        if (close != std::string::npos && close > open + 1) {
            return storedName.substr(open + 1, close - open - 1);
        }
    }
    return sjispath::PathExtension(storedName).empty() ? storedName
                                                       : sjispath::PathTitle(storedName);
}

std::string mediaFilePath(const EditorDocument& document, std::string_view subfolder,
                          const std::string& storedName) {
    const std::optional<std::string> name = sjis::toUtf8(storedName);
    if (!name || name->empty()) {
        return {};
    }
    return path::PathJoin(path::PathJoin(document.folder(), subfolder), *name);
}

std::optional<std::string> duplicatePictureFile(EditorDocument& document,
                                                const std::string& storedName) {
    const std::string source = mediaFilePath(document, kImageFolderName, storedName);
    if (source.empty() || !FileExists(source) || IsFolder(source)) {
        return std::nullopt;
    }
    const std::string extension = sjispath::PathExtension(storedName);  // ".bmp" or ""
    const std::string title = extension.empty() ? storedName : sjispath::PathTitle(storedName);
    const std::string base = numberingRemoved(title);
    for (int n = 1; n < 100000; ++n) {
        const std::string candidate = base + "(" + std::to_string(n) + ")" + extension;
        if (candidate.size() > kNameMax) {
            // The record could not hold the name: no copy rather than a
            // reference to a name cut short.
            return std::nullopt;
        }
        const std::string target = mediaFilePath(document, kImageFolderName, candidate);
        if (target.empty()) {
            return std::nullopt;
        }
        if (FileExists(target)) {
            continue;
        }
        if (!CopyFile(source, target)) {
            return std::nullopt;
        }
        return candidate;
    }
    return std::nullopt;
}

}  // namespace banmen
