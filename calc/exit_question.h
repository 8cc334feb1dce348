// SPDX-License-Identifier: GPL-3.0-or-later
// The "Esci" question: asks "Uscire dal progamma" with the question style and
// says whether the answer was OK. Window-free; never throws.
#pragma once

#include <string_view>

#include "calc/message_box.h"

namespace zelva {

inline constexpr std::string_view kExitPrompt = "Uscire dal progamma";

bool confirmExit(const MessageBoxFn& showMessageBox);

} // namespace zelva
