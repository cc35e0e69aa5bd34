// SPDX-License-Identifier: GPL-3.0-or-later
// Line reading on any bytes: the stream, the line counter and the whole-file reader agree with a
// byte-by-byte model, and the lines joined back give the file minus its byte-order mark.
#include <sys/mman.h>
#include <unistd.h>

#include "FuzzCheck.h"
#include "LineModel.h"
#include "base/Lines.h"
#include "base/TextFile.h"

namespace {

// `bytes` with every CR LF made a lone LF and a final LF added when missing: what the lines
// joined back with LF must give.
std::string withLfBreaks(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    if (!text.empty() && !text.ends_with('\n')) text += '\n';
    return text;
}

// Reads `bytes` back through the file layer, from an in-memory file.
std::string throughAFile(std::string_view bytes) {
    const int fd = ::memfd_create("lines", MFD_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    FUZZ_REQUIRE(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    const std::string read = *kelvane::readWholeFile("/proc/self/fd/" + std::to_string(fd));
    ::close(fd);
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvane;
    const std::string_view input = fuzz::bytesOf(data, size);
    const auto bytes = std::make_shared<const std::string>(input);
    const std::vector<std::string> expected = testing::modelLines(input);

    TextStream stream(bytes);
    const std::string_view body = std::string_view(*bytes).substr(byteOrderMarkLength(*bytes));
    FUZZ_REQUIRE(countLines(body) == expected.size());
    std::string joined;
    for (const std::string& want : expected) {
        FUZZ_REQUIRE(!stream.atEndOfStream());
        FUZZ_REQUIRE(stream.remainingLines() == expected.size() - (&want - expected.data()));
        const std::string_view line = stream.readLine();
        FUZZ_REQUIRE(line == want);
        // The line is a view into the stream's own bytes.
        FUZZ_REQUIRE(line.empty() || (line.data() >= bytes->data() &&
                                      line.data() + line.size() <= bytes->data() + bytes->size()));
        joined.append(line).append("\n");
    }
    FUZZ_REQUIRE(stream.atEndOfStream());
    FUZZ_REQUIRE(stream.remainingLines() == 0);
    FUZZ_REQUIRE(joined == withLfBreaks(body));

    FUZZ_REQUIRE(throughAFile(input) == input);
    return 0;
}
