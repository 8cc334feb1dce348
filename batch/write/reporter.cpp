// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/reporter.h"

#include <algorithm>
#include <utility>

namespace zelva::batch {

Reporter::Reporter(WriteFn write) : write_(std::move(write)) {}

void Reporter::line(std::string_view file, long number, std::string_view reason)
{
    write(std::string(file) + ":" + std::to_string(number) + ": " + std::string(reason),
          ExitStatus::LinesRejected);
}

void Reporter::input(std::string_view file, std::string_view reason)
{
    write(std::string(file) + ": " + std::string(reason), ExitStatus::Failed);
}

void Reporter::program(std::string_view reason)
{
    write("zelvamirontica-batch: " + std::string(reason), ExitStatus::Failed);
}

void Reporter::write(std::string message, ExitStatus status)
{
    status_ = std::max(status_, status);
    write_(message);
}

} // namespace zelva::batch
