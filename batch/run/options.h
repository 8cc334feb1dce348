// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: input names ("-" is standard input, none means it too),
// --separatore=virgola|punto, --riepilogo, --help, --version; "--" ends the options. A wrong
// option is an Italian message. Throws only std::bad_alloc.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/decimal_separator.h"

namespace zelva::batch {

struct Options {
    std::vector<std::string> inputs;             // never empty
    std::optional<DecimalSeparator> separator;   // forced; otherwise the user's
    bool summary = false;                        // one line per list instead of per leg
};

struct ShowHelp {};
struct ShowVersion {};
struct OptionError {
    std::string message;
};

using CommandLine = std::variant<Options, ShowHelp, ShowVersion, OptionError>;

// The arguments after the program's name, UTF-8.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

extern const std::string_view kHelpText;

} // namespace zelva::batch
