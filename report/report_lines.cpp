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
    lines[7] = " NORD = " + cells.readCell("Text1");
    lines[8] = " EST = " + cells.readCell("Text2");
    lines[9] = " Orario " + cells.readCell("Text12");
    lines[9] += ":" + cells.readCell("Text10");
    lines[9] += ":" + cells.readCell("Text7");
    lines[10] = "";
    lines[11] = " NORD = " + cells.readCell("Text3");
    lines[12] = " EST = " + cells.readCell("Text4");
    lines[13] = " Orario " + cells.readCell("Text13");
    lines[13] += ":" + cells.readCell("Text14");
    lines[13] += ":" + cells.readCell("Text8");
    lines[14] = "";
    lines[15] = std::string(21, '-') + " RISULTATI " + std::string(20, '-');
    lines[16] = "";
    lines[17] = " DISTANZA km -> " + cells.readCell("Text5");
    lines[18] = " DISTANZA m -> " + cells.readCell("Text6");
    lines[19] = " VELOCITA' Km/h -> " + cells.readCell("Text9");
    lines[20] = " VELOCITA' m/s -> " + cells.readCell("Text11");
    lines[21] = " Intervallo s -> " + cells.readCell("Text15");
    return lines;
}

} // namespace zelva
