// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/Controls.h"
#include "core/OperationFailure.h"

namespace kelvane {

// Batches what an operation shows while it runs. Lines for the list, the latest caption and
// progress steps are held back and handed to the controls together, at most once per interval,
// just before the operation yields to the window; so a million lines cost a few hundred control
// updates instead of a million. flush() shows everything held back, as before a message box.
class UpdatePacer {
  public:
    UpdatePacer(Controls& controls, std::chrono::nanoseconds interval, const bool& cancelRequested);

    // The lines for the list come from `source`: where they already stand there followed by
    // CR LF, as in most list files, the list takes them from there instead of from a copy.
    void listFrom(std::shared_ptr<const std::string> source);
    void appendLine(std::string_view line);  // the line and CR LF, to the list text
    void setCaptionCount(std::int64_t count);
    void advanceProgress() { ++pendingSteps_; }

    // One unit of work done (or `units`). When the interval has passed: flush, yield, and stop
    // by throwing OperationCancelled if the window asked for it.
    void yieldWhenDue(std::uint32_t units = 1);
    void flush();

  private:
    Controls& controls_;
    std::chrono::nanoseconds interval_;
    const bool& cancelRequested_;
    std::chrono::steady_clock::time_point lastYield_;
    std::uint32_t unitsSinceClockCheck_ = 0;

    bool followedByBreakInSource(std::string_view line) const;
    // Moves the held-back run of the source into the held-back copy.
    void endRun();

    std::shared_ptr<const std::string> source_;
    // The list text held back: pendingList_, then pendingRun_, which lies in source_.
    std::string pendingList_;
    std::string_view pendingRun_;
    std::optional<std::int64_t> pendingCaption_;
    std::uint64_t pendingSteps_ = 0;
};

}  // namespace kelvane
