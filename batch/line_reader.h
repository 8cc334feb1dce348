// SPDX-License-Identifier: GPL-3.0-or-later
// Lines of an open file in a fixed buffer: LF or CR LF ends, a byte order mark
// on line 1 dropped, a line over kMaxLine bytes reported once and skipped, so
// memory stays bounded whatever the file holds. A read error ends the lines and
// is kept as an errno value; nothing throws but std::bad_alloc at construction.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace zelva::batch {

struct Line {
    std::string_view text;  // valid until the next call; empty when tooLong
    long number = 0;        // 1 for the first line
    bool tooLong = false;
};

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 64 * 1024;

    explicit LineReader(std::FILE* file);

    // The next line; nullopt at the end of the input or after a read error.
    std::optional<Line> next();
    // The errno of a failed read, 0 when there was none.
    int readError() const { return error_; }

private:
    bool fill();
    Line makeLine(std::size_t from, std::size_t to);

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    long number_ = 0;
    bool atEnd_ = false;
    bool skipping_ = false;  // inside an overlong line, up to its end
    int error_ = 0;
};

} // namespace zelva::batch
