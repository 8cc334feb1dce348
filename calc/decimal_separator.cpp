// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/decimal_separator.h"

#include <string>

#include "calc/number_text.h"

namespace zelva {

DecimalSeparator detectDecimalSeparator(const NumberFormat& format)
{
    // Whatever the settings write between the 1 and the 5 of 1.5 is what the user
    // has to type. The text is at least "15", and no byte of a multi-byte
    // character is ASCII, so its second byte alone tells a comma or a point.
    const std::string text = numberToText(3.0 / 2.0, format);
    switch (text[1]) {
    case ',':
        return DecimalSeparator::Comma;
    case '.':
        return DecimalSeparator::Point;
    default:
        return DecimalSeparator::Neither;
    }
}

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
