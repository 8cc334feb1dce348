// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/code_page.h"

#include <string>

#include "report/utf8_transcode.h"

#include <windows.h>

namespace zelva {

std::string toAnsiCodePage(std::string_view utf8)
{
    const UINT codePage = GetACP();
    // No best fit: a character the page lacks must show as "?", not as a
    // look-alike letter that changes what the report says.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    return transcodeUtf8(utf8, [codePage, flags](char32_t code, std::string& out) {
        wchar_t wide[2];
        int units = 1;
        if (code >= 0x10000) {
            wide[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            wide[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            units = 2;
        } else {
            wide[0] = static_cast<wchar_t>(code);
        }
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(codePage, flags, wide, units, bytes, sizeof bytes,
                                               nullptr, codePage == CP_UTF8 ? nullptr : &usedDefault);
        if (length <= 0 || usedDefault)
            return false;
        out.append(bytes, static_cast<std::size_t>(length));
        return true;
    });
}

} // namespace zelva
