// SPDX-License-Identifier: GPL-3.0-or-later
// zelvamirontica-batch: the legs of logs and tables of fixes, in the window's digits.
#include <cerrno>
#include <cstdio>
#include <string>
#include <variant>

#include "batch/batch_run.h"
#include "batch/leg_table.h"
#include "batch/line_reader.h"
#include "batch/options.h"
#include "batch/output_stream.h"
#include "batch/platform.h"
#include "calc/decimal_separator.h"

namespace {

constexpr std::string_view kProgram = "zelvamirontica-batch";

// Standard output could not be written: said, and the exit status for it.
int outputFailed(const zelva::batch::OutputStream& out)
{
    zelva::batch::writeMessage(std::string(kProgram) + ": standard output: scrittura non riuscita: "
                               + zelva::batch::systemReason(out.error()));
    return 2;
}

// Help and version go to standard output, which may fail like any output.
int print(std::string_view text)
{
    if (zelva::batch::writeToConsole(text))
        return 0;
    zelva::batch::OutputStream out(stdout);
    return out.write(text) && out.flush() ? 0 : outputFailed(out);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace zelva;
    using namespace zelva::batch;
    prepareStandardStreams();
    const CommandLine command = parseCommandLine(commandLineArguments(argc, argv));
    if (std::holds_alternative<ShowHelp>(command))
        return print(kHelpText);
    if (std::holds_alternative<ShowVersion>(command))
        return print(std::string(kProgram) + " " ZELVA_VERSION "\n");
    if (const auto* error = std::get_if<OptionError>(&command)) {
        writeMessage(std::string(kProgram) + ": " + error->message);
        return 2;
    }
    const Options& options = std::get<Options>(command);

    // The window's rule; settings that give neither a comma nor a point get
    // the point, which is also what the window expects of its user then.
    const DecimalSeparator separator = options.separator.value_or(detectDecimalSeparator(userNumberFormat()));
    const LegTable table(separator, options.inputs.size() > 1);
    OutputStream output(stdout);
    BatchRun run(table, output, writeMessage);

    bool written = run.begin();
    for (auto input = options.inputs.begin(); written && input != options.inputs.end(); ++input) {
        const bool standardInput = *input == "-";
        std::FILE* file = standardInput ? stdin : openInput(*input);
        if (!file) {
            run.failInput(*input, systemReason(errno));
            continue;
        }
        LineReader reader(file);
        written = run.readInput(*input, reader, systemReason);
        if (!standardInput)
            std::fclose(file);
    }
    if (!written || !output.flush())
        return outputFailed(output);
    return static_cast<int>(run.status());
}
