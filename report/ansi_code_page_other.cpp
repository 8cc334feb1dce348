// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/code_page.h"

namespace zelva {

std::string toAnsiCodePage(std::string_view utf8)
{
    return toWindows1252(utf8);
}

} // namespace zelva
