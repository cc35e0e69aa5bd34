// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UpdatePacer.h"

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

void UpdatePacer::listFrom(std::shared_ptr<const std::string> source) {
    endRun();
    source_ = std::move(source);
}

void UpdatePacer::appendLine(std::string_view line) {
    if (followedByBreakInSource(line)) {
        if (pendingRun_.data() + pendingRun_.size() != line.data()) {
            endRun();
            pendingRun_ = std::string_view(line.data(), 0);
        }
        pendingRun_ = std::string_view(pendingRun_.data(), pendingRun_.size() + line.size() + 2);
        return;
    }
    endRun();
    pendingList_.append(line);
    pendingList_.append("\r\n");
    if (pendingList_.size() >= kListChunk) {
        controls_.appendListText(pendingList_);
        pendingList_.clear();
    }
}

bool UpdatePacer::followedByBreakInSource(std::string_view line) const {
    if (!source_) return false;
    const auto offset = reinterpret_cast<std::uintptr_t>(line.data()) -
                        reinterpret_cast<std::uintptr_t>(source_->data());
    const std::size_t size = source_->size();
    return offset <= size && line.size() + 2 <= size - offset &&
           std::string_view(*source_).substr(offset + line.size(), 2) == "\r\n";
}

void UpdatePacer::endRun() {
    if (pendingRun_.empty()) return;
    if (pendingList_.empty() && pendingRun_.size() >= kListChunk) {
        controls_.appendListText(pendingRun_);
    } else {
        pendingList_.append(pendingRun_);
        if (pendingList_.size() >= kListChunk) {
            controls_.appendListText(pendingList_);
            pendingList_.clear();
        }
    }
    pendingRun_ = {};
}

void UpdatePacer::setCaptionCount(std::int64_t count) {
    pendingCaption_ = count;
}

void UpdatePacer::yieldWhenDue(std::uint32_t units) {
    if (interval_.count() > 0) {
        unitsSinceClockCheck_ += units;
        if (unitsSinceClockCheck_ < kUnitsPerClockCheck) return;
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
    if (pendingList_.empty() && !pendingRun_.empty()) {
        controls_.appendListText(pendingRun_);
        pendingRun_ = {};
    }
    endRun();
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
