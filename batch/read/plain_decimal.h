// SPDX-License-Identifier: GPL-3.0-or-later
// Decimals as receivers and tracks write them, read fast and rounded exactly as
// std::from_chars rounds: plainDecimal gives the nearest double of an optional
// '-', digits and an optional point with digits, or nullopt for any other text
// (the caller's own rules decide those). Never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelva::batch {

std::optional<double> plainDecimal(std::string_view text) noexcept;

// mantissa / 10^places, correctly rounded, where both are exact doubles (up
// to 2^53 and 10^22); nullopt beyond, for a slower way.
std::optional<double> exactQuotient(std::uint64_t mantissa, int places) noexcept;

} // namespace zelva::batch
