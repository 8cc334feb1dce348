// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 text to the bytes of the report's code page. A character the code page
// lacks, and each byte that is not valid UTF-8, becomes one "?". Throws only
// std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

namespace zelva {

// Windows-1252, the same on every system.
std::string toWindows1252(std::string_view utf8);

// The system's ANSI code page: on Windows the one the system is set to; where a
// system has none, as on Linux, Windows-1252.
std::string toAnsiCodePage(std::string_view utf8);

} // namespace zelva
