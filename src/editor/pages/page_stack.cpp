#include "editor/pages/page_stack.h"

#include "model/field_table.h"

namespace banmen {
namespace {

std::size_t slotOf(ObjectKind kind) {
    return static_cast<std::size_t>(toInt(kind));
}

}  // namespace

PageStack::PageStack(Factory factory, QWidget* parent)
    : QWidget(parent), factory_(std::move(factory)) {
    setObjectName("pageStack");
}

PropertyPage* PageStack::page(ObjectKind kind) const {
    PropertyPage*& page = pages_[slotOf(kind)];
    if (page == nullptr) {
        page = factory_(kind, const_cast<PageStack*>(this));
        page->setObjectName(QStringLiteral("page%1").arg(toInt(kind)));
        page->move(0, 0);
        page->hide();
    }
    return page;
}

PropertyPage* PageStack::visiblePage() const {
    for (PropertyPage* page : pages_) {
        if (page != nullptr && !page->isHidden()) {
            return page;
        }
    }
    return nullptr;
}

void PageStack::showObject(Selection object) {
    PropertyPage* target = page(object.kind);
    for (PropertyPage* page : pages_) {
        if (page != nullptr && page != target) {
            page->hide();
        }
    }
    if (target != nullptr) {
        target->resize(size());
        target->load(object.index);
        target->show();
    }
}

void PageStack::hideAll() {
    for (PropertyPage* page : pages_) {
        if (page != nullptr) {
            page->hide();
        }
    }
}

bool PageStack::readPages() {
    PropertyPage* page = visiblePage();
    return page == nullptr || page->readControls();
}

void PageStack::reloadVisible() {
    if (PropertyPage* page = visiblePage()) {
        page->load(page->index());
    }
}

}  // namespace banmen
