#pragma once
// Makes the property page of each object kind.

#include "editor/pages/property_page.h"

namespace banmen {

class EditorWindow;

PropertyPage* createPropertyPage(ObjectKind kind, EditorWindow& window, QWidget* parent);

}  // namespace banmen
