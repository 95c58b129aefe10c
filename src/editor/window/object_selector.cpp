#include "editor/window/object_selector.h"

#include <QSignalBlocker>

namespace banmen {

ObjectSelector::ObjectSelector(QWidget* parent) : QComboBox(parent) {
    setObjectName("objectSelector");
    setFixedWidth(kWidth);
    // Up to 530 entries: the list scrolls instead of covering the screen.
    setMaxVisibleItems(30);
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (!filling_ && row >= 0 && static_cast<std::size_t>(row) < entries_.size()) {
            const CaptionEntry& entry = entries_[static_cast<std::size_t>(row)];
            emit chosen(entry.object, entry.caption);
        }
    });
}

void ObjectSelector::fill(const GameRecord& record) {
    std::vector<CaptionEntry> entries = allObjectCaptions(record);
    const QString shown = currentText();
    const QSignalBlocker blocker(this);
    filling_ = true;
    bool same = entries.size() == entries_.size();
    for (std::size_t i = 0; same && i < entries.size(); ++i) {
        same = entries[i].caption == entries_[i].caption;
    }
    if (!same) {
        clear();
        QStringList captions;
        captions.reserve(static_cast<qsizetype>(entries.size()));
        for (const CaptionEntry& entry : entries) {
            captions.push_back(entry.caption);
        }
        addItems(captions);
        entries_ = std::move(entries);
        setCurrentIndex(findText(shown, Qt::MatchExactly));
    }
    filling_ = false;
}

bool ObjectSelector::showCaption(const QString& caption) {
    const int row = findText(caption, Qt::MatchExactly);
    const QSignalBlocker blocker(this);
    setCurrentIndex(row);
    return row >= 0;
}

}  // namespace banmen
