// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program's command carried out: help, version, or the run over the
// inputs in order, each opened, read as its bytes arrive, and closed. Each leg
// is written as soon as it is known, and what is written is flushed before
// every wait for more input, so the legs of a live source appear as it sends
// them. A stop (Ctrl+C) ends the input as its end would, losing no leg.
// Every message goes through the reporter, but for the one line that tells a
// user at a terminal that the program waits for input. Throws only std::bad_alloc.
#pragma once

#include "batch/platform/exit_status.h"
#include "batch/run/options.h"
#include "batch/write/reporter.h"

namespace zelva::batch {

ExitStatus runCommand(const CommandLine& command, Reporter& reporter);

} // namespace zelva::batch
