// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeControls.h"

#include <stdexcept>

namespace kelvane::testing {

std::vector<std::string> FakeControls::logged(std::string_view kind) const {
    std::vector<std::string> entries;
    for (const std::string& entry : log) {
        if (entry.starts_with(kind)) entries.push_back(entry.substr(kind.size()));
    }
    return entries;
}

void FakeControls::advanceProgress(std::uint64_t steps) {
    progressValue += steps;
    if (progressValue > progressMaximum) throw std::logic_error("progress beyond its maximum");
}

MessageAnswer FakeControls::messageBox(std::string_view text, MessageButtons buttons,
                                       std::string_view title) {
    const char* shown = buttons == MessageButtons::Ok ? " | OK | " : " | OK Cancel | ";
    note("message: ", std::string(title).append(shown).append(text));
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeControls::yieldToEvents() {
    ++yields;
    if (onYield) onYield();
}

}  // namespace kelvane::testing
