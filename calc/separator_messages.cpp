// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/separator_messages.h"

namespace zelva {

std::optional<SeparatorHint> separatorHint(DecimalSeparator detected)
{
    switch (detected) {
    case DecimalSeparator::Comma:
        return SeparatorHint{"Utilizzare la VIRGOLA", "come separatore decimale"};
    case DecimalSeparator::Point:
        return SeparatorHint{"Utilizzare il PUNTO", "come separatore decimale"};
    case DecimalSeparator::Neither:
        break;
    }
    return std::nullopt;
}

std::optional<std::string_view> separatorWarning(DecimalSeparator detected, char16_t code)
{
    // Neither expects the point, like Point: only a comma is warned about.
    const bool commaExpected = detected == DecimalSeparator::Comma;
    if (commaExpected && code == u'.')
        return "Utilizzare la VIRGOLA come separatore decimale";
    if (!commaExpected && code == u',')
        return "Utilizzare il PUNTO come separatore decimale";
    return std::nullopt;
}

} // namespace zelva
