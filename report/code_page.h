// UTF-8 text to Windows-1252 bytes. Characters the code page lacks and bytes
// that are not valid UTF-8 each become one "?". Pure; never fails, never throws.
#pragma once

#include <string>
#include <string_view>

namespace zelva {

std::string toWindows1252(std::string_view utf8);

} // namespace zelva
