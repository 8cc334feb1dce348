// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal separator: which one the user's settings use, judged by the
// second character of the text of 3.0 / 2.0, and what the user is told about
// it (the start-up hint for Label12 and Label13, and the warning on typing the
// other one). Detection throws only std::bad_alloc; the messages are pure
// decisions that never fail.
#pragma once

#include <optional>
#include <string_view>

#include "calc/regional_settings.h"

namespace zelva {

enum class DecimalSeparator { Comma, Point, Neither };

DecimalSeparator detectDecimalSeparator(const NumberFormat& format);

// The captions for Label12 (top) and Label13 (bottom).
struct SeparatorHint {
    std::string_view top;
    std::string_view bottom;
};

// The hint for the detected separator; nullopt for Neither (labels keep their captions).
std::optional<SeparatorHint> separatorHint(DecimalSeparator detected);

// The warning for a typed character (UTF-16 code), or nullopt when there is none.
std::optional<std::string_view> separatorWarning(DecimalSeparator detected, char16_t code);


} // namespace zelva
