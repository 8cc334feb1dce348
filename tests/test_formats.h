// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed regional settings for tests: the two everyday ones and multi-byte ones.
#pragma once

#include "calc/regional_settings.h"

namespace zelva::test {

inline const NumberFormat kComma{",", "."};
inline const NumberFormat kPoint{".", ","};
// U+066B ARABIC DECIMAL SEPARATOR, U+066C ARABIC THOUSANDS SEPARATOR.
inline const NumberFormat kArabic{"\u066B", "\u066C"};
inline const NumberFormat kFrench{",", "\u202F"};
inline const NumberFormat kSwiss{".", "\u2019"};

} // namespace zelva::test
