// SPDX-License-Identifier: GPL-3.0-or-later
// Buffered writing to an open file that notices every failure: the first
// errno of a failed write or flush is kept, with whether it was a closed pipe,
// and nothing more is written after it. Never throws but std::bad_alloc at construction.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelva::batch {

class OutputStream {
public:
    explicit OutputStream(std::FILE* file);

    // False once any write has failed.
    bool write(std::string_view text);
    // Writes what is buffered and flushes the file; false on any failure so far.
    bool flush();
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }
    // The failure was the reader going away (a closed pipe), not a full disk.
    bool closedPipe() const { return closedPipe_; }

private:
    std::FILE* file_;
    std::string buffer_;
    int error_ = 0;
    bool closedPipe_ = false;
};

} // namespace zelva::batch
