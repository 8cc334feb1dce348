// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_lines.h"

#include "calc/message_box.h"

namespace zelva {

namespace {

constexpr std::size_t kBannerMiddle = 48;

static_assert(kMakerAddress.size() == 27, "the address line frames exactly 27 characters");
static_assert(kProgramTitle.size() <= kBannerMiddle);

std::string bannerLine(std::string_view middle)
{
    return " ********" + std::string(middle) + "********";
}

std::string centred(std::string_view text)
{
    const std::size_t left = (kBannerMiddle - text.size()) / 2;
    const std::size_t right = kBannerMiddle - text.size() - left;
    return std::string(left, ' ') + std::string(text) + std::string(right, ' ');
}

// Three lines from `first` on; each cell is read once, in the order of the file.
void writeFix(std::array<std::string, kReportLineCount>& lines, std::size_t first,
              const FieldTable& cells, const FixCells& fix)
{
    lines[first] = " NORD = " + cells.readCell(fix.latitude);
    lines[first + 1] = " EST = " + cells.readCell(fix.longitude);
    std::string& time = lines[first + 2];
    time = " Orario " + cells.readCell(fix.hours);
    time += ':';
    time += cells.readCell(fix.minutes);
    time += ':';
    time += cells.readCell(fix.seconds);
}

// The captions of the results, in the order of kReportResults.
constexpr std::array<std::string_view, kReportResults.size()> kResultCaptions = {
    " DISTANZA km -> ", " DISTANZA m -> ", " VELOCITA' Km/h -> ", " VELOCITA' m/s -> ",
    " Intervallo s -> ",
};

} // namespace

std::array<std::string, kReportLineCount> composeReport(const FieldTable& cells)
{
    const std::string rule = " " + std::string(64, '-');
    // Each cell is read once, in the order its text appears in the file.
    std::array<std::string, kReportLineCount> lines;
    lines[0] = "";
    lines[1] = rule;
    lines[2] = bannerLine(centred(kProgramTitle));
    lines[3] = bannerLine(std::string(kBannerMiddle, ' '));
    lines[4] = bannerLine(std::string(10, ' ') + std::string(kMakerAddress) + std::string(11, ' '));
    lines[5] = rule;
    lines[6] = "";
    writeFix(lines, 7, cells, kFixCells[0]);
    lines[10] = "";
    writeFix(lines, 11, cells, kFixCells[1]);
    lines[14] = "";
    lines[15] = std::string(21, '-') + " RISULTATI " + std::string(20, '-');
    lines[16] = "";
    for (std::size_t i = 0; i < kReportResults.size(); ++i)
        lines[17 + i] = std::string(kResultCaptions[i]) + cells.readCell(kReportResults[i]);
    return lines;
}

} // namespace zelva
