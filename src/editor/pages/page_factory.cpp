#include "editor/pages/page_factory.h"

#include "editor/pages/table_page.h"

namespace banmen {

PropertyPage* createPropertyPage(ObjectKind kind, EditorWindow& window, QWidget* parent) {
    return new TablePage(kind, window, parent);
}

}  // namespace banmen
