// SPDX-License-Identifier: GPL-3.0-or-later
// The batch command's block reader against the line model, on any bytes read in any block size:
// lines, breaks and byte-order marks fall across block ends. The first byte picks the block size.
#include <sys/mman.h>
#include <unistd.h>

#include "FuzzCheck.h"
#include "LineModel.h"
#include "base/LineStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text = kelvane::fuzz::bytesOf(data + 1, size - 1);
    const int fd = ::memfd_create("lines", MFD_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    FUZZ_REQUIRE(::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
    FUZZ_REQUIRE(::lseek(fd, 0, SEEK_SET) == 0);
    kelvane::LineStream stream(fd, "<memfd>", 16 + data[0] % 48);
    std::vector<std::string> lines;
    std::vector<std::string_view> batch;
    while (stream.nextLines(batch)) lines.insert(lines.end(), batch.begin(), batch.end());
    ::close(fd);
    FUZZ_REQUIRE(lines == kelvane::testing::modelLines(text));
    return 0;
}
