// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: the report is written in the system's ANSI code page. The test
// runs once per code page; ZELVA_ANSI_CODE_PAGE names the one the system is set
// to for that run (Wine takes it from the locale: Italian 1252, Greek 1253).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "report/code_page.h"

namespace zelva {
namespace {

TEST(AnsiCodePage, FollowsTheSystem)
{
    const char* expected = std::getenv("ZELVA_ANSI_CODE_PAGE");
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));

    // Euro, a grave, alpha, a macron (no best-fit "a"), a byte that is no UTF-8.
    const std::string text = "\u20AC \u00E0 \u03B1 \u0101 \xFF";
    const std::string written = toAnsiCodePage(text);
    if (GetACP() == 1252)
        EXPECT_EQ(written, "\x80 \xE0 ? ? ?");
    else if (GetACP() == 1253)
        EXPECT_EQ(written, "\x80 ? \xE1 ? ?");
    else
        FAIL() << "no expectation for code page " << GetACP();
}

} // namespace
} // namespace zelva
