// SPDX-License-Identifier: GPL-3.0-or-later
// Which decimal separator the user's settings use, judged by the second character
// of the text of 3.0 / 2.0. Always one of the three values; throws only
// std::bad_alloc, for a separator of more than 13 bytes.
#pragma once

#include "calc/regional_settings.h"

namespace zelva {

enum class DecimalSeparator { Comma, Point, Neither };

DecimalSeparator detectDecimalSeparator(const NumberFormat& format);

} // namespace zelva
