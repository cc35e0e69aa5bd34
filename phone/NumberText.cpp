// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/NumberText.h"

#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>

#include <limits>

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

std::vector<std::string> findNumbers(std::string_view text, const std::string& region,
                                     Leniency leniency, NumberFormat format) {
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), std::string(text), region,
                               libraryLeniency(leniency), std::numeric_limits<int>::max());
    std::vector<std::string> numbers;
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match))
        numbers.push_back(formatted(match.number(), region, format));
    return numbers;
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
