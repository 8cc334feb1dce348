// SPDX-License-Identifier: GPL-3.0-or-later
// Decimals as receivers and tracks write them, read fast and rounded exactly as
// std::from_chars rounds: plainDecimal gives the nearest double of an optional
// '-', digits and an optional point with digits, or nullopt for any other text
// (the caller's own rules decide those). Never throws.
#pragma once

#include <optional>
#include <string_view>

namespace zelva::batch {

std::optional<double> plainDecimal(std::string_view text) noexcept;


} // namespace zelva::batch
