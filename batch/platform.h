// SPDX-License-Identifier: GPL-3.0-or-later
// What the batch program asks of the system, one file per system: the standard
// streams as raw bytes, the arguments and file names in UTF-8, the user's
// number settings without touching the process's locale, the system's text for
// an errno value, and messages on standard error. Throws only std::bad_alloc.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "calc/regional_settings.h"

namespace zelva::batch {

// Standard input and output carry bytes untranslated; a closed pipe is a write error.
void prepareStandardStreams();
// The arguments after the program's name.
std::vector<std::string> commandLineArguments(int argc, char** argv);
// The file opened for binary reading, or nullptr with errno set.
std::FILE* openInput(const std::string& name);
// The user's decimal and grouping symbols.
NumberFormat userNumberFormat();
std::string systemReason(int error);
// One message line (its line end is added).
void writeMessage(std::string_view message);
// Writes UTF-8 text to standard output where that is a console that would
// show the bytes in another code page; false, writing nothing, elsewhere.
bool writeToConsole(std::string_view text);

} // namespace zelva::batch
