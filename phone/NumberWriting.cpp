// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/NumberWriting.h"

#include <phonenumbers/phonenumberutil.h>

namespace kelvane::phone {

using i18n::phonenumbers::PhoneNumberUtil;

std::string writtenIn(const i18n::phonenumbers::PhoneNumber& number, const std::string& region,
                      kelvane::NumberFormat format) {
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

}  // namespace kelvane::phone
