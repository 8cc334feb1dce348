// SPDX-License-Identifier: GPL-3.0-or-later
// Which reader an input needs, told from its first bytes: XML or lines, in
// UTF-8 or UTF-16 (known by its byte order mark or, without one, by at least
// eight ASCII characters interleaved with NULs; a serial capture's run of
// NULs before its first '$' is no UTF-16). Throws only std::bad_alloc.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "batch/read/reader.h"

namespace zelva::batch {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be };

// nullopt while the bytes so far cannot tell; `complete`: no more will come.
std::optional<TextEncoding> detectEncoding(std::string_view first, bool complete);

// Whether text that begins so (a byte order mark and blanks aside) is XML;
// nullopt while only blanks have come.
std::optional<bool> looksLikeXml(std::string_view start);

// The reader for an input that begins with these bytes, or nullptr while they
// cannot tell yet and more may come.
std::unique_ptr<Reader> readerFor(std::string_view first, bool complete, FixSink& fixes, RejectionSink& rejections);

} // namespace zelva::batch
