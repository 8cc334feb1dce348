// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/platform/platform.h"

#include <langinfo.h>
#include <locale.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace zelva::batch {

namespace {

// The signal that asked the reads to stop, 0 while none has. A signal handler
// can reach nothing but a variable of this kind, hence one for the process.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void askStop(int signal)
{
    stopSignal = signal;
}

void catchStop(int signal)
{
    struct sigaction current {};
    // A signal the shell had ignored (a job started with &) stays ignored.
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = askStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a read that waits for input returns at once
    sigaction(signal, &action, nullptr);
}

// Ends the process by the signal, as the shell expects of a program it stopped.
int endBy(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return 128 + signal;
}

} // namespace

void prepareStandardStreams()
{
    // A closed pipe is then a write error, told apart from a full disk.
    std::signal(SIGPIPE, SIG_IGN);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        catchStop(signal);
}

std::optional<std::vector<std::string>> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* openInput(const std::string& name)
{
    return std::fopen(name.c_str(), "rb");
}

bool isTerminal(std::FILE* file)
{
    // A receiver on /dev/ttyUSB0 is a terminal too, but no one's keyboard:
    // only the session's own terminal has a foreground process group.
    const int fd = fileno(file);
    return isatty(fd) == 1 && tcgetpgrp(fd) != -1;
}

std::string_view endOfInputKeys()
{
    return "Ctrl+D";
}

ReadResult readSome(std::FILE* file, char* buffer, std::size_t capacity)
{
    const int fd = fileno(file);
    for (;;) {
        if (stopSignal != 0)
            return {0, 0, true};
        const ssize_t got = read(fd, buffer, capacity);
        if (got >= 0)
            return {static_cast<std::size_t>(got), 0, false};
        if (errno != EINTR)
            return {0, errno, false};
    }
}

NumberFormat userNumberFormat()
{
    // A locale object of its own: the process's global locale stays "C", so no
    // other formatting in the program changes with the user's settings.
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (numeric == static_cast<locale_t>(0))
        return NumberFormat{".", ""};  // an unknown locale is the C locale
    NumberFormat format{nl_langinfo_l(RADIXCHAR, numeric), nl_langinfo_l(THOUSEP, numeric)};
    freelocale(numeric);
    return format;
}

std::string systemReason(int error)
{
    // The C library converts its translations to the character set of the
    // locale's LC_CTYPE; the C locale's ASCII would turn "È" into "?".
    locale_t ctype = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (ctype == static_cast<locale_t>(0))
        ctype = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (ctype == static_cast<locale_t>(0))
        return std::strerror(error);
    const locale_t messages = newlocale(LC_MESSAGES_MASK, "", ctype);
    if (messages == static_cast<locale_t>(0)) {
        freelocale(ctype);
        return std::strerror(error);
    }
    std::string reason = strerror_l(error, messages);
    freelocale(messages);
    return reason;
}

bool isClosedPipe(int error)
{
    return error == EPIPE;
}

void writeMessage(std::string_view message)
{
    std::string line(message);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

std::optional<bool> writeToConsole(std::string_view)
{
    return std::nullopt;  // a terminal here takes the UTF-8 bytes as they are
}

int processExitCode(ExitStatus status)
{
    switch (status) {
    case ExitStatus::Stopped:
        return endBy(stopSignal != 0 ? stopSignal : SIGINT);
    case ExitStatus::OutputClosed:
        return endBy(SIGPIPE);
    default:
        return static_cast<int>(status);
    }
}

} // namespace zelva::batch
