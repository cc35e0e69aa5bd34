// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/NumberSearch.h"

#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/uchar.h>

#include <limits>

#include "phone/NumberWriting.h"
#include "phone/Utf8.h"

namespace kelvane::phone {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

constexpr std::size_t kNone = std::string_view::npos;

PhoneNumberMatcher::Leniency libraryLeniency(Leniency leniency) {
    switch (leniency) {
        case Leniency::Possible:
            return PhoneNumberMatcher::POSSIBLE;
        case Leniency::Strict:
            return PhoneNumberMatcher::STRICT_GROUPING;
        case Leniency::Exact:
            return PhoneNumberMatcher::EXACT_GROUPING;
        default:
            return PhoneNumberMatcher::VALID;
    }
}

// Hands `each(start, end, number)` the matches of one search over `text`, while it returns true.
template <typename Each>
void search(std::string_view text, const std::string& region, Leniency leniency, Each&& each) {
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), std::string(text), region,
                               libraryLeniency(leniency), std::numeric_limits<int>::max());
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match)) {
        if (!each(static_cast<std::size_t>(match.start()), static_cast<std::size_t>(match.end()),
                  match.number()))
            return;
    }
}

// The code point at `at` in well-formed `text`, and its length in bytes.
char32_t decode(std::string_view text, std::size_t at, std::size_t& length) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data() + at);
    length = p[0] < 0x80 ? 1 : p[0] < 0xE0 ? 2 : p[0] < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? p[0] : p[0] & (0x3Fu >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) c = c << 6 | (p[k] & 0x3Fu);
    return c;
}

std::size_t codePointStart(std::string_view text, std::size_t at) {
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    return at;
}

// True when no candidate of the matcher can hold `c`. A candidate holds digits, the punctuation
// and leading signs the library allows in a number, and an extension's label, whose letters match
// in either case ("ext", "extensión", "xtn", "anexo", "int", "x", "доб", fullwidth "ｅｘｔｎ").
// Beyond ASCII, only letters count, and not those of the scripts of these labels (nor the letters
// that fold to theirs, as "ſ" to "s"), nor "ー", which the library takes for a dash.
bool endsCandidates(char32_t c) {
    if (c < 0x80) {
        static constexpr std::string_view kHeld = "0123456789aeinostxAEINOSTX \t#()+,-./:;=[]~";
        return kHeld.find(static_cast<char>(c)) == kNone;
    }
    if (!u_isalpha(static_cast<UChar32>(c)) || c == U'ー') return false;
    const bool labelScript = c < 0x0500 || (c >= 0x1E00 && c < 0x1F00) ||
                             (c >= 0x2100 && c < 0x2150) || (c >= 0xFB00 && c < 0xFB50) ||
                             (c >= 0xFF00 && c < 0xFFF0);
    return !labelScript;
}

// The end of the window that starts at `from` (more than `windows.usual` bytes before the text's
// end): just after the last character that ends candidates within `windows.usual` bytes, else
// after the first within `windows.longest`; kNone when there is none.
std::size_t windowEnd(std::string_view text, std::size_t from, const SearchWindows& windows) {
    const std::size_t usual = from + windows.usual;
    const std::size_t longest = std::min(text.size(), from + windows.longest);
    std::size_t end = kNone;
    for (std::size_t at = from, length = 0; at < longest && (at < usual || end == kNone);
         at += length) {
        if (endsCandidates(decode(text, at, length))) end = at + length;
    }
    return end;
}

// The length of the character before `from`, which the matcher looks at before a candidate; 0
// when it could start a candidate itself (a digit, "+", "(" or "["), as the matcher then rejects
// nothing for it, as for no character at all.
std::size_t contextLength(std::string_view text, std::size_t from) {
    const std::size_t at = codePointStart(text, from - 1);
    std::size_t length = 0;
    const char32_t c = decode(text, at, length);
    const bool starts = c == '+' || c == '(' || c == '[' || c == U'＋' || c == U'（' ||
                        c == U'［' || u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER;
    return starts ? 0 : length;
}

}  // namespace

std::string formatNumber(std::string_view e164, const std::string& region, NumberFormat format) {
    PhoneNumber number;
    PhoneNumberUtil::GetInstance()->Parse(std::string(e164), "ZZ", &number);
    return writtenIn(number, region, format);
}

std::vector<std::string> findNumbers(std::string_view text, const std::string& region,
                                     Leniency leniency, NumberFormat format,
                                     const SearchWindows& windows) {
    std::string replaced;
    if (!isUtf8(text)) text = replaced = withBadBytesReplaced(text, '?');
    std::vector<std::string> numbers;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.size();
        bool whole = true;  // every number found in the window is one the whole search finds
        if (text.size() - from > windows.usual) {
            const std::size_t cut = windowEnd(text, from, windows);
            if (cut != kNone) {
                end = cut;
            } else if (text.size() - from > windows.longest) {
                end = codePointStart(text, from + windows.longest);
                whole = false;
            }
        }
        const std::size_t start = from == 0 ? 0 : from - contextLength(text, from);
        const std::size_t trusted = whole ? end : end - windows.margin;
        from = whole ? end : codePointStart(text, trusted);
        search(text.substr(start, end - start), region, leniency,
               [&](std::size_t first, std::size_t last, const PhoneNumber& number) {
                   if (start + first >= trusted) return false;
                   numbers.push_back(writtenIn(number, region, format));
                   if (!whole) from = start + last;
                   return true;
               });
    }
    return numbers;
}

std::vector<std::string> findNumbersAtOnce(std::string_view text, const std::string& region,
                                           Leniency leniency, NumberFormat format) {
    std::vector<std::string> numbers;
    search(text, region, leniency, [&](std::size_t, std::size_t, const PhoneNumber& number) {
        numbers.push_back(writtenIn(number, region, format));
        return true;
    });
    return numbers;
}

}  // namespace kelvane::phone
