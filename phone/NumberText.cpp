// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberText.h"

#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>

#include <limits>
#include <utility>

namespace kelvane::phone {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

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

std::string formatted(const PhoneNumber& number, const std::string& region, NumberFormat format) {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumberUtil::PhoneNumberFormat libraryFormat = PhoneNumberUtil::E164;
    if (format == NumberFormat::International) libraryFormat = PhoneNumberUtil::INTERNATIONAL;
    if (format == NumberFormat::Rfc3966) libraryFormat = PhoneNumberUtil::RFC3966;
    if (format == NumberFormat::National) {
        libraryFormat = number.country_code() == util.GetCountryCodeForRegion(region)
                            ? PhoneNumberUtil::NATIONAL
                            : PhoneNumberUtil::INTERNATIONAL;
    }
    std::string text;
    util.Format(number, libraryFormat, &text);
    return text;
}

}  // namespace

struct NumberFinder::Matcher {
    PhoneNumberMatcher library;
};

NumberFinder::NumberFinder(std::string_view text, const std::string& region, Leniency leniency,
                           NumberFormat format)
    : matcher_(new Matcher{{*PhoneNumberUtil::GetInstance(), std::string(text), region,
                            libraryLeniency(leniency), std::numeric_limits<int>::max()}}),
      region_(region),
      format_(format) {}

NumberFinder::~NumberFinder() = default;

std::optional<std::string> NumberFinder::next() {
    PhoneNumberMatch match;
    if (!matcher_->library.HasNext() || !matcher_->library.Next(&match)) return std::nullopt;
    return formatted(match.number(), region_, format_);
}

std::vector<std::string> findNumbers(std::string_view text, const std::string& region,
                                     Leniency leniency, NumberFormat format) {
    NumberFinder finder(text, region, leniency, format);
    std::vector<std::string> numbers;
    while (std::optional<std::string> number = finder.next()) numbers.push_back(std::move(*number));
    return numbers;
}

std::string formatNumber(std::string_view e164, const std::string& region, NumberFormat format) {
    PhoneNumber number;
    PhoneNumberUtil::GetInstance()->Parse(std::string(e164), "ZZ", &number);
    return formatted(number, region, format);
}

NumberInfo describeNumber(std::string_view line, const std::string& region,
                          const std::string& language) {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber number;
    NumberInfo info;
    if (util.Parse(std::string(line), region, &number) != PhoneNumberUtil::NO_PARSING_ERROR ||
        !util.IsValidNumber(number))
        return info;
    // Loads its tables once; it is safe to ask from any thread.
    static const i18n::phonenumbers::PhoneNumberOfflineGeocoder geocoder;
    info.valid = true;
    util.Format(number, PhoneNumberUtil::E164, &info.e164);
    util.GetRegionCodeForNumber(number, &info.region);
    info.type = static_cast<NumberType>(util.GetNumberType(number));
    info.place = geocoder.GetDescriptionForNumber(number, icu::Locale(language.c_str()));
    return info;
}

}  // namespace kelvane::phone
