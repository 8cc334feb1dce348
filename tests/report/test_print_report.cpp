// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include "tests/support/memory_field_table.h"
#include "calc/message_box.h"
#include "report/print_report.h"

namespace zelva {
namespace {

namespace fs = std::filesystem;

const char kWorkedExample[] =
    "\r\n"
    " ----------------------------------------------------------------\r\n"
    " ********                 Zelvamirontica                 ********\r\n"
    " ********                                                ********\r\n"
    " ********          https://zelvamirontica.org/           ********\r\n"
    " ----------------------------------------------------------------\r\n"
    "\r\n"
    " NORD = 45,4642\r\n"
    " EST = 9,19\r\n"
    " Orario 10:15:0\r\n"
    "\r\n"
    " NORD = 45,4865\r\n"
    " EST = 9,19\r\n"
    " Orario 10:20:0\r\n"
    "\r\n"
    "--------------------- RISULTATI --------------------\r\n"
    "\r\n"
    " DISTANZA km -> 2,5\r\n"
    " DISTANZA m -> 2500\r\n"
    " VELOCITA' Km/h -> 30\r\n"
    " VELOCITA' m/s -> 8,33333333333333\r\n"
    " Intervallo s -> 300\r\n";

MemoryFieldTable workedExampleCells()
{
    MemoryFieldTable t;
    const std::pair<Cell, const char*> texts[] = {
        {Cell::Latitude1, "45,4642"}, {Cell::Longitude1, "9,19"}, {Cell::Hours1, "10"},
        {Cell::Minutes1, "15"}, {Cell::Seconds1, "0"}, {Cell::Latitude2, "45,4865"},
        {Cell::Longitude2, "9,19"}, {Cell::Hours2, "10"}, {Cell::Minutes2, "20"},
        {Cell::Seconds2, "0"}, {Cell::DistanceKm, "2,5"}, {Cell::DistanceM, "2500"},
        {Cell::SpeedKmh, "30"}, {Cell::SpeedMs, "8,33333333333333"}, {Cell::Interval, "300"}};
    for (const auto& [cell, text] : texts)
        t.writeCell(cell, text);
    return t;
}

std::string readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

// Every entry below root with its content, so any leftover or change shows.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root))
        entries[e.path().string()] = e.is_regular_file() ? readBytes(e.path()) : "<folder>";
    return entries;
}

struct Box {
    std::string prompt;
    MessageStyle style;
};

class PrintReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        do
            dir_ = fs::temp_directory_path() / ("report-test-" + std::to_string(random()));
        while (!fs::create_directory(dir_));
    }

    void TearDown() override
    {
        for (const auto& e : fs::recursive_directory_iterator(dir_))
            if (e.is_directory())
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    // Presses "Stampa" once; the dialog answers `chosen`.
    void press(const FieldTable& cells, std::optional<std::string> chosen)
    {
        printReport(
            cells, [&] { return chosen; },
            [&](std::string_view prompt, MessageStyle style) {
                boxes_.push_back({std::string(prompt), style});
                return MessageAnswer::Ok;
            });
    }

    fs::path dir_;
    std::vector<Box> boxes_;
};

TEST_F(PrintReport, WorkedExampleByteForByte)
{
    press(workedExampleCells(), (dir_ / "viaggio").string());
    const std::string written = readBytes(dir_ / "viaggio.TXT");
    EXPECT_EQ(written.size(), 616u);
    EXPECT_EQ(written, kWorkedExample);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrintReport, NonAsciiCellTextWrittenAsWindows1252)
{
    MemoryFieldTable cells;
    cells.writeCell(Cell::Latitude1, "\u20AC \u00E0 \u4E2D");
    press(cells, (dir_ / "viaggio").string());
    const std::string written = readBytes(dir_ / "viaggio.TXT");
    EXPECT_NE(written.find("\r\n NORD = \x80 \xE0 ?\r\n"), std::string::npos);
}

struct PathRow {
    const char* chosen;
    const char* written;
};

class ReportPath : public PrintReport, public ::testing::WithParamInterface<PathRow> {};

TEST_P(ReportPath, AlwaysAppendsUpperCaseTxt)
{
    press(workedExampleCells(), (dir_ / GetParam().chosen).string());
    const auto entries = snapshot(dir_);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->first, (dir_ / GetParam().written).string());
    EXPECT_EQ(entries.begin()->second, kWorkedExample);
    EXPECT_TRUE(boxes_.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, ReportPath,
                         ::testing::Values(PathRow{"viaggio", "viaggio.TXT"},
                                           PathRow{"viaggio.txt", "viaggio.txt.TXT"},
                                           PathRow{"report.TXT", "report.TXT.TXT"}),
                         [](const auto& info) {
                             std::string name = info.param.chosen;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

TEST_F(PrintReport, CancelTouchesNothingAndShowsNothing)
{
    writeBytes(dir_ / "viaggio.TXT", "earlier\r\n");
    const auto before = snapshot(dir_);
    press(workedExampleCells(), std::nullopt);
    EXPECT_EQ(snapshot(dir_), before);
    EXPECT_TRUE(boxes_.empty());
}

// Regression: opening for output without truncating would leave the old tail.
TEST_F(PrintReport, LongerEarlierFileFullyReplaced)
{
    writeBytes(dir_ / "viaggio.TXT", std::string(5000, 'x'));
    press(workedExampleCells(), (dir_ / "viaggio").string());
    EXPECT_EQ(readBytes(dir_ / "viaggio.TXT"), kWorkedExample);
}

TEST_F(PrintReport, PressingTwiceRewritesTheSameFile)
{
    MemoryFieldTable cells = workedExampleCells();
    press(cells, (dir_ / "viaggio").string());
    cells.writeCell(Cell::Interval, "");
    press(cells, (dir_ / "viaggio").string());
    std::string expected = kWorkedExample;
    expected.erase(expected.size() - 5, 3);  // "300" gone from the last line
    const auto entries = snapshot(dir_);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->second, expected);
    EXPECT_TRUE(boxes_.empty());
}

#ifndef _WIN32
// Limits the size of any file this process writes, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool ok_ = false;
};
#endif

struct FailureRow {
    const char* name;
    // Prepares the folder (an earlier report where there can be one) and
    // returns the name the dialog answers.
    std::function<fs::path(const fs::path& root)> prepare;
    bool readOnlyFolder = false;
    std::uint64_t fileSizeLimit = 0;  // 0: none
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class ReportFailure : public PrintReport, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ReportFailure, ShowsErrorKeepsEarlierFileLeavesNoTemporary)
{
    const FailureRow& row = GetParam();
    const fs::path chosen = row.prepare(dir_);
    if (row.readOnlyFolder) {
        fs::permissions(chosen.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        const fs::path probe = chosen.parent_path() / "probe";
        if (std::ofstream(probe)) {
            fs::remove(probe);
            GTEST_SKIP() << "folder permissions are not enforced here (root, or Windows); "
                            "the other rows cover a file that cannot be created";
        }
    }
    const auto before = snapshot(dir_);
    {
#ifdef _WIN32
        if (row.fileSizeLimit != 0)
            GTEST_SKIP() << "Windows has no per-process limit on the size of a file written";
#else
        std::optional<FileSizeLimit> limit;
        if (row.fileSizeLimit != 0) {
            limit.emplace(static_cast<rlim_t>(row.fileSizeLimit));
            ASSERT_TRUE(limit->ok());
        }
#endif
        press(workedExampleCells(), chosen.string());
    }
    EXPECT_EQ(snapshot(dir_), before);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].prompt, "ERRORE! Impossibile salvare il file\n" + chosen.string() + ".TXT");
    EXPECT_EQ(boxes_[0].style, MessageStyle::Error);
}

fs::path withEarlierReport(const fs::path& folder)
{
    fs::create_directories(folder);
    writeBytes(folder / "viaggio.TXT", "earlier report\r\n");
    return folder / "viaggio";
}

const FailureRow kFailureRows[] = {
    {"folder_does_not_exist", [](const fs::path& root) { return root / "missing" / "viaggio"; }},
    {"parent_is_a_regular_file",
     [](const fs::path& root) {
         writeBytes(root / "Dati", "not a folder");
         return root / "Dati" / "viaggio";
     }},
    {"name_too_long", [](const fs::path& root) { return root / std::string(300, 'a'); }},
    {"report_path_is_a_folder",
     [](const fs::path& root) {
         withEarlierReport(root / "viaggio.TXT");
         return root / "viaggio";
     }},
    {"read_only_folder", [](const fs::path& root) { return withEarlierReport(root / "ro"); }, true},
    // Regression: a buffered QSaveFile committed the first 300 of the 616
    // bytes over the earlier report and reported success.
    {"write_fails_part_way", [](const fs::path& root) { return withEarlierReport(root); }, false, 300},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReportFailure, ::testing::ValuesIn(kFailureRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelva
