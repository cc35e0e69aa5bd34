// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhoneNumberReader.h"

#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "CommandError.h"

namespace kelvane::cli {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

constexpr std::size_t kBlockSize = 1 << 16;

// True when `text` is well-formed UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool isUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                 : 0;
        if (length == 0 || static_cast<std::size_t>(end - p) < length) return false;
        // The second byte's range is narrower after E0, ED, F0 and F4.
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (p[1] < low || p[1] > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
        }
        p += length;
    }
    return true;
}

std::string_view parseFailure(PhoneNumberUtil::ErrorType error) {
    switch (error) {
        case PhoneNumberUtil::INVALID_COUNTRY_CODE_ERROR:
            return "invalid country code";
        case PhoneNumberUtil::TOO_SHORT_AFTER_IDD:
            return "too short after the international prefix";
        case PhoneNumberUtil::TOO_SHORT_NSN:
            return "too short";
        case PhoneNumberUtil::TOO_LONG_NSN:
            return "too long";
        default:
            return "not a number";
    }
}

std::string_view invalidity(PhoneNumberUtil::ValidationResult result) {
    switch (result) {
        case PhoneNumberUtil::INVALID_COUNTRY_CODE:
            return "invalid country code";
        case PhoneNumberUtil::TOO_SHORT:
            return "too short";
        case PhoneNumberUtil::TOO_LONG:
            return "too long";
        case PhoneNumberUtil::INVALID_LENGTH:
            return "wrong length";
        default:
            return "not in the numbering plan";
    }
}

PhoneNumberUtil::PhoneNumberFormat libraryFormat(NumberFormat format) {
    switch (format) {
        case NumberFormat::International:
            return PhoneNumberUtil::INTERNATIONAL;
        case NumberFormat::National:
            return PhoneNumberUtil::NATIONAL;
        default:
            return PhoneNumberUtil::E164;
    }
}

NumberVerdict invalid(std::string_view reason) {
    return NumberVerdict{false, {}, reason};
}

}  // namespace

PhoneNumberReader::PhoneNumberReader(std::string region, NumberFormat format)
    : util_(*PhoneNumberUtil::GetInstance()), region_(std::move(region)), format_(format) {}

const NumberVerdict& PhoneNumberReader::readNew(std::string_view key) {
    const NumberVerdict verdict = judge(key);
    return byKey_.emplace(keep(key), verdict).first->second;
}

NumberVerdict PhoneNumberReader::judge(std::string_view text) {
    if (!isUtf8(text)) return invalid("not UTF-8");
    PhoneNumber number;
    const PhoneNumberUtil::ErrorType error = util_.Parse(std::string(text), region_, &number);
    if (error != PhoneNumberUtil::NO_PARSING_ERROR) return invalid(parseFailure(error));

    // Only the E.164 form leaves an extension out, so elsewhere a number with one is its own.
    const bool shared = format_ == NumberFormat::E164 || !number.has_extension();
    const Identity identity{number.national_number(), number.country_code(),
                            number.italian_leading_zero() ? number.number_of_leading_zeros() : 0};
    if (shared) {
        const auto found = byNumber_.find(identity);
        if (found != byNumber_.end()) return found->second;
    }
    NumberVerdict verdict;
    if (util_.IsValidNumber(number)) {
        std::string formatted;
        util_.Format(number, libraryFormat(format_), &formatted);
        verdict = NumberVerdict{true, keep(formatted), {}};
    } else {
        verdict = invalid(invalidity(util_.IsPossibleNumberWithReason(number)));
    }
    if (shared) byNumber_.emplace(identity, verdict);
    return verdict;
}

std::string_view PhoneNumberReader::keep(std::string_view text) {
    if (text.size() > blockFree_) {
        blockFree_ = std::max(kBlockSize, text.size());
        blockNext_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(blockFree_)).get();
    }
    if (!text.empty()) std::memcpy(blockNext_, text.data(), text.size());
    const std::string_view kept(blockNext_, text.size());
    blockNext_ += text.size();
    blockFree_ -= text.size();
    return kept;
}

std::string supportedRegion(std::string_view code) {
    std::string region(code);
    for (char& c : region) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    std::set<std::string> regions;
    PhoneNumberUtil::GetInstance()->GetSupportedRegions(&regions);
    if (!regions.contains(region)) {
        throw CommandError("unknown region " + std::string(code) +
                           " (a two-letter country code such as US or IL)");
    }
    return region;
}

std::string localeRegion() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        const std::size_t start = locale.find('_');
        if (start == std::string_view::npos) return {};
        return std::string(locale.substr(start + 1, locale.find_first_of(".@", start) - start - 1));
    }
    return {};
}

}  // namespace kelvane::cli
