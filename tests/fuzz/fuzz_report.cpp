// SPDX-License-Identifier: GPL-3.0-or-later
// Any texts in the 15 report cells: the fixed lines stay as they are, each cell
// line is its label plus the cell's text, and the Windows-1252 encoding of a
// line is that of its label followed by that of each text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "tests/support/memory_field_table.h"
#include "report/code_page.h"
#include "report/report_lines.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using Lines = std::array<std::string, zelva::kReportLineCount>;

// Lines (0-based) that hold one cell, and that cell.
struct CellLine {
    std::size_t line;
    zelva::Cell cell;
};
constexpr std::array<CellLine, 9> kCellLines = {{
    {7, zelva::Cell::Latitude1}, {8, zelva::Cell::Longitude1}, {11, zelva::Cell::Latitude2},
    {12, zelva::Cell::Longitude2}, {17, zelva::Cell::DistanceKm}, {18, zelva::Cell::DistanceM},
    {19, zelva::Cell::SpeedKmh}, {20, zelva::Cell::SpeedMs}, {21, zelva::Cell::Interval},
}};

// The time lines: hours, minutes and seconds joined by colons.
struct TimeLine {
    std::size_t line;
    std::array<zelva::Cell, 3> cells;
};
constexpr std::array<TimeLine, 2> kTimeLines = {{
    {9, {zelva::Cell::Hours1, zelva::Cell::Minutes1, zelva::Cell::Seconds1}},
    {13, {zelva::Cell::Hours2, zelva::Cell::Minutes2, zelva::Cell::Seconds2}},
}};

bool isCellLine(std::size_t line)
{
    for (const CellLine& c : kCellLines)
        if (c.line == line) return true;
    for (const TimeLine& t : kTimeLines)
        if (t.line == line) return true;
    return false;
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelva;
    using fuzz::require;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    static const Lines empty = composeReport(MemoryFieldTable{});

    FuzzedDataProvider provider(data, size);
    MemoryFieldTable cells;
    for (const CellLine& c : kCellLines)
        cells.writeCell(c.cell, provider.ConsumeRandomLengthString());
    for (const TimeLine& t : kTimeLines)
        for (Cell cell : t.cells)
            cells.writeCell(cell, provider.ConsumeRandomLengthString());
    const Lines lines = composeReport(cells);

    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(toWindows1252(lines[i]).size() <= lines[i].size(), "encoding never lengthens a line",
                input);
        if (!isCellLine(i))
            require(lines[i] == empty[i], "a fixed line stays as it is", input);
    }
    for (const CellLine& c : kCellLines) {
        const std::string& label = empty[c.line];
        const std::string text = cells.readCell(c.cell);
        require(isAscii(label) && toWindows1252(label) == label, "a label is plain ASCII", input);
        require(lines[c.line] == label + text, "a cell line is its label plus the text", input);
        require(toWindows1252(lines[c.line]) == label + toWindows1252(text),
                "a cell line encodes as its label plus the encoded text", input);
    }
    for (const TimeLine& t : kTimeLines) {
        const std::string label = empty[t.line].substr(0, empty[t.line].size() - 2);  // less "::"
        const std::string h = cells.readCell(t.cells[0]);
        const std::string m = cells.readCell(t.cells[1]);
        const std::string s = cells.readCell(t.cells[2]);
        require(lines[t.line] == label + h + ':' + m + ':' + s, "a time line is its label plus h:m:s",
                input);
        require(toWindows1252(lines[t.line])
                    == label + toWindows1252(h) + ':' + toWindows1252(m) + ':' + toWindows1252(s),
                "a time line encodes as its parts", input);
    }
    return 0;
}
