// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ListHistory.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace kelvane {

// Steps move without allocating, so that once a new step is made and room for it is there,
// nothing left in a change can fail.
static_assert(std::is_nothrow_move_constructible_v<ListHistory::Step> &&
              std::is_nothrow_move_assignable_v<ListHistory::Step>);

ListHistory::ListHistory(std::string text, Context context, std::size_t limitBytes)
    : limit_(limitBytes) {
    bytes_ = text.size();
    steps_.push_back({std::make_shared<const std::string>(std::move(text)), std::move(context)});
}

bool ListHistory::record(std::string text, Context context) {
    Step& now = steps_[current_];
    if (now.context.region == context.region && *now.text == text) {
        now.context.caption.swap(context.caption);
        now.context.summary.swap(context.summary);
        return false;
    }
    // What may fail first: the new step, and room for it after the current one.
    Step step{std::make_shared<const std::string>(std::move(text)), std::move(context)};
    if (steps_.capacity() < current_ + 2) steps_.reserve(std::max(current_ + 2, 2 * current_));
    for (std::size_t later = current_ + 1; later < steps_.size(); ++later)
        bytes_ -= steps_[later].text->size();
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, steps_.end());
    bytes_ += step.text->size();
    steps_.push_back(std::move(step));
    current_ = steps_.size() - 1;
    dropOldest();
    return true;
}

void ListHistory::dropOldest() noexcept {
    std::size_t dropped = 0;
    while (bytes_ > limit_ && dropped < current_) bytes_ -= steps_[dropped++].text->size();
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
    current_ -= dropped;
}

}  // namespace kelvane
