// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/NumberFormat.h"
#include "phone/NumberType.h"
#include "phone/VerdictCache.h"
#include "phone/WorkerThreads.h"

namespace i18n::phonenumbers {
class PhoneNumberUtil;
}

namespace kelvane::phone {

using kelvane::NumberFormat;

// What a line says as a telephone number.
struct NumberVerdict {
    bool valid = false;
    std::string_view text;                  // valid: the number in the reader's format
    std::string_view reason;                // not valid: why, in a few words
    NumberType type = NumberType::Unknown;  // valid, and the reader judges types: its kind
};

// Reads lines as telephone numbers with Google's libphonenumber (IsValidNumber decides), for one
// region and one format, and keeps the verdicts on the lines met last.
//
// The library spends its time on a line in ICU regular expressions (make bench, section phone,
// beside Python's phonenumbers), so a line is parsed only when no line with the same key was
// parsed lately. The key of a line made only of digits, "+" and the separators " ", "-", ".",
// "(", ")" is the line without those separators, which the library ignores there once it has
// found the line to be a number at all (see keyOf); it is also what the library is given, since
// it parses a plain run of digits up to a third faster. Any other line is its own key: a letter
// can be a vanity digit or an extension label, and next to one a blank can end the extension; a
// tab makes a line not a number at all.
//
// A line of more than 250 code points is "too long" without being parsed, as the library's other
// editions (Java, JavaScript, Python) refuse it: this one parses it in a time that grows with the
// square of its length (figures in bench/README.md), so one long line would hold up a whole list.
//
// The library's parser is the cost, and it may run on every core at once: readAhead() parses
// the new keys of a block of lines on as many threads as the machine has (make bench, section
// memory, lines --threads 1 and --threads 2). What it learns goes into the reader's cache on the
// calling thread.
//
// A line met lately costs one lookup and allocates nothing. The verdicts live in a cache of a
// fixed size (VerdictCache), so memory does not grow with the input: a verdict, its text and its
// reason are valid until the next read() or readAhead(). readAhead() then read() over the same
// block parses each new key once, unless the block alone overflows the cache.
class PhoneNumberReader {
  public:
    // `region`: a region the library supports, in capitals (see supportedRegion). The kind of a
    // number costs the library a second pass over its plan, so it is judged only when asked for.
    PhoneNumberReader(std::string region, NumberFormat format, bool judgeTypes = false);
    virtual ~PhoneNumberReader() = default;
    PhoneNumberReader(const PhoneNumberReader&) = delete;
    PhoneNumberReader& operator=(const PhoneNumberReader&) = delete;

    // The threads readAhead() may use, the caller's included; 0, the default: the machine's count.
    void setThreads(unsigned count);

    // Judges the lines not met lately among `lines`, on several threads, so that read() finds
    // them. What any thread throws reaches the caller, once all have ended, and nothing is kept.
    void readAhead(std::span<const std::string_view> lines);

    // Valid until the next read() or readAhead().
    const NumberVerdict& read(std::string_view line) {
        const std::string_view key = keyOf(line);
        if (const std::optional<VerdictCache::Verdict> kept = cache_.find(key))
            return verdict_ = asNumberVerdict(*kept);
        return readNew(key);
    }

  protected:
    // A verdict worked out without the reader's tables, safe to compute on any thread; `text`
    // is the number in the reader's format when valid. A derived reader may judge otherwise.
    struct LoneVerdict {
        bool valid = false;
        std::string text;
        std::string_view reason;
        NumberType type = NumberType::Unknown;
    };
    virtual LoneVerdict judgeAlone(std::string_view key) const;

  private:
    // A longer line may be over the length the reader refuses; taking separators out would hide
    // that.
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

    static NumberVerdict asNumberVerdict(const VerdictCache::Verdict& kept) {
        if (kept.valid) return {true, kept.text, {}, kept.type};
        return {false, {}, kept.text, kept.type};
    }
    // As the cache keeps it: the text when valid, the reason when not.
    static VerdictCache::Verdict toKeep(const LoneVerdict& verdict) {
        return {verdict.valid, verdict.type, verdict.valid ? verdict.text : verdict.reason};
    }
    const NumberVerdict& readNew(std::string_view key);

    const i18n::phonenumbers::PhoneNumberUtil& util_;
    std::string region_;
    NumberFormat format_;
    bool judgeTypes_;
    char key_[kLongestKeyedLine];

    VerdictCache cache_;
    NumberVerdict verdict_;  // the last read
    LoneVerdict judged_;     // the last judged by read(), for a verdict too large to keep
    std::unique_ptr<WorkerThreads> threads_;
};

}  // namespace kelvane::phone
