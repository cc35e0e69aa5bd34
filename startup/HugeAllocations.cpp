// SPDX-License-Identifier: GPL-3.0-or-later
// The program's allocation function: the standard one, except that a large block starts on a
// huge-page boundary and its whole huge pages are backed as such. The number list's editor takes
// its text in one block and writes it whole at once, and in 4 KiB pages those first writes cost a
// page fault each 4 KiB, several times the time of the writes on a virtual machine (figures in
// bench/README.md). The blocks are freed by the standard deallocation function, as any other.
#include <stdlib.h>

#include <cstdlib>
#include <new>

#include "base/HugePages.h"

namespace {

void* allocate(std::size_t size) {
    if (size < kelvane::kHugePage) return std::malloc(size == 0 ? 1 : size);
    // Its last, partial huge page stays in small pages, so the block takes no more memory.
    void* block = nullptr;
    if (::posix_memalign(&block, kelvane::kHugePage, size) != 0) return nullptr;
    kelvane::adviseHugePages(block, size);
    return block;
}

}  // namespace

void* operator new(std::size_t size) {
    for (;;) {
        if (void* block = allocate(size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}
