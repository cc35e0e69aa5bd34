// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace kelvane::cli {

// A progress bar on standard error for a long run; shown only when standard error is a terminal,
// and only once the run has taken a moment, so short runs and scripts see nothing.
class Progress {
  public:
    // `total` is the number of bytes to read, or 0 when not known in advance.
    Progress(std::string label, std::uint64_t total);
    ~Progress() { clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(std::uint64_t done);
    // Removes the bar, so that other output starts on a clean line.
    void clear();

  private:
    using Clock = std::chrono::steady_clock;

    std::string label_;
    std::uint64_t total_;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point nextDraw_;
};

}  // namespace kelvane::cli
