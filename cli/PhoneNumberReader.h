// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "absl/container/flat_hash_map.h"

namespace i18n::phonenumbers {
class PhoneNumberUtil;
}

namespace kelvane::cli {

// How a valid number is written. E.164 cannot carry an extension, so it is left out there; the
// other two keep it as " ext. N".
enum class NumberFormat { E164, International, National };

// What a line says as a telephone number.
struct NumberVerdict {
    bool valid = false;
    std::string_view text;    // valid: the number in the reader's format
    std::string_view reason;  // not valid: why, in a few words
};

// Reads lines as telephone numbers with Google's libphonenumber (IsValidNumber decides), for one
// region and one format, and keeps every verdict.
//
// The library spends 15 to 25 microseconds on a line, most of it in ICU regular expressions
// (Python's phonenumbers about 30), so a line is parsed only when no line with the same key was
// parsed before. The key of a line made only of digits, "+" and the separators " ", "-", ".",
// "(", ")" is the line without those separators, which the library ignores there once it has
// found the line to be a number at all (see keyOf); it is also what the library is given, since
// it parses a plain run of digits up to a third faster. Any other line is its own key: a letter
// can be a vanity digit or an extension label, and next to one a blank can end the extension; a
// tab makes a line not a number at all.
//
// The library's parser is the cost, and it may run on two threads at once: readAhead() parses
// the new keys of a block of lines in two halves side by side (112,136 keys of the bench list in
// 0.71 s against 1.11 s on one thread, the machine's other core lightly used). What it learns
// goes into the reader's tables on the calling thread.
//
// A line seen before costs one hash lookup and allocates nothing. Memory grows with the distinct
// keys (about 200 bytes each). Verdicts and their texts stay valid as long as the reader.
class PhoneNumberReader {
  public:
    // `region`: a region the library supports, in capitals (see supportedRegion).
    PhoneNumberReader(std::string region, NumberFormat format);
    virtual ~PhoneNumberReader() = default;

    // Judges the lines not seen before among `lines`, on two threads, so that read() finds them.
    // What either thread throws reaches the caller, once both have ended, and nothing is kept.
    void readAhead(std::span<const std::string_view> lines);

    const NumberVerdict& read(std::string_view line) {
        const std::string_view key = keyOf(line);
        const auto found = byKey_.find(key);
        return found != byKey_.end() ? found->second : readNew(key);
    }

  protected:
    // A verdict worked out without the reader's tables, safe to compute on any thread; `text`
    // is the number in the reader's format when valid. A derived reader may judge otherwise.
    struct LoneVerdict {
        bool valid = false;
        std::string text;
        std::string_view reason;
    };
    virtual LoneVerdict judgeAlone(std::string_view key) const;

  private:
    // Longer lines are refused by the library as too long; taking separators out would hide that.
    static constexpr std::size_t kLongestKeyedLine = 250;

    // From its first digit or "+" to its last digit, the library takes a line for a number only
    // when that is two digits alone, or three digits or more among separators after one run of
    // "+": it finds none in "1-2" or "+ +123", but does in their keys "12" and "++123". Such
    // lines are their own keys.
    std::string_view keyOf(std::string_view line) {
        if (line.size() > kLongestKeyedLine) return line;
        std::size_t size = 0, digits = 0;
        char previous = 0;
        for (const char c : line) {
            if (c >= '0' && c <= '9') {
                ++digits;
            } else if (c == '+') {
                if (size > 0 && key_[size - 1] == '+' && previous != '+') return line;
            } else if (c == ' ' || c == '-' || c == '.' || c == '(' || c == ')') {
                previous = c;
                continue;
            } else {
                return line;
            }
            key_[size++] = previous = c;
        }
        return digits < 3 ? line : std::string_view(key_, size);
    }

    const NumberVerdict& readNew(std::string_view key);
    const NumberVerdict& remember(std::string_view key, const LoneVerdict& verdict);
    // A copy of `text` that lives as long as the reader.
    std::string_view keep(std::string_view text);

    const i18n::phonenumbers::PhoneNumberUtil& util_;
    std::string region_;
    NumberFormat format_;
    char key_[kLongestKeyedLine];

    absl::flat_hash_map<std::string_view, NumberVerdict> byKey_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* blockNext_ = nullptr;
    std::size_t blockFree_ = 0;
};

// `code` in capitals when the library knows it as a region (ISO 3166 two letters, any case);
// throws CommandError otherwise.
std::string supportedRegion(std::string_view code);

// The territory of the locale (LC_ALL, LC_MESSAGES or LANG, the first one set, as in
// en_US.UTF-8), or an empty string when it names none.
std::string localeRegion();

}  // namespace kelvane::cli
