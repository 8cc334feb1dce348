// SPDX-License-Identifier: GPL-3.0-or-later
// The message-box seam: prompt (UTF-8) and style in, the pressed button out.
// The box always bears the program title. And the "Esci" question asked
// through it, which throws only what the box throws. Window-free.
#pragma once

#include <functional>
#include <string_view>

namespace zelva {

inline constexpr std::string_view kProgramTitle = "Zelvamirontica";

// Scoped, so that a number passed as a style does not compile instead of
// showing a plain box.
enum class MessageStyle {
    Plain,             // OK, no icon
    Error,             // OK, stop icon
    OkCancelQuestion,  // OK + Cancel, question icon, OK default
};

enum class MessageAnswer {
    Ok,
    Cancel,
};

using MessageBoxFn = std::function<MessageAnswer(std::string_view prompt, MessageStyle style)>;

inline constexpr std::string_view kExitPrompt = "Uscire dal progamma";

// Asks kExitPrompt with the question style; true when the answer was OK.
bool confirmExit(const MessageBoxFn& showMessageBox);

} // namespace zelva
