// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/output_stream.h"

#include "batch/platform/platform.h"

#include <cerrno>

namespace zelva::batch {

namespace {

// Large writes: a million legs are tens of MB.
constexpr std::size_t kBufferSize = 256 * 1024;

} // namespace

OutputStream::OutputStream(std::FILE* file) : file_(file)
{
    buffer_.reserve(kBufferSize);
}

bool OutputStream::write(std::string_view text)
{
    if (error_ != 0)
        return false;
    buffer_ += text;
    return buffer_.size() < kBufferSize || flush();
}

bool OutputStream::flush()
{
    if (error_ != 0)
        return false;
    errno = 0;
    const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    if (written != buffer_.size() || std::fflush(file_) != 0) {
        error_ = errno != 0 ? errno : EIO;
        // Asked at once: on Windows the answer is in the system's last error,
        // which the next call may overwrite.
        closedPipe_ = isClosedPipe(error_);
    }
    buffer_.clear();
    return error_ == 0;
}

} // namespace zelva::batch
