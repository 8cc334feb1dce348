// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/platform.h"

#include <langinfo.h>
#include <locale.h>
#include <signal.h>

#include <cstring>

namespace zelva::batch {

void prepareStandardStreams()
{
    // Without this a closed pipe kills the program silently, before it could
    // say that the output was not all written.
    signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* openInput(const std::string& name)
{
    return std::fopen(name.c_str(), "rb");
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
    // In the user's language where the C library has it.
    const locale_t messages = newlocale(LC_MESSAGES_MASK, "", static_cast<locale_t>(0));
    if (messages == static_cast<locale_t>(0))
        return std::strerror(error);
    std::string reason = strerror_l(error, messages);
    freelocale(messages);
    return reason;
}

void writeMessage(std::string_view message)
{
    std::string line(message);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

bool writeToConsole(std::string_view)
{
    return false;  // a terminal here takes the UTF-8 bytes as they are
}

} // namespace zelva::batch
