#include "editor/commands/clipboard_actions.h"

#include <cstring>

#include "editor/commands/media_import.h"
#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "model/object_list.h"
#include "model/text_field.h"

namespace banmen {
namespace {

bool isListed(ObjectKind kind) {
    return kind == ObjectKind::Square || kind == ObjectKind::Image || kind == ObjectKind::Sound;
}

int firstFreeSquare(const GameRecord& record) {
    for (int i = 0; i < kSquareCount; ++i) {
        if (!inUse(record.squares[i])) {
            return i;
        }
    }
    return -1;
}

bool objectInUse(const GameRecord& record, Selection object) {
    return !objectCaption(record, object).isEmpty();
}

void showIn(const ShowObject& show, Selection object) {
    if (show) {
        show(object);
    }
}

}  // namespace

bool copyObject(EditorDocument& document, Selection object) {
    ClipboardSlots& clipboard = document.clipboard();
    if (!ClipboardSlots::hasSlot(object.kind)) {
        return false;
    }
    bool copied = false;
    // Copying ends route mode, the one change it can make.
    document.edit(QStringLiteral("経路の設定"), [&](RecordOwner& owner) {
        copied = CopyOut(owner, object.kind, object.index, clipboard.buffer(object.kind));
    });
    clipboard.setFull(object.kind, copied);
    return copied;
}

int pasteSquare(EditorDocument& document, std::optional<BoardPoint> at, const ShowObject& show) {
    const ClipboardSlots& clipboard = document.clipboard();
    const int target = firstFreeSquare(document.record());
    if (!clipboard.full(ObjectKind::Square) || target < 0) {
        return -1;
    }
    SquareDef copy;
    std::memcpy(&copy, clipboard.contents(ObjectKind::Square).data(), sizeof copy);
    int pasted = -1;
    document.edit(objectLabel({ObjectKind::Square, target}) + QStringLiteral("の貼り付け"),
                  [&](RecordOwner& owner) {
                      pasted = InsertSquareCopy(owner, copy, at ? at->x : -1, at ? at->y : -1);
                      if (pasted >= 0) {
                          showIn(show, {ObjectKind::Square, pasted});
                      }
                  });
    return pasted;
}

bool pasteSettingsOnto(EditorDocument& document, Selection target, const ShowObject& show) {
    if (!document.clipboard().full(target.kind) || !objectInUse(document.record(), target)) {
        return false;
    }
    return document.edit(
        objectLabel(target) + QStringLiteral("の設定の貼り付け"), [&](RecordOwner& owner) {
            if (PasteSettings(owner, target.kind, document.clipboard().contents(target.kind),
                              target.index)) {
                showIn(show, target);
            }
        });
}

int duplicateObject(EditorDocument& document, Selection source, const ShowObject& show) {
    if ((source.kind != ObjectKind::Square && source.kind != ObjectKind::Image) ||
        !objectInUse(document.record(), source)) {
        return -1;
    }
    int made = -1;
    document.edit(objectLabel(source) + QStringLiteral("の複製"), [&](RecordOwner& owner) {
        if (source.kind == ObjectKind::Square) {
            made = DuplicateSquare(owner, source.index);
        } else {
            made = DuplicateImage(owner, source.index);
            const std::string file(fieldText(owner.record().images[source.index].fileName));
            if (made >= 0 && !file.empty()) {
                if (auto copied = duplicatePictureFile(document, file)) {
                    owner.SetText(*owner.field(ObjectKind::Image, made, kFieldFileName), *copied);
                }
            }
        }
        if (made >= 0) {
            showIn(show, {source.kind, made});
        }
    });
    return made;
}

bool deleteObject(EditorDocument& document, Selection object, const ShowObject& show) {
    if (!isListed(object.kind) || !objectInUse(document.record(), object)) {
        return false;
    }
    return document.edit(objectLabel(object) + QStringLiteral("の削除"), [&](RecordOwner& owner) {
        switch (object.kind) {
            case ObjectKind::Square:
                DeleteSquare(owner, object.index);
                break;
            case ObjectKind::Image:
                DeleteImage(owner, object.index);
                break;
            default:
                DeleteSound(owner, object.index);
                break;
        }
        const int next = NextUsedIndex(owner.record(), object.kind, object.index);
        showIn(show, next >= 0 ? Selection{object.kind, next} : Selection{});
    });
}

bool deleteAllObjects(EditorDocument& document, ObjectKind kind, const ShowObject& show) {
    if (!isListed(kind)) {
        return false;
    }
    const QString what = kind == ObjectKind::Square  ? QStringLiteral("全マスの削除")
                         : kind == ObjectKind::Image ? QStringLiteral("全イメージの削除")
                                                     : QStringLiteral("全サウンドの削除");
    return document.edit(what, [&](RecordOwner& owner) {
        if (kind == ObjectKind::Square) {
            DeleteAllSquares(owner);
        } else if (kind == ObjectKind::Image) {
            DeleteAllImages(owner);
        } else {
            DeleteAllSounds(owner);
        }
        showIn(show, Selection{});
    });
}

}  // namespace banmen
