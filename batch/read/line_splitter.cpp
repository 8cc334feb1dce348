// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/line_splitter.h"

#include <algorithm>
#include <cstring>

#include "batch/read/input_bytes.h"

namespace zelva::batch {

void LineSplitter::feed(std::string_view bytes)
{
    buffer_.erase(0, begin_);
    searched_ -= std::min(searched_, begin_);
    begin_ = 0;
    buffer_.append(bytes);
}

void LineSplitter::finish(bool cut)
{
    ended_ = true;
    cut_ = cut;
}

std::optional<Line> LineSplitter::next()
{
    for (;;) {
        const char* const data = buffer_.data();
        const std::size_t size = buffer_.size();
        if (afterCr_) {
            // The first line ended in CRs at the end of the bytes: an LF after
            // them makes them a CR LF, anything else makes each CR a line end.
            std::size_t k = begin_;
            while (k < size && data[k] == '\r')
                ++k;
            if (k == size && !ended_)
                return std::nullopt;
            afterCr_ = false;
            ends_ = k < size && data[k] == '\n' ? Ends::Lf : Ends::Cr;
            begin_ = searched_ = ends_ == Ends::Lf ? k + 1 : begin_;
        }
        if (!skipping_ && begin_ < size && data[begin_] == kUbxSync[0]) {
            const std::optional<std::size_t> frame = ubxFrameSize({data + begin_, size - begin_});
            if (!frame && !ended_)
                return std::nullopt;
            if (frame.value_or(0) != 0) {
                number_ += std::count(data + begin_, data + begin_ + *frame, ends_ == Ends::Cr ? '\r' : '\n');
                begin_ += *frame;
                searched_ = begin_;
                continue;
            }
        }

        const std::size_t from = std::max(searched_, begin_);
        const char* end = static_cast<const char*>(std::memchr(data + from, ends_ == Ends::Cr ? '\r' : '\n', size - from));
        if (ends_ == Ends::Unknown) {
            const std::size_t upTo = end ? static_cast<std::size_t>(end - data) : size;
            if (const void* cr = std::memchr(data + from, '\r', upTo - from))
                end = static_cast<const char*>(cr);
        }
        if (!end) {
            searched_ = size;
            if (skipping_) {
                begin_ = searched_ = size;
                return std::nullopt;
            }
            if (size - begin_ > kMaxLine) {
                // Given now and dropped up to its line end, however far that is.
                begin_ = searched_ = size;
                skipping_ = true;
                Line line;
                line.number = ++number_;
                line.tooLong = true;
                return line;
            }
            if (!ended_ || begin_ == size || cut_)
                return std::nullopt;
            const std::size_t start = begin_;
            begin_ = searched_ = size;
            return lineOf(start, size);
        }

        std::size_t at = static_cast<std::size_t>(end - data);
        const std::size_t start = begin_;
        begin_ = searched_ = at + 1;
        if (ends_ == Ends::Unknown) {
            // The first line end decides: CRs then an LF are a CR LF (some
            // converters double the CR), CRs then anything else end lines.
            std::size_t k = at;
            while (k < size && data[k] == '\r')
                ++k;
            if (k < size && data[k] == '\n') {
                ends_ = Ends::Lf;
                at = k;
                begin_ = searched_ = k + 1;
            } else if (k < size || ended_) {
                ends_ = Ends::Cr;
            } else {
                afterCr_ = true;  // the line is not held back for the LF of a CR LF
            }
        }
        if (skipping_) {
            skipping_ = false;  // it was given when it began
            continue;
        }
        return lineOf(start, at);
    }
}

Line LineSplitter::lineOf(std::size_t from, std::size_t to)
{
    std::string_view text(buffer_.data() + from, to - from);
    // The CR of a CR LF, and any before it: line ends, not text.
    while (ends_ != Ends::Cr && !text.empty() && text.back() == '\r')
        text.remove_suffix(1);
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
