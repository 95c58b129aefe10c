#include "editor/pages/page_factory.h"

#include "editor/pages/caption_page.h"
#include "editor/window/editor_window.h"

namespace banmen {

PropertyPage* createPropertyPage(ObjectKind kind, EditorWindow& window, QWidget* parent) {
    return new CaptionPage(kind, window.document(), parent);
}

}  // namespace banmen
