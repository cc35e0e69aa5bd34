// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kelvane {

// The undo history of the number list: a line of whole-list snapshots, each with what went with
// it on screen, and a place in that line, the step the list stands at now. Whole snapshots rather
// than edits, because every operation may rewrite every line; a step costs the list's
// size (bench/README.md).
//
// Guarantees: the bytes handed back are the bytes recorded, shared, never copied. The snapshots
// hold at most `limitBytes` in all; past that the oldest steps go, first to last, but never the
// step the list stands at, which alone may be larger. Every change is all or nothing: when
// recording throws, for want of memory, the history is as it was.
class ListHistory {
  public:
    // What goes with a list: the region it was read under as telephone numbers (empty when it
    // was not), and the window's caption and summary (`Label4`) that told its counts.
    struct Context {
        std::string region, caption, summary;
    };
    struct Step {
        std::shared_ptr<const std::string> text;
        Context context;
    };

    static constexpr std::size_t kDefaultLimit = std::size_t{200} << 20;

    // One step, the list as it stands, with nothing to undo or redo.
    explicit ListHistory(std::string text = {}, Context context = {},
                         std::size_t limitBytes = kDefaultLimit);

    // Makes the list as given the step after the current one, forgetting every step that could
    // have been redone. When the list and its region are the current step's, it records nothing
    // and returns false; the current step then takes the caption and summary given.
    bool record(std::string text, Context context);

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // The steps an undo and a redo go to; ask only when possible.
    const Step& before() const { return steps_[current_ - 1]; }
    const Step& after() const { return steps_[current_ + 1]; }
    // Moves one step back or forward; only when possible.
    void undo() noexcept { --current_; }
    void redo() noexcept { ++current_; }
    const Step& current() const { return steps_[current_]; }

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t bytes() const { return bytes_; }

  private:
    void dropOldest() noexcept;

    std::vector<Step> steps_;
    std::size_t current_ = 0;
    std::size_t bytes_ = 0;
    std::size_t limit_;
};

}  // namespace kelvane
