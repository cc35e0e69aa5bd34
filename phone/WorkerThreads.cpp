// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/WorkerThreads.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kelvane::phone {
namespace {

// Iterations taken at a time: a judged line costs the library some microseconds (make bench,
// section phone), so a share is long beside one touch of the shared counter.
constexpr std::size_t kShare = 16;

}  // namespace

unsigned machineThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

WorkerThreads::WorkerThreads(unsigned count) : count_(std::max(1u, count)) {}

WorkerThreads::~WorkerThreads() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void WorkerThreads::startWorkers() {
    started_ = true;
    workers_.reserve(count_ - 1);
    try {
        while (workers_.size() + 1 < count_) workers_.emplace_back([this] { serve(); });
    } catch (const std::system_error&) {
        // No room for another stack: the threads started share the work.
    }
}

void WorkerThreads::forEach(std::size_t size, const std::function<void(std::size_t)>& work) {
    if (!started_) startWorkers();
    if (workers_.empty()) {
        for (std::size_t i = 0; i < size; ++i) work(i);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        work_ = &work;
        size_ = size;
        next_.store(0, std::memory_order_relaxed);
        busy_ = workers_.size();
        ++loops_;
    }
    wake_.notify_all();
    takeShare();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    work_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void WorkerThreads::takeShare() {
    for (;;) {
        const std::size_t first = next_.fetch_add(kShare, std::memory_order_relaxed);
        if (first >= size_) return;
        try {
            for (std::size_t i = first; i < std::min(first + kShare, size_); ++i) (*work_)(i);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!failure_) failure_ = std::current_exception();
            next_.store(size_, std::memory_order_relaxed);
            return;
        }
    }
}

void WorkerThreads::serve() {
    std::uint64_t served = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || loops_ != served; });
            if (stopping_) return;
            served = loops_;
        }
        takeShare();
        const std::lock_guard lock(mutex_);
        if (--busy_ == 0) done_.notify_one();
    }
}

}  // namespace kelvane::phone
