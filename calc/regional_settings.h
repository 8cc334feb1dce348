// SPDX-License-Identifier: GPL-3.0-or-later
// Regional number settings: decimal separator and digit-grouping symbol as UTF-8
// strings (either may be several bytes, e.g. U+202F). A source is asked afresh at
// each use, so a change of the user's settings is seen by the next action.
// Asking a source and copying the settings throw only std::bad_alloc.
#pragma once

#include <functional>
#include <string>

namespace zelva {

struct NumberFormat {
    std::string decimalSeparator;
    std::string groupSeparator;
};

// Supplies the user's current settings; the window passes the system locale,
// tests pass fixed settings.
using RegionalSettingsSource = std::function<NumberFormat()>;

} // namespace zelva
