// SPDX-License-Identifier: GPL-3.0-or-later
// Every message of the batch program, one line each on its way to the user:
// "FILE:LINE: reason" for a line, "FILE: reason" for an input, and
// "zelvamirontica-batch: reason" for the program; and the exit status they add
// up to. Throws only std::bad_alloc and what the write function throws.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "batch/platform/exit_status.h"

namespace zelva::batch {

class Reporter {
public:
    // Gets one message line, without its line end.
    using WriteFn = std::function<void(std::string_view message)>;

    explicit Reporter(WriteFn write);

    // A line that was skipped; the run goes on.
    void line(std::string_view file, long number, std::string_view reason);
    // An input that could not be opened or read.
    void input(std::string_view file, std::string_view reason);
    // The command line or the output.
    void program(std::string_view reason);
    ExitStatus status() const { return status_; }

private:
    void write(std::string message, ExitStatus status);

    WriteFn write_;
    ExitStatus status_ = ExitStatus::Clean;
};

} // namespace zelva::batch
