// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes of note at the start of an input or a line: the UTF-8 byte order mark,
// and u-blox UBX frames, which receivers mix into their NMEA stream (two sync
// bytes, class, id, a little-endian payload length, the payload and two check
// bytes). Never throws.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelva::batch {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUbxSync = "\xB5\x62";

// How long the UBX frame at the start of these bytes is: 0 where they hold no
// whole frame with a right checksum, or nullopt while more bytes may make one.
inline std::optional<std::size_t> ubxFrameSize(std::string_view bytes)
{
    constexpr std::size_t kHeader = 6, kOverhead = kHeader + 2;
    const std::size_t sync = std::min(bytes.size(), kUbxSync.size());
    if (bytes.substr(0, sync) != kUbxSync.substr(0, sync) || bytes.empty())
        return 0;
    if (bytes.size() < kHeader)
        return std::nullopt;
    const auto* const p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = kOverhead + (p[4] | static_cast<std::size_t>(p[5]) << 8);
    if (bytes.size() < size)
        return std::nullopt;
    unsigned a = 0, b = 0;
    for (std::size_t i = 2; i < size - 2; ++i) {
        a = (a + p[i]) & 0xFF;
        b = (b + a) & 0xFF;
    }
    return a == p[size - 2] && b == p[size - 1] ? size : 0;
}

} // namespace zelva::batch
