// SPDX-License-Identifier: GPL-3.0-or-later
// A loadable module on the base library and the telephone-number engine alone, linked as a
// database extension is: with -Wl,--no-undefined, so that a symbol only a higher floor defines
// fails the link. Its reader judges on the calling thread only: a host process may forbid threads.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/NumberFormat.h"
#include "phone/PhoneNumberReader.h"

// Judges each of `count` lines under `region` and writes, a line each, the number in E.164 or
// "not: REASON". Returns the bytes written, or -1 when `out` is too small or anything throws.
extern "C" __attribute__((visibility("default"))) long kelvane_module_judge(
    const char* const* lines, std::size_t count, const char* region, char* out, std::size_t size) {
    try {
        kelvane::phone::PhoneNumberReader reader(region, kelvane::NumberFormat::E164);
        reader.setThreads(1);
        std::vector<std::string_view> block(lines, lines + count);
        reader.readAhead(block);
        std::size_t used = 0;
        for (const std::string_view line : block) {
            const kelvane::phone::NumberVerdict& verdict = reader.read(line);
            const std::string_view head = verdict.valid ? "" : "not: ";
            const std::string_view text = verdict.valid ? verdict.text : verdict.reason;
            if (used + head.size() + text.size() + 1 > size) return -1;
            used = std::copy(text.begin(), text.end(),
                             std::copy(head.begin(), head.end(), out + used)) -
                   out;
            out[used++] = '\n';
        }
        return static_cast<long>(used);
    } catch (...) {
        return -1;
    }
}
