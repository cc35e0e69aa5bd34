// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdatePacer.h"

namespace kelvane {
namespace {

// Appending to the list in pieces of this size keeps the held-back copy small.
constexpr std::size_t kListChunk = 1 << 20;
// Reading the clock costs more than a unit of work; look at it every so many units.
constexpr std::uint32_t kUnitsPerClockCheck = 64;

}  // namespace

UpdatePacer::UpdatePacer(Controls& controls, std::chrono::nanoseconds interval,
                         const bool& cancelRequested)
    : controls_(controls),
      interval_(interval),
      cancelRequested_(cancelRequested),
      lastYield_(std::chrono::steady_clock::now()) {}

void UpdatePacer::appendLine(std::string_view line) {
    pendingList_.append(line);
    pendingList_.append("\r\n");
    if (pendingList_.size() >= kListChunk) {
        controls_.appendListText(pendingList_);
        pendingList_.clear();
    }
}

void UpdatePacer::setCaptionCount(std::int64_t count) {
    pendingCaption_ = count;
}

void UpdatePacer::yieldWhenDue() {
    if (interval_.count() > 0) {
        if (++unitsSinceClockCheck_ < kUnitsPerClockCheck) return;
        unitsSinceClockCheck_ = 0;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastYield_ < interval_) return;
    }
    flush();
    controls_.yieldToEvents();
    lastYield_ = std::chrono::steady_clock::now();
    if (cancelRequested_) throw OperationCancelled{};
}

void UpdatePacer::flush() {
    if (!pendingList_.empty()) {
        controls_.appendListText(pendingList_);
        pendingList_.clear();
    }
    if (pendingSteps_ > 0) {
        controls_.advanceProgress(pendingSteps_);
        pendingSteps_ = 0;
    }
    if (pendingCaption_) {
        controls_.setFormCaption(std::to_string(*pendingCaption_));
        pendingCaption_.reset();
    }
}

}  // namespace kelvane
