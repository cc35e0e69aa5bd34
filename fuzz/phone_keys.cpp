// SPDX-License-Identifier: GPL-3.0-or-later
// The telephone-number reader's key cache against the library on the whole line: whatever lines
// came before, a line read through its key gets the verdict and reason the library gives the line.
#include <algorithm>

#include "FuzzCheck.h"
#include "phone/PhoneNumberReader.h"

namespace {

// The reader's own judge, shown so that it can be given a whole line instead of its key.
struct WholeLineReader : kelvane::phone::PhoneNumberReader {
    WholeLineReader() : PhoneNumberReader("IL", kelvane::phone::NumberFormat::E164) {}
    using PhoneNumberReader::judgeAlone;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WholeLineReader reader;
    for (std::string_view rest = kelvane::fuzz::bytesOf(data, size); !rest.empty();) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
        const kelvane::phone::NumberVerdict& cached = reader.read(line);
        const auto whole = reader.judgeAlone(line);
        FUZZ_REQUIRE(cached.valid == whole.valid && cached.text == whole.text &&
                     cached.reason == whole.reason);
    }
    return 0;
}
