#pragma once
// The editor's undo history: a line of record states, each step stored as
// the packed XOR of the record before and after it. XOR-ing a step into
// either state gives the other, so one stored value serves undo and redo,
// and a step that touched one field packs to a few dozen bytes whatever
// the size of the record.
//
// The history keeps a copy of the state at its current position (the
// baseline). `commit` compares the live record with it; the caller makes
// every change through the document, so the live record differs from the
// baseline only between a change and its commit.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/selection.h"
#include "model/game_record.h"

namespace banmen {

class UndoHistory {
  public:
    static constexpr std::size_t kDefaultMaxSteps = 1000;
    // Packed steps beyond this drop the oldest (a full record's worst step
    // packs to about 300 KB, so this still holds well over a hundred).
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{48} << 20;

    explicit UndoHistory(std::size_t maxSteps = kDefaultMaxSteps,
                         std::size_t maxBytes = kDefaultMaxBytes);
    ~UndoHistory();

    // Starts again from `record`, dropping every step.
    void reset(const GameRecord& record);

    // The change from the baseline to `record` as one step, or nothing when
    // they are equal (false). Drops the steps that could be redone. With a
    // non-empty merge key equal to the newest step's, and no seal since, the
    // change joins that step. `before` and `after` are the selections to
    // restore on undo and redo.
    bool commit(const GameRecord& record, const std::string& caption, const std::string& mergeKey,
                Selection before, Selection after);

    // A boundary no later change merges across (a save, another field).
    void seal() { sealed_ = true; }

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The caption of the step an undo or redo would take back or make again.
    const std::string& undoCaption() const;
    const std::string& redoCaption() const;

    // `record` must equal the baseline. Turns it into the state before (undo)
    // or after (redo) the step and gives the selection to restore; false when
    // there is no step or the stored step cannot be read.
    bool undo(GameRecord& record, Selection& selection);
    bool redo(GameRecord& record, Selection& selection);

    // The state at the current position: the record as the last commit,
    // undo or redo left it.
    const GameRecord& baseline() const { return *baseline_; }

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t position() const { return position_; }
    // Bytes held by the steps (their packed data and captions).
    std::size_t memoryBytes() const;

  private:
    struct Step {
        std::vector<std::uint8_t> packed;  // the XOR of before and after
        std::string caption;
        std::string mergeKey;
        Selection before;
        Selection after;
    };

    bool apply(const Step& step, GameRecord& record);
    void trim();

    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::unique_ptr<GameRecord> baseline_;
    std::vector<Step> steps_;
    std::size_t position_ = 0;
    std::size_t bytes_ = 0;
    bool sealed_ = true;
};

}  // namespace banmen
