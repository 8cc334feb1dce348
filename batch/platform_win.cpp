// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/platform.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstring>

namespace zelva::batch {

namespace {

std::string toUtf8(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring toWide(std::string_view text)
{
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
    return out;
}

std::string localeInfo(LCTYPE type)
{
    wchar_t value[16] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, value, 16);
    return length > 1 ? toUtf8(value, length - 1) : std::string();
}

bool writeConsole(DWORD stream, std::string_view text)
{
    const HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    const std::wstring wide = toWide(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return true;
}

} // namespace

void prepareStandardStreams()
{
    // The same bytes as on Linux: no CR added before LF on output, none
    // taken away on input, and no end of file at a Ctrl+Z byte.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

std::vector<std::string> commandLineArguments(int, char**)
{
    // The ANSI argv cannot hold every file name; the wide command line can.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(toUtf8(wide[i], static_cast<int>(std::wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

std::FILE* openInput(const std::string& name)
{
    return _wfopen(toWide(name).c_str(), L"rb");
}

NumberFormat userNumberFormat()
{
    return NumberFormat{localeInfo(LOCALE_SDECIMAL), localeInfo(LOCALE_STHOUSAND)};
}

std::string systemReason(int error)
{
    return std::strerror(error);
}

void writeMessage(std::string_view message)
{
    // A console shows UTF-16 right whatever its code page; a file or a pipe
    // gets the UTF-8 bytes.
    std::string line(message);
    line += '\n';
    if (!writeConsole(STD_ERROR_HANDLE, line))
        std::fwrite(line.data(), 1, line.size(), stderr);
}

bool writeToConsole(std::string_view text)
{
    return writeConsole(STD_OUTPUT_HANDLE, text);
}

} // namespace zelva::batch
