// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/field_table.h"

#include <charconv>
#include <stdexcept>

namespace zelva {

std::optional<int> cellNumber(std::string_view name)
{
    constexpr std::string_view prefix = "Text";
    if (!name.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    // "Text07" or "Text+7" would parse to 7 but are not cell names.
    if (digits.empty() || digits.front() < '1' || digits.front() > '9')
        return std::nullopt;
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc{} || end != digits.data() + digits.size() || number > kCellCount)
        return std::nullopt;
    return number;
}

std::string cellName(int number)
{
    return "Text" + std::to_string(number);
}

namespace {

std::size_t indexOf(std::string_view name)
{
    const auto number = cellNumber(name);
    if (!number)
        throw std::out_of_range("no cell named " + std::string(name));
    return static_cast<std::size_t>(*number - 1);
}

} // namespace

std::string MemoryFieldTable::readCell(std::string_view name) const
{
    return cells_[indexOf(name)];
}

void MemoryFieldTable::writeCell(std::string_view name, std::string_view text)
{
    cells_[indexOf(name)] = std::string(text);
}

} // namespace zelva
