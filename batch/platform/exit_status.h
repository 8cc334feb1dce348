// SPDX-License-Identifier: GPL-3.0-or-later
// How a run of the batch program ended, worst last among the first three, as
// the process ends with it.
#pragma once

namespace zelva::batch {

enum class ExitStatus {
    Clean = 0,          // every line used or ignored by rule
    LinesRejected = 1,  // some line reported and skipped
    Failed = 2,         // an input, an option or the output failed
    Stopped,            // Ctrl+C or a termination signal: ends as the signal would
    OutputClosed,       // the reader of the output went away: ends quietly, not as a success
};

} // namespace zelva::batch
