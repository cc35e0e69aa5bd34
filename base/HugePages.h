// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

namespace kelvane {

inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Asks the kernel to back the whole 2 MiB pages inside [data, data + bytes) with huge pages.
// Meant for a large buffer that is allocated but not yet written: its first touch then costs a
// fault per 2 MiB instead of one per 4 KiB. On a virtual machine those faults dominate filling
// fresh memory (bench/README.md has the figures). Where the kernel keeps no huge pages nothing
// changes.
inline void adviseHugePages(const void* data, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace kelvane
