// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kelvane {

// The undo history of the number list: a line of whole-list snapshots, each with the region the
// list was read under as telephone numbers (empty when it was not), and a place in that line, the
// step the list stands at now. Whole snapshots rather than edits, because every operation may
// rewrite every line; a million-number list is some 15 MB a step.
//
// Guarantees: the bytes handed back are the bytes recorded, shared, never copied. The snapshots
// hold at most `limitBytes` in all; past that the oldest steps go, first to last, but never the
// step the list stands at, which alone may be larger.
class ListHistory {
  public:
    struct Step {
        std::shared_ptr<const std::string> text;
        std::string region;
    };

    static constexpr std::size_t kDefaultLimit = std::size_t{200} << 20;

    // One step, the list as it stands, with nothing to undo or redo.
    explicit ListHistory(std::string text = {}, std::string region = {},
                         std::size_t limitBytes = kDefaultLimit);

    // Makes the list as given the step after the current one, forgetting every step that could
    // have been redone. Returns false, recording nothing, when it equals the current step.
    bool record(std::string text, std::string region);

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // Moves one step back or forward and returns the step now current; call only when possible.
    const Step& undo() { return steps_.at(--current_); }
    const Step& redo() { return steps_.at(++current_); }
    const Step& current() const { return steps_[current_]; }

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t bytes() const { return bytes_; }

  private:
    void dropOldest();

    std::vector<Step> steps_;
    std::size_t current_ = 0;
    std::size_t bytes_ = 0;
    std::size_t limit_;
};

}  // namespace kelvane
