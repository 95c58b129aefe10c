#pragma once
// The editor's RecordOwner: forwards the record's change notifications to one
// sink (the document), which turns them into its `changed` signal.

#include <functional>

#include "editor/document/document_change.h"
#include "model/record_owner.h"

namespace banmen {

class EditorRecordOwner final : public RecordOwner {
  public:
    using Sink = std::function<void(const DocumentChange&)>;

    explicit EditorRecordOwner(Sink sink) : sink_(std::move(sink)) {}

  protected:
    void FieldChanged(const FieldDescriptor& field) override;
    void FieldRedraw(const FieldDescriptor& field) override;
    void RecordReplaced() override;
    void RouteRedraw() override;

  private:
    Sink sink_;
};

}  // namespace banmen
