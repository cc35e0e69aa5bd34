// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/RegistryMatch.h"

#include <algorithm>

namespace kelvane::phone {

RegistryMatch::RegistryMatch(const std::string& region, unsigned threads)
    : rewrites_(region), reader_(region, NumberFormat::E164) {
    reader_.setThreads(threads);
}

std::uint64_t RegistryMatch::tailOf(std::uint64_t key) const {
    const std::size_t length = std::min(rewrites_.intactDigits(key), kLongestTail);
    if (length == 0) return 0;
    std::uint64_t scale = 1;
    for (std::size_t i = 0; i < length; ++i) scale *= 10;
    return key % scale * 32 + length;
}

RegistryMatch::Entry RegistryMatch::enterNumber(std::uint64_t key) {
    const auto [found, added] = numbers_.try_emplace(key, static_cast<Entry>(listed_.size()));
    if (!added) return found->second;
    listed_.push_back(false);
    const std::uint64_t tail = tailOf(key);
    if (tail == 0) {
        judgeEveryLine_ = true;
    } else {
        ++tails_[tail];
        tailLengths_ |= 1u << (tail % 32);
    }
    return found->second;
}

void RegistryMatch::markListed(std::uint64_t key, Entry entry) {
    if (listed_[entry]) return;
    listed_[entry] = true;
    const std::uint64_t tail = tailOf(key);
    if (tail == 0) return;
    const auto found = tails_.find(tail);
    if (--found->second == 0) tails_.erase(found);
}

RegistryMatch::Entry RegistryMatch::enterText(std::string_view line) {
    if (const auto found = texts_.find(line); found != texts_.end()) return found->second;
    const auto entry = static_cast<Entry>(listed_.size());
    texts_.emplace(textStore_.emplace_back(line), entry);
    listed_.push_back(false);
    return entry;
}

bool RegistryMatch::mayBeListed(std::string_view line) const {
    if (line.size() > kLongestLine) return true;
    char digits[kLongestLine];
    std::size_t count = 0;
    bool plus = false;
    for (const char c : line) {
        if (c >= '0' && c <= '9') {
            digits[count++] = c;
        } else if (c == '+') {
            if (plus || count > 0) return true;
            plus = true;
        } else if (c != ' ' && c != '-' && c != '.' && c != '(' && c != ')' && c != '/') {
            return true;
        }
    }
    if (judgeEveryLine_ || rewrites_.rewritesTwice(std::string_view(digits, count), plus))
        return true;
    std::uint64_t tail = 0, scale = 1;
    for (std::size_t length = 1; length <= std::min(count, kLongestTail); ++length) {
        tail += static_cast<std::uint64_t>(digits[count - length] - '0') * scale;
        scale *= 10;
        if ((tailLengths_ >> length & 1) && tails_.contains(tail * 32 + length)) return true;
    }
    return false;
}

void RegistryMatch::scan(std::span<const std::string_view> lines) {
    toJudge_.clear();
    for (const std::string_view line : lines) {
        if (!texts_.empty()) {
            if (const auto found = texts_.find(line); found != texts_.end()) {
                listed_[found->second] = true;
                continue;
            }
        }
        if (mayBeListed(line)) toJudge_.push_back(line);
    }
    if (toJudge_.empty()) return;
    reader_.readAhead(toJudge_);
    for (const std::string_view line : toJudge_) {
        const NumberVerdict& verdict = reader_.read(line);
        if (!verdict.valid) continue;
        const std::uint64_t key = numberKey(verdict.text);
        if (const auto found = numbers_.find(key); found != numbers_.end())
            markListed(key, found->second);
    }
}

}  // namespace kelvane::phone
