// SPDX-License-Identifier: GPL-3.0-or-later
// The report under Windows' own file faults: a report file that another program
// holds open without sharing, as spreadsheet programs do, a read-only one, and
// a path longer than the old 260-character limit.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/memory_field_table.h"
#include "calc/message_box.h"
#include "report/print_report.h"

namespace zelva {
namespace {

namespace fs = std::filesystem;

// Windows' own spelling of a path of any length.
fs::path extended(const fs::path& path)
{
    return L"\\\\?\\" + fs::absolute(path).wstring();
}

// The standard library's remove_all loses its way in a path of Windows' long
// spelling; the system's own calls do not.
void removeAll(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeAll(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(extended(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::wstring> namesIn(const fs::path& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(extended(folder)))
        names.push_back(entry.path().filename().wstring());
    return names;
}

// Presses "Stampa" once on empty cells with `chosen` as the dialog's answer;
// returns the prompts of the boxes shown.
std::vector<std::string> press(const fs::path& chosen)
{
    std::vector<std::string> prompts;
    MemoryFieldTable cells;
    printReport(
        cells, [&] { return std::optional<std::string>(chosen.string()); },
        [&](std::string_view prompt, MessageStyle) {
            prompts.emplace_back(prompt);
            return MessageAnswer::Ok;
        });
    return prompts;
}

class ReportOnWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("report-windows-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "viaggio.TXT", std::ios::binary) << "earlier report\r\n";
    }
    void TearDown() override
    {
        SetFileAttributesW((folder_ / "viaggio.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
        removeAll(extended(folder_).wstring());
    }

    // The fault leaves the error box, the earlier report whole and nothing else.
    void expectRefused(const std::vector<std::string>& prompts)
    {
        ASSERT_EQ(prompts.size(), 1u);
        EXPECT_EQ(prompts[0], "ERRORE! Impossibile salvare il file\n" + (folder_ / "viaggio.TXT").string());
        EXPECT_EQ(readBytes(folder_ / "viaggio.TXT"), "earlier report\r\n");
        EXPECT_EQ(namesIn(folder_), std::vector<std::wstring>{L"viaggio.TXT"});
    }

    fs::path folder_;
};

TEST_F(ReportOnWindows, FileHeldOpenWithoutSharing)
{
    HANDLE held = CreateFileW((folder_ / "viaggio.TXT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto prompts = press(folder_ / "viaggio");
    CloseHandle(held);
    expectRefused(prompts);
}

TEST_F(ReportOnWindows, ReadOnlyFile)
{
    ASSERT_TRUE(SetFileAttributesW((folder_ / "viaggio.TXT").c_str(), FILE_ATTRIBUTE_READONLY));
    expectRefused(press(folder_ / "viaggio"));
}

TEST_F(ReportOnWindows, PathOver260Characters)
{
    const fs::path deep = folder_ / std::string(120, 'a') / std::string(120, 'b');
    ASSERT_TRUE(fs::create_directories(extended(deep)));
    const fs::path chosen = deep / "viaggio";
    ASSERT_GT(chosen.string().size() + 4, 260u);

    EXPECT_TRUE(press(chosen).empty());
    const std::string report = readBytes(deep / "viaggio.TXT");
    EXPECT_EQ(report.size(), 556u);  // an empty form's 22 lines
    EXPECT_EQ(report.substr(report.size() - 19), " Intervallo s -> \r\n");
}

} // namespace
} // namespace zelva
