// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/NumberText.h"

#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>

namespace kelvane::phone {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

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
