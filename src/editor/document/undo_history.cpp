#include "editor/document/undo_history.h"

#include <algorithm>
#include <cstring>

namespace banmen {
namespace {

constexpr std::size_t kWord = sizeof(std::uint64_t);
static_assert(kGameRecordSize % kWord == 0);
constexpr std::size_t kWords = kGameRecordSize / kWord;

// A step's stored form: the XOR's runs of non-zero words, each as its first
// word index and word count (two little-endian 32-bit numbers) followed by
// its words. Runs closer than this many zero words are joined, so a field
// edit is one run.
constexpr std::size_t kJoinGap = 4;

std::uint64_t wordAt(const std::uint8_t* bytes, std::size_t word) {
    std::uint64_t value;
    std::memcpy(&value, bytes + word * kWord, kWord);
    return value;
}

void append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t read32(const std::uint8_t* in) {
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

const std::uint8_t* bytesOf(const GameRecord& record) {
    return reinterpret_cast<const std::uint8_t*>(&record);
}

// The runs of non-zero words of a and b's XOR; empty when they are equal.
std::vector<std::uint8_t> encodeDifference(const GameRecord& a, const GameRecord& b) {
    const std::uint8_t* pa = bytesOf(a);
    const std::uint8_t* pb = bytesOf(b);
    std::vector<std::uint8_t> out;
    std::size_t word = 0;
    while (word < kWords) {
        if (wordAt(pa, word) == wordAt(pb, word)) {
            ++word;
            continue;
        }
        const std::size_t first = word;
        std::size_t last = word;  // the last differing word of the run
        for (std::size_t next = word + 1; next < kWords && next <= last + kJoinGap; ++next) {
            if (wordAt(pa, next) != wordAt(pb, next)) {
                last = next;
            }
        }
        append32(out, static_cast<std::uint32_t>(first));
        append32(out, static_cast<std::uint32_t>(last - first + 1));
        for (std::size_t w = first; w <= last; ++w) {
            append32(out, 0);  // room for the word, filled below
            append32(out, 0);
            const std::uint64_t x = wordAt(pa, w) ^ wordAt(pb, w);
            std::memcpy(out.data() + out.size() - kWord, &x, kWord);
        }
        word = last + 1;
    }
    return out;
}

// XORs the stored runs into the record; false (the record untouched) when
// the runs do not fit it.
bool applyDifference(const std::vector<std::uint8_t>& runs, GameRecord& record) {
    for (std::size_t at = 0; at < runs.size();) {  // check everything first
        if (runs.size() - at < 8) {
            return false;
        }
        const std::size_t first = read32(runs.data() + at);
        const std::size_t count = read32(runs.data() + at + 4);
        at += 8;
        if (first >= kWords || count > kWords - first || (runs.size() - at) / kWord < count) {
            return false;
        }
        at += count * kWord;
    }
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t at = 0; at < runs.size();) {
        const std::size_t first = read32(runs.data() + at);
        const std::size_t count = read32(runs.data() + at + 4);
        at += 8;
        for (std::size_t w = 0; w < count; ++w, at += kWord) {
            std::uint64_t x;
            std::memcpy(&x, runs.data() + at, kWord);
            const std::uint64_t value = wordAt(bytes, first + w) ^ x;
            std::memcpy(bytes + (first + w) * kWord, &value, kWord);
        }
    }
    return true;
}

const std::string kNoCaption;

}  // namespace

UndoHistory::UndoHistory(std::size_t maxSteps, std::size_t maxBytes)
    : maxSteps_(std::max<std::size_t>(maxSteps, 1)),
      maxBytes_(maxBytes),
      baseline_(std::make_unique<GameRecord>()) {
    std::memset(baseline_.get(), 0, sizeof(GameRecord));
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::reset(const GameRecord& record) {
    *baseline_ = record;
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    sealed_ = true;
}

bool UndoHistory::commit(const GameRecord& record, const std::string& caption,
                         const std::string& mergeKey, Selection before, Selection after) {
    if (std::memcmp(&record, baseline_.get(), sizeof(GameRecord)) == 0) {
        return false;
    }
    // Redo steps go: they branch off a state that is no longer ahead.
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().packed.size() + steps_.back().caption.size();
        steps_.pop_back();
    }
    const bool merge =
        !sealed_ && !mergeKey.empty() && !steps_.empty() && steps_.back().mergeKey == mergeKey;
    if (merge) {
        // The joined step runs from the merged step's own before-state.
        Step& top = steps_.back();
        GameRecord& start = *baseline_;
        applyDifference(top.packed, start);
        bytes_ -= top.packed.size();
        top.packed = encodeDifference(start, record);
        bytes_ += top.packed.size();
        top.after = after;
        if (top.packed.empty()) {  // typed back to where it started
            bytes_ -= top.caption.size();
            steps_.pop_back();
            --position_;
        }
    } else {
        Step step{encodeDifference(*baseline_, record), caption, mergeKey, before, after};
        bytes_ += step.packed.size() + step.caption.size();
        steps_.push_back(std::move(step));
        ++position_;
    }
    *baseline_ = record;
    sealed_ = mergeKey.empty();
    trim();
    return true;
}

void UndoHistory::trim() {
    std::size_t drop = 0;
    std::size_t bytes = bytes_;
    while (drop + 1 < steps_.size() && (steps_.size() - drop > maxSteps_ || bytes > maxBytes_)) {
        bytes -= steps_[drop].packed.size() + steps_[drop].caption.size();
        ++drop;
    }
    if (drop > 0) {
        steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
        position_ -= std::min(position_, drop);
        bytes_ = bytes;
    }
}

const std::string& UndoHistory::undoCaption() const {
    return canUndo() ? steps_[position_ - 1].caption : kNoCaption;
}

const std::string& UndoHistory::redoCaption() const {
    return canRedo() ? steps_[position_].caption : kNoCaption;
}

bool UndoHistory::apply(const Step& step, GameRecord& record) {
    if (!applyDifference(step.packed, record)) {
        return false;
    }
    *baseline_ = record;
    sealed_ = true;
    return true;
}

bool UndoHistory::undo(GameRecord& record, Selection& selection) {
    if (!canUndo() || !apply(steps_[position_ - 1], record)) {
        return false;
    }
    --position_;
    selection = steps_[position_].before;
    return true;
}

bool UndoHistory::redo(GameRecord& record, Selection& selection) {
    if (!canRedo() || !apply(steps_[position_], record)) {
        return false;
    }
    selection = steps_[position_].after;
    ++position_;
    return true;
}

std::size_t UndoHistory::memoryBytes() const {
    return bytes_ + steps_.capacity() * sizeof(Step);
}

}  // namespace banmen
