// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces the file at a path (UTF-8) with the given bytes, atomically: a
// temporary file beside it, then a rename over it. Returns false when the file
// cannot be created, written or put in place; the earlier file is then
// untouched and no temporary file remains. Throws only std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

namespace zelva {

bool replaceFileContents(const std::string& path, std::string_view bytes);

} // namespace zelva
