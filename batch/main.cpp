// SPDX-License-Identifier: GPL-3.0-or-later
// zelvamirontica-batch: the legs of logs and tables of fixes, in the window's digits.
#include "batch/batch_run.h"
#include "batch/options.h"
#include "batch/platform.h"
#include "batch/reporter.h"

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
