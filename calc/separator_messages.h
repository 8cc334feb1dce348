// SPDX-License-Identifier: GPL-3.0-or-later
// What the user is told about the decimal separator the settings expect: the
// start-up hint for Label12 and Label13, and the warning on typing the other
// separator. Pure decisions; never fail, never throw.
#pragma once

#include <optional>
#include <string_view>

#include "calc/decimal_separator.h"

namespace zelva {

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
