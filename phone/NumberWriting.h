// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/NumberFormat.h"

namespace i18n::phonenumbers {
class PhoneNumber;
}

namespace kelvane::phone {

// `number` written in `format`. A national form reads back as the same number only under a region
// of its country code, so a number of another country is written internationally instead.
std::string writtenIn(const i18n::phonenumbers::PhoneNumber& number, const std::string& region,
                      kelvane::NumberFormat format);

}  // namespace kelvane::phone
