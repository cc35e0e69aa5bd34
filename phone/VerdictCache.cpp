// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/VerdictCache.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "base/LineSet.h"

namespace kelvane::phone {
namespace {

constexpr std::size_t kAlignment = 8;

constexpr std::size_t aligned(std::size_t size) {
    return (size + kAlignment - 1) & ~(kAlignment - 1);
}

}  // namespace

VerdictCache::VerdictCache(std::size_t bytes) : seed_(processHashSeed()), bytes_(bytes) {
    // A quarter for the index, in a power of two of sets; the rest for the ring.
    const std::size_t sets = std::bit_floor(std::max<std::size_t>(bytes / 4 / 64, 1));
    const std::size_t indexBytes = sets * kWays * sizeof(std::uint64_t);
    ringBytes_ = aligned(bytes > indexBytes * 2 ? bytes - indexBytes : indexBytes);
    // The ring ends where a page begins that may not be touched: a record written past its end
    // stops the program there, instead of writing over whatever lies beyond.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    ringBytes_ = (indexBytes + ringBytes_ + page - 1) / page * page - indexBytes;
    bytes_ = indexBytes + ringBytes_ + page;
    memory_ = ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory_ == MAP_FAILED) throw std::bad_alloc();
    if (::mprotect(static_cast<char*>(memory_) + bytes_ - page, page, PROT_NONE) != 0) {
        ::munmap(memory_, bytes_);
        throw std::bad_alloc();
    }
    // Sets are reached at random: huge pages spare most address-translation misses.
    ::madvise(memory_, indexBytes, MADV_HUGEPAGE);
    index_ = static_cast<std::uint64_t*>(memory_);
    setShift_ = 64 - static_cast<unsigned>(std::countr_zero(sets));
    ring_ = static_cast<char*>(memory_) + indexBytes;
}

VerdictCache::~VerdictCache() {
    ::munmap(memory_, bytes_);
}

VerdictCache::Verdict VerdictCache::verdictOf(const char* record) {
    Header header;
    std::memcpy(&header, record, sizeof header);
    return {header.valid != 0, static_cast<NumberType>(header.type),
            std::string_view(record + sizeof header + header.keySize, header.textSize)};
}

const char* VerdictCache::recordOf(std::uint64_t slot, std::uint64_t hash,
                                   std::string_view key) const {
    if (slot == 0 || (slot & kTagMask) != (hash & kTagMask)) return nullptr;
    const std::uint64_t position = ((slot >> kTagBits) - 1) * kAlignment;
    if (position + ringBytes_ < head_) return nullptr;  // written over since
    const char* record = ring_ + position % ringBytes_;
    std::uint32_t keySize;
    std::memcpy(&keySize, record, sizeof keySize);
    return std::string_view(record + sizeof(Header), keySize) == key ? record : nullptr;
}

std::optional<VerdictCache::Verdict> VerdictCache::find(std::string_view key) const {
    const std::uint64_t hash = hashLine(key, seed_);
    const std::uint64_t* set = setOf(hash);
    for (std::size_t way = 0; way < kWays; ++way) {
        if (const char* record = recordOf(set[way], hash, key)) return verdictOf(record);
    }
    return std::nullopt;
}

VerdictCache::Verdict VerdictCache::put(std::string_view key, const Verdict& verdict) {
    const std::uint64_t hash = hashLine(key, seed_);
    std::uint64_t* set = setOf(hash);
    // The key's old slot, else the set's oldest (an empty slot, 0, is older than any).
    std::size_t taken = 0;
    bool kept = false;
    for (std::size_t way = 0; way < kWays && !kept; ++way) {
        kept = recordOf(set[way], hash, key) != nullptr;
        if (kept || (set[way] >> kTagBits) < (set[taken] >> kTagBits)) taken = way;
    }
    const std::size_t size = aligned(sizeof(Header) + key.size() + verdict.text.size());
    if (size > ringBytes_ / 16 || verdict.text.size() > UINT16_MAX) {
        if (kept) set[taken] = 0;
        return verdict;
    }
    // A record never wraps around the ring's end: it starts over at the front.
    const std::size_t offset = head_ % ringBytes_;
    if (offset + size > ringBytes_) head_ += ringBytes_ - offset;
    if ((head_ + size) / kAlignment >= kUnitLimit - 1) {
        // Some 8 TiB of records later, a slot could no longer say where its record is.
        std::memset(index_, 0, static_cast<std::size_t>(ring_ - reinterpret_cast<char*>(index_)));
        head_ = 0;
    }
    const std::uint64_t position = head_;
    head_ += size;

    char* record = ring_ + position % ringBytes_;
    const Header header{static_cast<std::uint32_t>(key.size()),
                        static_cast<std::uint16_t>(verdict.text.size()), verdict.valid,
                        static_cast<std::uint8_t>(verdict.type)};
    std::memcpy(record, &header, sizeof header);
    if (!key.empty()) std::memcpy(record + sizeof header, key.data(), key.size());
    if (!verdict.text.empty())
        std::memcpy(record + sizeof header + key.size(), verdict.text.data(), verdict.text.size());
    set[taken] = ((position / kAlignment + 1) << kTagBits) | (hash & kTagMask);
    return verdictOf(record);
}

}  // namespace kelvane::phone
