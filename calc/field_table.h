// SPDX-License-Identifier: GPL-3.0-or-later
// The 29 text cells Text1..Text29, the program's only data. Cell text is UTF-8,
// stored exactly as written. An unknown cell name is a programming error: the
// in-memory table throws std::out_of_range for it; nothing else throws.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zelva {

inline constexpr int kCellCount = 29;

// "Text7" -> 7; anything that is not one of the 29 names -> nullopt.
std::optional<int> cellNumber(std::string_view name);

// 1..29 -> "Text1".."Text29".
std::string cellName(int number);

class FieldTable {
public:
    virtual ~FieldTable() = default;
    virtual std::string readCell(std::string_view name) const = 0;
    virtual void writeCell(std::string_view name, std::string_view text) = 0;
};

class MemoryFieldTable final : public FieldTable {
public:
    std::string readCell(std::string_view name) const override;
    void writeCell(std::string_view name, std::string_view text) override;

private:
    std::array<std::string, kCellCount> cells_;
};

} // namespace zelva
