// SPDX-License-Identifier: GPL-3.0-or-later
// One run over the inputs in order: each line read, each leg written to the
// output, each unusable line reported as "FILE:LINE: reason", and the exit
// status kept: 0 all used or ignored, 1 some line rejected, 2 an input or the
// output failed. Throws only std::bad_alloc and what the report function throws.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "batch/leg_table.h"
#include "batch/line_reader.h"
#include "batch/output_stream.h"

namespace zelva::batch {

// Gets one message line, without its line end.
using ReportFn = std::function<void(std::string_view message)>;

enum class Status { Clean = 0, LinesRejected = 1, Failed = 2 };

class BatchRun {
public:
    BatchRun(const LegTable& table, OutputStream& output, ReportFn report);

    // Writes the header line; false if the output failed.
    bool begin();
    // Reads one input to its end (or to the output's failure); false if the
    // output failed. A read error is reported with systemReason's text of it.
    bool readInput(std::string_view name, LineReader& reader,
                   const std::function<std::string(int)>& systemReason);
    // An input that could not be opened: reported, and the status is Failed.
    void failInput(std::string_view name, std::string_view reason);
    Status status() const { return status_; }

private:
    bool writeLeg(std::string_view name, const Leg& leg);
    void reject(std::string_view name, long line, std::string_view reason);

    const LegTable& table_;
    OutputStream& output_;
    ReportFn report_;
    std::string row_;
    Status status_ = Status::Clean;
};

} // namespace zelva::batch
