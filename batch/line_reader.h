// SPDX-License-Identifier: GPL-3.0-or-later
// Lines of an input as its bytes arrive, in a fixed buffer: LF, CR LF or a lone
// CR ends a line, a byte order mark on line 1 is dropped, a UBX binary frame
// between lines is passed over, and a line over kMaxLine bytes is reported once
// and skipped, so memory stays bounded whatever the input holds. A line is given
// out as soon as its end has arrived: the source is asked for more only when no
// whole line is left. A read error or a stop ends the lines after the last whole
// one. Nothing throws but std::bad_alloc at construction and what the source throws.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace zelva::batch {

// What one read gave: bytes (size 0 at the end of the input), an errno value,
// or a stop asked for before anything was read.
struct ReadResult {
    std::size_t size = 0;
    int error = 0;
    bool stopped = false;
};

struct Line {
    std::string_view text;  // valid until the next call; empty when tooLong
    long number = 0;        // 1 for the first line
    bool tooLong = false;
};

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 64 * 1024;
    // Fills up to `capacity` bytes at `buffer`; may block until some arrive.
    using Source = std::function<ReadResult(char* buffer, std::size_t capacity)>;

    explicit LineReader(Source source);

    // The next line; nullopt at the end of the input, after a read error or a stop.
    std::optional<Line> next();
    // The errno of a failed read, 0 when there was none.
    int readError() const { return error_; }
    bool stopped() const { return stopped_; }

private:
    enum class Frame { None, Skipped, NeedMore };
    Frame skipBinaryFrame();
    void fill();
    Line makeLine(std::size_t from, std::size_t to);

    Source source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t noLfBefore_ = 0;  // no LF in [begin_, noLfBefore_)
    std::size_t noCrBefore_ = 0;  // no CR in [begin_, noCrBefore_)
    long number_ = 0;
    bool atEnd_ = false;
    bool endIsCut_ = false;  // a read error or a stop: the bytes after the last line end are not a line
    bool afterCr_ = false;   // the last line ended in CR: an LF right after belongs to it
    bool skipping_ = false;  // inside an overlong line, up to its end
    bool stopped_ = false;
    int error_ = 0;
};

} // namespace zelva::batch
