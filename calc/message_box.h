// The message-box seam: prompt (UTF-8) and Windows style flags in, the number of
// the pressed button out (1 OK, 2 Cancel). The box always bears the program title.
#pragma once

#include <functional>
#include <string_view>

namespace zelva {

inline constexpr std::string_view kProgramTitle = "Zelvamirontica";

namespace MessageStyle {
inline constexpr int Plain = 0;          // OK, no icon
inline constexpr int Error = 16;         // OK, stop icon
inline constexpr int OkCancelQuestion = 33; // OK + Cancel, question icon, OK default
}

namespace MessageAnswer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
}

using MessageBoxFn = std::function<int(std::string_view prompt, int style)>;

} // namespace zelva
