// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of an input as its bytes arrive, numbered as editors, grep -n and
// sed number them. The first line end decides for the whole input: after an
// LF or a CR LF only LF ends a line (a CR before it is dropped, a lone CR is a
// byte of its line); only where the first is a lone CR does CR end lines. A
// byte order mark on line 1 is dropped, a UBX binary frame at a line's start
// is passed over (its line ends still count), and a line over kMaxLine bytes
// is given once as too long and dropped up to its end, so memory stays bounded.
// A line is given as soon as its end has arrived. Throws only std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelva::batch {

struct Line {
    std::string_view text;  // valid until the next call; empty when tooLong
    long number = 0;        // 1 for the first line
    bool tooLong = false;
};

class LineSplitter {
public:
    static constexpr std::size_t kMaxLine = 64 * 1024;

    // The next bytes; they must stay as they are until next() gives nullopt.
    void feed(std::string_view bytes);
    // No more bytes: a last line without a line end is a line, unless the
    // input was cut (a failed read or a stop).
    void finish(bool cut);
    // The next whole line, or nullopt until more bytes are fed.
    std::optional<Line> next();

private:
    enum class Ends { Unknown, Lf, Cr };
    Line lineOf(std::size_t from, std::size_t to);

    std::string buffer_;        // bytes not yet given out, from begin_
    std::size_t begin_ = 0;
    std::size_t searched_ = 0;  // no line end in [begin_, searched_)
    Ends ends_ = Ends::Unknown;
    long number_ = 0;
    bool afterCr_ = false;   // the first line end was a CR, the last byte so far
    bool skipping_ = false;  // inside a line too long, up to its end
    bool ended_ = false;
    bool cut_ = false;
};

} // namespace zelva::batch
