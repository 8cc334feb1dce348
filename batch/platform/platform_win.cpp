// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/platform/platform.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <climits>
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

std::optional<bool> writeConsole(DWORD stream, std::string_view text)
{
    const HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode))
        return std::nullopt;
    const std::wstring wide = toWide(text);
    // A console may take less than it is given; what is left goes again.
    const wchar_t* rest = wide.data();
    std::size_t left = wide.size();
    while (left != 0) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(left, 8192));
        if (!WriteConsoleW(handle, rest, piece, &written, nullptr) || written == 0)
            return false;
        rest += written;
        left -= written;
    }
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

std::optional<std::vector<std::string>> commandLineArguments(int, char**)
{
    // The ANSI argv cannot hold every file name; the wide command line can.
    // Without it the program must not go on as if no file had been named.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::nullopt;
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(toUtf8(wide[i], static_cast<int>(std::wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

std::FILE* openInput(const std::string& name)
{
    return _wfopen(toWide(name).c_str(), L"rb");
}

bool isTerminal(std::FILE* file)
{
    // Not _isatty: it holds for NUL and a COM port too, being any character device.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

std::string_view endOfInputKeys()
{
    return "Ctrl+Z e poi Invio";
}

ReadResult readSome(std::FILE* file, char* buffer, std::size_t capacity)
{
    // One ReadFile underneath: a pipe gives what it holds, a console a line.
    // Ctrl+C ends the process as Windows does by default; every leg known by
    // then was written before the read began to wait.
    const int got = _read(_fileno(file), buffer, static_cast<unsigned>(std::min<std::size_t>(capacity, INT_MAX)));
    if (got >= 0)
        return {static_cast<std::size_t>(got), 0, false};
    return {0, errno != 0 ? errno : EIO, false};
}

NumberFormat userNumberFormat()
{
    return NumberFormat{localeInfo(LOCALE_SDECIMAL), localeInfo(LOCALE_STHOUSAND)};
}

std::string systemReason(int error)
{
    return std::strerror(error);
}

bool isClosedPipe(int error)
{
    // The C runtime maps a broken pipe to EPIPE, but "the pipe is being
    // closed" and "no process on the other end" only to EINVAL; the system's
    // own error, left by the failed write, still tells them apart.
    const DWORD last = GetLastError();
    return error == EPIPE
        || (error == EINVAL
            && (last == ERROR_NO_DATA || last == ERROR_BROKEN_PIPE || last == ERROR_PIPE_NOT_CONNECTED));
}

void writeMessage(std::string_view message)
{
    // A console shows UTF-16 right whatever its code page; a file or a pipe
    // gets the UTF-8 bytes.
    std::string line(message);
    line += '\n';
    if (!writeConsole(STD_ERROR_HANDLE, line).has_value())
        std::fwrite(line.data(), 1, line.size(), stderr);
}

std::optional<bool> writeToConsole(std::string_view text)
{
    return writeConsole(STD_OUTPUT_HANDLE, text);
}

int processExitCode(ExitStatus status)
{
    // No signals here: a closed pipe ends quietly with the status of a failure.
    return static_cast<int>(status == ExitStatus::OutputClosed ? ExitStatus::Failed : status);
}

} // namespace zelva::batch
