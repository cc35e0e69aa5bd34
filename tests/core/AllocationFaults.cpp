// SPDX-License-Identifier: GPL-3.0-or-later
// The test program's allocation functions: malloc and free, counted, with one chosen allocation
// failing. The whole family is replaced, so that every block is freed as it was allocated, under
// the sanitizers too.
#include "AllocationFaults.h"

#include <execinfo.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

enum class Mode { Off, Survey, Fail };

// All per thread: only the calling thread's allocations count.
thread_local Mode mode = Mode::Off;
thread_local std::uint64_t counted = 0;  // allocations since the run began
thread_local std::uint64_t failAt = 0;   // the one to fail, counting from 1
thread_local bool failed = false;
thread_local bool inside = false;               // the allocator's own work allocates too
thread_local std::vector<std::uint64_t>* ours;  // Survey: the allocations that are not the engine's

// Whether the allocation under way is the telephone-number engine's: one of abseil's hash tables
// grows, or the nearest function of ours on the stack is one of kelvane::phone.
bool isTheEnginesOwn() {
    void* frames[64];
    const int depth = ::backtrace(frames, 64);
    char** names = ::backtrace_symbols(frames, depth);
    bool engine = false;
    for (int i = 0; names && i < depth; ++i) {
        const char* name = std::strchr(names[i], '(');
        if (!name) continue;
        if (std::strstr(name, "raw_hash_set")) {
            engine = true;
            break;
        }
        const char* kelvane = std::strstr(name, "7kelvane");
        if (!kelvane || kelvane - name > 5) continue;  // not a function of ours
        if (std::strncmp(kelvane + 8, "7testing", 8) == 0) continue;
        engine = std::strncmp(kelvane + 8, "5phone", 6) == 0;
        break;
    }
    std::free(names);
    return engine;
}

void* allocate(std::size_t size) {
    if (mode != Mode::Off && !inside) {
        inside = true;
        ++counted;
        bool fail = false;
        if (mode == Mode::Survey && !isTheEnginesOwn()) ours->push_back(counted);
        if (mode == Mode::Fail && counted == failAt) fail = failed = !isTheEnginesOwn();
        inside = false;
        if (fail) throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace kelvane::testing {

int failEachAllocationInTurn(const std::function<void()>& setUp, const std::function<void()>& run,
                             const std::function<void(bool failed)>& check) {
    // A run with none failing first tells which allocations to fail: each run makes the same
    // ones, in the same order, up to the one that fails.
    std::vector<std::uint64_t> candidates;
    setUp();
    ours = &candidates;
    counted = 0;
    mode = Mode::Survey;
    run();
    mode = Mode::Off;
    check(false);
    int failures = 0;
    for (const std::uint64_t nth : candidates) {
        setUp();
        counted = 0;
        failAt = nth;
        failed = false;
        mode = Mode::Fail;
        run();
        mode = Mode::Off;
        check(failed);
        failures += failed ? 1 : 0;
    }
    return failures;
}

}  // namespace kelvane::testing
