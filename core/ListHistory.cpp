// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ListHistory.h"

namespace kelvane {

ListHistory::ListHistory(std::string text, std::string region, std::size_t limitBytes)
    : limit_(limitBytes) {
    bytes_ = text.size();
    steps_.push_back({std::make_shared<const std::string>(std::move(text)), std::move(region)});
}

bool ListHistory::record(std::string text, std::string region) {
    const Step& now = current();
    if (now.region == region && *now.text == text) return false;
    for (std::size_t later = current_ + 1; later < steps_.size(); ++later)
        bytes_ -= steps_[later].text->size();
    steps_.resize(current_ + 1);
    bytes_ += text.size();
    steps_.push_back({std::make_shared<const std::string>(std::move(text)), std::move(region)});
    current_ = steps_.size() - 1;
    dropOldest();
    return true;
}

void ListHistory::dropOldest() {
    std::size_t dropped = 0;
    while (bytes_ > limit_ && dropped < current_) bytes_ -= steps_[dropped++].text->size();
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
    current_ -= dropped;
}

}  // namespace kelvane
