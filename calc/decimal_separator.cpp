#include "calc/decimal_separator.h"

#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace zelva {

namespace {

// Byte length of the UTF-8 sequence that starts with `lead`.
std::size_t utf8Length(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

} // namespace

DecimalSeparator detectDecimalSeparator(const NumberFormat& format)
{
    // Whatever the settings write between the 1 and the 5 of 1.5 is what the user
    // has to type; a multi-byte separator is one character, not its first byte.
    const std::string text = numberToText(3.0 / 2.0, format);
    if (text.size() < 2)
        return DecimalSeparator::Neither;
    const std::string_view second =
        std::string_view(text).substr(1, utf8Length(static_cast<unsigned char>(text[1])));
    if (second == ",")
        return DecimalSeparator::Comma;
    if (second == ".")
        return DecimalSeparator::Point;
    return DecimalSeparator::Neither;
}

} // namespace zelva
