// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/line_reader.h"

#include <cerrno>
#include <cstring>

namespace zelva::batch {

namespace {

// Reads come in pieces of this size; the buffer holds one longest line and one piece.
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(kMaxLine + 1 + kChunk) {}

std::optional<Line> LineReader::next()
{
    for (;;) {
        const char* const data = buffer_.data();
        const void* found = std::memchr(data + begin_, '\n', end_ - begin_);
        if (found) {
            const std::size_t at = static_cast<const char*>(found) - data;
            const std::size_t from = begin_;
            begin_ = at + 1;
            if (skipping_) {
                skipping_ = false;  // its error was reported when it began
                continue;
            }
            return makeLine(from, at);
        }
        if (skipping_) {
            begin_ = end_ = 0;
        } else if (end_ - begin_ > kMaxLine + 1) {  // + 1: the CR of a CR LF
            // Reported now and dropped up to its line end, however far that is.
            begin_ = end_ = 0;
            skipping_ = true;
            Line line;
            line.number = ++number_;
            line.tooLong = true;
            return line;
        } else if (atEnd_) {
            if (begin_ == end_)
                return std::nullopt;
            const std::size_t from = begin_;
            begin_ = end_;
            return makeLine(from, end_);
        }
        if (atEnd_ || !fill())
            return std::nullopt;
    }
}

// Moves the unread bytes to the front and reads one more piece; false on a read error.
bool LineReader::fill()
{
    if (begin_ != 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    errno = 0;
    const std::size_t wanted = buffer_.size() - end_;
    const std::size_t got = std::fread(buffer_.data() + end_, 1, wanted, file_);
    end_ += got;
    // fread comes back short only at the end of the input or on an error.
    if (got < wanted) {
        if (std::ferror(file_)) {
            error_ = errno != 0 ? errno : EIO;
            return false;
        }
        atEnd_ = true;
    }
    return true;
}

Line LineReader::makeLine(std::size_t from, std::size_t to)
{
    if (to > from && buffer_[to - 1] == '\r')
        --to;
    std::string_view text(buffer_.data() + from, to - from);
    Line line;
    line.number = ++number_;
    if (line.number == 1 && text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    if (text.size() > kMaxLine)
        line.tooLong = true;  // whole in the buffer, but as unusable as a longer one
    else
        line.text = text;
    return line;
}

} // namespace zelva::batch
