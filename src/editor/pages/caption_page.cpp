#include "editor/pages/caption_page.h"

#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"

namespace banmen {

CaptionPage::CaptionPage(ObjectKind kind, const EditorDocument& document, QWidget* parent)
    : PropertyPage(kind, parent), document_(document), caption_(new QLabel(this)) {
    caption_->setGeometry(4, 4, kWidth - 8, 40);
    caption_->setWordWrap(true);
}

void CaptionPage::load(int index) {
    PropertyPage::load(index);
    caption_->setText(objectCaption(document_.record(), {kind(), index}));
}

}  // namespace banmen
