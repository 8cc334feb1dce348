// SPDX-License-Identifier: GPL-3.0-or-later
// The 22 report lines (UTF-8, no line ends) composed from 15 cell texts copied as
// they stand. Pure; never fails; throws only std::bad_alloc.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/field_table.h"

namespace zelva {

// The makers' web address: report banner and the window's Label15.
inline constexpr std::string_view kMakerAddress = "https://zelvamirontica.org/";

inline constexpr int kReportLineCount = 22;

std::array<std::string, kReportLineCount> composeReport(const FieldTable& cells);

} // namespace zelva
