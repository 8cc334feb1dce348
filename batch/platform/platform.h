// SPDX-License-Identifier: GPL-3.0-or-later
// What the batch program asks of the system, one file per system: the standard
// streams as raw bytes, the arguments and file names in UTF-8, reads that give
// what has arrived, a stop on Ctrl+C, the user's number settings without
// touching the process's locale, the system's text for an errno value, messages
// on standard error, and the process's end. Throws only std::bad_alloc.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/platform/exit_status.h"
#include "calc/regional_settings.h"

namespace zelva::batch {

// What one read gave: bytes (size 0 at the end of the input), an errno value,
// or a stop asked for before anything was read.
struct ReadResult {
    std::size_t size = 0;
    int error = 0;
    bool stopped = false;
};

// Standard input and output carry bytes untranslated; a closed pipe is a write
// error; Ctrl+C and a termination signal ask the reads to stop.
void prepareStandardStreams();
// The arguments after the program's name; nullopt if the system cannot give them.
std::optional<std::vector<std::string>> commandLineArguments(int argc, char** argv);
// The file opened for binary reading, or nullptr with errno set.
std::FILE* openInput(const std::string& name);
// Whether the file is the terminal the user types at: not a pipe, a file, or
// a serial device that only looks like a terminal.
bool isTerminal(std::FILE* file);
// The keys that end what is typed at the terminal, in Italian.
std::string_view endOfInputKeys();
// What has arrived, waiting only while nothing has; stopped once a stop was asked.
ReadResult readSome(std::FILE* file, char* buffer, std::size_t capacity);
// The user's decimal and grouping symbols.
NumberFormat userNumberFormat();
// In UTF-8, in the user's language where the system has it.
std::string systemReason(int error);
// The write error of an output whose reader has gone.
bool isClosedPipe(int error);
// One message line (its line end is added).
void writeMessage(std::string_view message);
// Writes UTF-8 text to standard output where that is a console that would show
// the bytes in another code page: whether it was written. nullopt, writing
// nothing, where standard output is no such console.
std::optional<bool> writeToConsole(std::string_view text);
// The process's exit code; for a stop or a closed pipe, ends the process as
// the system's own programs end there, where it has a way to.
int processExitCode(ExitStatus status);

} // namespace zelva::batch
