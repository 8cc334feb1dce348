// SPDX-License-Identifier: GPL-3.0-or-later
// The core's UTF-8 text as a QString. Invalid bytes become U+FFFD; throws only
// std::bad_alloc.
#pragma once

#include <string_view>

#include <QString>

namespace zelva {

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zelva
