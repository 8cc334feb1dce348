// SPDX-License-Identifier: GPL-3.0-or-later
// zelvamirontica-batch: the legs of logs, tracks and tables of fixes, in the window's number text.
#include "batch/run/batch_run.h"
#include "batch/run/options.h"
#include "batch/platform/platform.h"
#include "batch/write/reporter.h"

int main(int argc, char** argv)
{
    using namespace zelva::batch;
    prepareStandardStreams();
    Reporter reporter(writeMessage);
    const auto arguments = commandLineArguments(argc, argv);
    if (!arguments) {
        reporter.program("impossibile leggere la riga di comando");
        return processExitCode(ExitStatus::Failed);
    }
    return processExitCode(runCommand(parseCommandLine(*arguments), reporter));
}
