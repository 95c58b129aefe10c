#include "editor/commands/media_commands.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "editor/commands/command_ids.h"
#include "editor/commands/media_import.h"
#include "editor/commands/picture_watch.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_stack.h"
#include "editor/window/editor_window.h"
#include "media/bmp_reader.h"
#include "model/media_list.h"
#include "model/workspace.h"

namespace banmen {
namespace {

struct MediaKind {
    ObjectKind kind;
    const char* caption;  // the undo step
    std::int32_t (*add)(RecordOwner&, std::string_view, std::string_view);
};

const MediaKind kImage{ObjectKind::Image, "イメージの追加", &AddImage};
const MediaKind kSound{ObjectKind::Sound, "サウンドの追加", &AddSound};

// The size of a picture file, or nothing when it does not read.
std::optional<std::pair<std::int32_t, std::int32_t>> pictureSize(const std::string& path) {
    DibImage picture;
    if (path.empty() || !ReadBmpFile(path, picture)) {
        return std::nullopt;
    }
    return std::pair{picture.info.width, std::abs(picture.info.height)};
}

// Adds one image or sound with the name and file given (empty for the
// defaults) and selects it; nothing is selected when every slot is used. An
// image whose picture reads gets its width and height.
void addMedia(EditorWindow& window, const MediaKind& kind, const std::string& name,
              const std::string& file) {
    if (!window.readPages()) {
        return;
    }
    window.endRouteMode();
    const auto size = kind.kind == ObjectKind::Image
                          ? pictureSize(mediaFilePath(window.document(), kImageFolderName, file))
                          : std::nullopt;
    std::int32_t added = -1;
    window.document().edit(QString::fromUtf8(kind.caption), [&](RecordOwner& owner) {
        added = kind.add(owner, name, file);
        if (added >= 0 && size) {
            owner.SetNumber(*owner.field(ObjectKind::Image, added, kFieldWidth), size->first);
            owner.SetNumber(*owner.field(ObjectKind::Image, added, kFieldHeight), size->second);
        }
    });
    window.fillObjectSelector();
    if (added >= 0) {
        window.selectObject(Selection{kind.kind, added}, false);
    }
}

void addFromFile(EditorWindow& window, const MediaKind& kind) {
    EditorDocument& document = window.document();
    const std::optional<ChosenMedia> chosen = kind.kind == ObjectKind::Image
                                                  ? choosePictureFile(&window, document)
                                                  : chooseSoundFile(&window, document);
    if (chosen) {
        addMedia(window, kind, objectNameFromFile(chosen->storedName), chosen->storedName);
    }
}

void reloadChangedPictures(EditorWindow& window, PictureWatch& watch) {
    if (!watch.look()) {
        return;
    }
    window.mapView()->reloadPictures();
    const PropertyPage* page = window.pages().visiblePage();
    if (page != nullptr && page->kind() == ObjectKind::Image) {
        window.pages().reloadVisible();
    }
}

}  // namespace

void bindMediaCommands(EditorWindow& window) {
    CommandRouter& router = window.commands();
    router.bind(kCmdAddImage, [&window] { addMedia(window, kImage, {}, {}); });
    router.bind(kCmdAddSound, [&window] { addMedia(window, kSound, {}, {}); });
    router.bind(kCmdAddImageFromFile, [&window] { addFromFile(window, kImage); });
    router.bind(kCmdAddSoundFromFile, [&window] { addFromFile(window, kSound); });

    auto* watch = new PictureWatch(window.document(), &window);
    QObject::connect(&window, &EditorWindow::editingTick, watch,
                     [&window, watch] { reloadChangedPictures(window, *watch); });
}

}  // namespace banmen
