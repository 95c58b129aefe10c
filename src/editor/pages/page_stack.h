#pragma once
// The seven property pages, one per object kind, stacked at one place; only
// the selected object's page is visible. The window reads and shows pages
// through here.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "editor/document/selection.h"
#include "editor/pages/property_page.h"

namespace banmen {

class PageStack : public QWidget {
    Q_OBJECT

  public:
    using Factory = std::function<PropertyPage*(ObjectKind kind, QWidget* parent)>;

    // Pages are made with the factory when first asked for (the window
    // starts sooner: the square page alone has over forty rows); the stack
    // owns them.
    PageStack(Factory factory, QWidget* parent);

    PropertyPage* page(ObjectKind kind) const;
    // The visible page, or null.
    PropertyPage* visiblePage() const;

    // Loads the object into its kind's page and shows only that page.
    void showObject(Selection object);
    void hideAll();
    // The visible page's controls into the record; false when it refused.
    bool readPages();
    // The visible page again from the record (it changed underneath).
    void reloadVisible();

  private:
    Factory factory_;
    mutable std::array<PropertyPage*, 8> pages_{};  // by ObjectKind number; made on use
};

}  // namespace banmen
