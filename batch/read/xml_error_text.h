// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zelva::batch {

// The Italian reason for an expat XML_Error code (an int, so that expat stays
// out of this header); expat's own text for a code newer than this program.
std::string_view xmlErrorText(int code);

} // namespace zelva::batch
