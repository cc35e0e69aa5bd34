// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kelvane::phone {

// The threads judging may use: as many as the machine has, at least one.
unsigned machineThreads();

// Runs the iterations of a loop on several threads: the caller's, and workers started at the
// first loop and waiting between loops, so that a block of a few thousand lines does not pay for
// starting threads. Iterations are handed out a few at a time, so a thread that draws slow ones
// does not hold the others up. One loop at a time, from one thread.
class WorkerThreads {
  public:
    // `count`: the threads a loop may use, the caller's included.
    explicit WorkerThreads(unsigned count);
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Calls work(i) for each i below `size` and returns once every call has returned. When a
    // call throws, the iterations not yet begun are skipped and the first exception is thrown
    // here. A worker that cannot be started (no memory for its stack) leaves its share to the
    // threads that could.
    void forEach(std::size_t size, const std::function<void(std::size_t)>& work);

  private:
    void startWorkers();
    void serve();      // a worker's life
    void takeShare();  // runs iterations until none is left

    unsigned count_;
    bool started_ = false;
    std::vector<std::thread> workers_;

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::uint64_t loops_ = 0;  // begun so far
    std::size_t busy_ = 0;     // workers not through the current loop
    bool stopping_ = false;
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::size_t size_ = 0;
    std::atomic<std::size_t> next_{0};
    std::exception_ptr failure_;
};

}  // namespace kelvane::phone
