// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/line_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zelva::batch {

namespace {

// Reads ask for at least this much; the buffer holds one longest line and one piece.
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// u-blox receivers mix UBX frames into their NMEA stream: two sync bytes,
// class, id, a little-endian payload length, the payload and two check bytes.
constexpr unsigned char kUbxSync[] = {0xB5, 0x62};
constexpr std::size_t kUbxHeader = 6;
constexpr std::size_t kUbxOverhead = kUbxHeader + 2;

} // namespace

LineReader::LineReader(Source source) : source_(std::move(source)), buffer_(kMaxLine + 1 + kChunk) {}

std::optional<Line> LineReader::next()
{
    for (;;) {
        const char* const data = buffer_.data();
        if (afterCr_ && begin_ != end_) {
            afterCr_ = false;
            if (data[begin_] == '\n')
                ++begin_;
        }
        if (!skipping_) {
            const Frame frame = skipBinaryFrame();
            if (frame == Frame::Skipped)
                continue;
            if (frame == Frame::NeedMore && !atEnd_) {
                fill();
                continue;
            }
        }

        // Two memchr, each remembering how far it found nothing, so that a
        // file of lone CRs is not searched to the buffer's end for every line.
        const std::size_t lfFrom = std::max(noLfBefore_, begin_);
        const void* const lf = std::memchr(data + lfFrom, '\n', end_ - lfFrom);
        noLfBefore_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : end_;
        const std::size_t crFrom = std::max(noCrBefore_, begin_);
        const void* const cr =
            noLfBefore_ > crFrom ? std::memchr(data + crFrom, '\r', noLfBefore_ - crFrom) : nullptr;
        noCrBefore_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : noLfBefore_;
        const std::size_t at = noCrBefore_;
        if (at != end_) {
            const std::size_t from = begin_;
            begin_ = at + 1;
            if (data[at] == '\r') {
                // The LF of a CR LF may not have arrived yet; the line is not held for it.
                if (begin_ == end_)
                    afterCr_ = true;
                else if (data[begin_] == '\n')
                    ++begin_;
            }
            if (skipping_) {
                skipping_ = false;  // its error was reported when it began
                continue;
            }
            return makeLine(from, at);
        }
        if (skipping_) {
            begin_ = end_ = noLfBefore_ = noCrBefore_ = 0;
        } else if (end_ - begin_ > kMaxLine) {
            // Reported now and dropped up to its line end, however far that is.
            begin_ = end_ = noLfBefore_ = noCrBefore_ = 0;
            skipping_ = true;
            Line line;
            line.number = ++number_;
            line.tooLong = true;
            return line;
        } else if (atEnd_) {
            // After a failed read the bytes since the last line end are a cut line.
            if (begin_ == end_ || endIsCut_)
                return std::nullopt;
            const std::size_t from = begin_;
            begin_ = end_;
            return makeLine(from, end_);
        }
        if (atEnd_)
            return std::nullopt;
        fill();
    }
}

// A whole UBX frame with a right checksum at the start of the unread bytes is
// passed over; its LF bytes still count as lines, as other tools count them.
LineReader::Frame LineReader::skipBinaryFrame()
{
    const std::size_t have = end_ - begin_;
    const auto* const p = reinterpret_cast<const unsigned char*>(buffer_.data() + begin_);
    if (have == 0 || p[0] != kUbxSync[0])
        return Frame::None;
    if (have < 2)
        return Frame::NeedMore;
    if (p[1] != kUbxSync[1])
        return Frame::None;
    if (have < kUbxHeader)
        return Frame::NeedMore;
    const std::size_t size = kUbxOverhead + (p[4] | static_cast<std::size_t>(p[5]) << 8);
    if (have < size)
        return Frame::NeedMore;
    unsigned a = 0, b = 0;
    for (std::size_t i = 2; i < size - 2; ++i) {
        a = (a + p[i]) & 0xFF;
        b = (b + a) & 0xFF;
    }
    if (a != p[size - 2] || b != p[size - 1])
        return Frame::None;
    number_ += std::count(p, p + size, '\n');
    begin_ += size;
    return Frame::Skipped;
}

// Moves the unread bytes to the front and reads once more.
void LineReader::fill()
{
    if (begin_ != 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        noLfBefore_ = noLfBefore_ > begin_ ? noLfBefore_ - begin_ : 0;
        noCrBefore_ = noCrBefore_ > begin_ ? noCrBefore_ - begin_ : 0;
        begin_ = 0;
    }
    const ReadResult got = source_(buffer_.data() + end_, buffer_.size() - end_);
    if (got.stopped || got.error != 0) {
        stopped_ = got.stopped;
        error_ = got.error;
        atEnd_ = endIsCut_ = true;
    } else if (got.size == 0) {
        atEnd_ = true;
    } else {
        end_ += std::min(got.size, buffer_.size() - end_);
    }
}

Line LineReader::makeLine(std::size_t from, std::size_t to)
{
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
