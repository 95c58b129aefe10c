#include "editor/commands/picture_watch.h"

#include <QFileInfo>

#include "editor/commands/media_import.h"
#include "editor/document/editor_document.h"
#include "model/text_field.h"
#include "model/workspace.h"

namespace banmen {

PictureWatch::PictureWatch(const EditorDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    // An opened workspace is read from disk as it is: nothing to reload.
    connect(&document_, &EditorDocument::changed, this, [this](const DocumentChange& change) {
        if (change.what == DocumentChange::What::Record) {
            seen_ = current();
        }
    });
    seen_ = current();
}

std::map<std::string, PictureWatch::Signature> PictureWatch::current() const {
    std::map<std::string, Signature> files;
    for (const ImageDef& image : document_.record().images) {
        if (image.name[0] == '\0') {
            continue;
        }
        const std::string path =
            mediaFilePath(document_, kImageFolderName, std::string(fieldText(image.fileName)));
        if (path.empty()) {
            continue;
        }
        const QFileInfo info(QString::fromStdString(path));
        files[path] = info.exists() ? std::to_string(info.lastModified().toMSecsSinceEpoch()) +
                                          "/" + std::to_string(info.size())
                                    : std::string();
    }
    return files;
}

bool PictureWatch::look() {
    std::map<std::string, Signature> now = current();
    // A picture that left the game needs no reload; one that came in may
    // have been painted before its image pointed at it.
    bool changed = false;
    for (const auto& [path, signature] : now) {
        const auto before = seen_.find(path);
        if (before == seen_.end() || before->second != signature) {
            changed = true;
        }
    }
    seen_ = std::move(now);
    return changed;
}

}  // namespace banmen
