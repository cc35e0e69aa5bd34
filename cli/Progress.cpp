// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Progress.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "base/PosixIo.h"
#include "base/TextFile.h"

namespace kelvane::cli {
namespace {

constexpr auto kFirstDelay = std::chrono::milliseconds(500);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::uint64_t kBarWidth = 30;
constexpr std::uint64_t kMiB = 1 << 20;

void writeToTerminal(std::string_view text) {
    try {
        writeAll(STDERR_FILENO, text);
    } catch (const FileError&) {
        // A failed write only loses a picture; the run goes on.
    }
}

// The bar's text for `done` of `total` bytes; a plain count when the total is not known.
std::string progressLine(std::string_view label, std::uint64_t done, std::uint64_t total) {
    std::string line(label);
    if (total == 0) return line + "  " + std::to_string(done / kMiB) + " MiB read";
    done = std::min(done, total);
    const std::uint64_t filled = done * kBarWidth / total;
    line += " [";
    line.append(filled, '#');
    line.append(kBarWidth - filled, ' ');
    line += "] " + std::to_string(done * 100 / total) + "%";
    return line;
}

}  // namespace

Progress::Progress(std::string label, std::uint64_t total)
    : label_(std::move(label)),
      total_(total),
      enabled_(::isatty(STDERR_FILENO) == 1),
      nextDraw_(Clock::now() + kFirstDelay) {}

void Progress::update(std::uint64_t done) {
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    if (now < nextDraw_) return;
    nextDraw_ = now + kRedrawInterval;
    writeToTerminal("\r\033[K" + progressLine(label_, done, total_));
    shown_ = true;
}

void Progress::clear() {
    if (!shown_) return;
    writeToTerminal("\r\033[K");
    shown_ = false;
}

}  // namespace kelvane::cli
