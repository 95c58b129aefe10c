#pragma once
// The object selector (control 1000): a drop-down list of every object's
// caption in the editor's order. Choosing an entry emits `chosen` with the
// object; filling and selecting from code emit nothing.

#include <QComboBox>
#include <vector>

#include "editor/document/object_captions.h"

namespace banmen {

class ObjectSelector : public QComboBox {
    Q_OBJECT

  public:
    static constexpr int kWidth = 180;

    explicit ObjectSelector(QWidget* parent = nullptr);

    // Clears the list and adds every object of the record.
    void fill(const GameRecord& record);
    // Shows the entry of this caption; false (and nothing shown) when the
    // list has none.
    bool showCaption(const QString& caption);
    const std::vector<CaptionEntry>& entries() const { return entries_; }

  signals:
    void chosen(banmen::Selection object, const QString& caption);

  private:
    std::vector<CaptionEntry> entries_;
    bool filling_ = false;
};

}  // namespace banmen
