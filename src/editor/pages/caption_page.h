#pragma once
// A page that shows only its object's caption: what a kind shows until it
// has a page of its own.

#include <QLabel>

#include "editor/pages/property_page.h"

namespace banmen {

class EditorDocument;

class CaptionPage : public PropertyPage {
    Q_OBJECT

  public:
    CaptionPage(ObjectKind kind, const EditorDocument& document, QWidget* parent);
    void load(int index) override;

  private:
    const EditorDocument& document_;
    QLabel* caption_;
};

}  // namespace banmen
