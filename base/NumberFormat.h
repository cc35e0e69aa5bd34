// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvane {

// How a valid telephone number is written. E.164 cannot carry an extension, so it is left out
// there; the others keep it (" ext. N", or ";ext=N" in a tel: address). National is for numbers of
// the reader's country code; any other number is written in international form, so that the list
// reads back as the same numbers.
enum class NumberFormat { E164, International, National, Rfc3966 };

}  // namespace kelvane
