// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NameTable.h"

namespace kelvane {

// How a valid telephone number is written. E.164 cannot carry an extension, so it is left out
// there; the others keep it (" ext. N", or ";ext=N" in a tel: address). National is for numbers of
// the reader's country code; any other number is written in international form, so that the list
// reads back as the same numbers.
enum class NumberFormat { E164, International, National, Rfc3966 };

inline constexpr NameTable<NumberFormat, 4> kNumberFormatNames = {
    {"e164", NumberFormat::E164},
    {"international", NumberFormat::International},
    {"national", NumberFormat::National},
    {"rfc3966", NumberFormat::Rfc3966}};

}  // namespace kelvane
