// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_run.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <type_traits>
#include <variant>

#include "batch/input_line.h"
#include "batch/leg_builder.h"
#include "batch/leg_table.h"
#include "batch/line_reader.h"
#include "batch/output_stream.h"
#include "batch/platform.h"
#include "calc/decimal_separator.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kVersion = "zelvamirontica-batch " ZELVA_VERSION "\n";

class Run : public LegSink {
public:
    Run(const LegTable& table, OutputStream& output, Reporter& reporter)
        : table_(table), output_(output), reporter_(reporter)
    {
    }

    ExitStatus inputs(const std::vector<std::string>& names)
    {
        row_.clear();
        table_.appendHeader(row_);
        output_.write(row_);
        for (const std::string& name : names) {
            if (stopped_ || output_.failed())
                break;
            const bool standardInput = name == "-";
            std::FILE* const file = standardInput ? stdin : openInput(name);
            if (!file) {
                reporter_.input(name, "impossibile aprire il file: " + systemReason(errno));
                continue;
            }
            read(name, file);
            if (!standardInput)
                std::fclose(file);
        }
        output_.flush();
        return ended();
    }

    void leg(const Leg& leg) override
    {
        row_.clear();
        table_.appendRow(row_, name_, leg);
        output_.write(row_);
    }

    void earlierFix(long line, long previousLine) override
    {
        reporter_.line(name_, line,
                       "ora precedente a quella della posizione alla riga " + std::to_string(previousLine)
                           + ", saltata");
    }

private:
    void read(std::string_view name, std::FILE* file)
    {
        name_ = name;
        LegBuilder legs(*this);
        LineReader reader([&](char* buffer, std::size_t capacity) {
            if (!output_.flush())
                return ReadResult{0, 0, true};  // nobody takes what would be read
            return readSome(file, buffer, capacity);
        });
        bool headerAllowed = true;
        while (const std::optional<Line> line = reader.next()) {
            if (line->tooLong) {
                reporter_.line(name, line->number,
                               "riga troppo lunga (oltre " + std::to_string(LineReader::kMaxLine)
                                   + " byte), saltata");
                headerAllowed = false;
                continue;
            }
            const InputLine read = readInputLine(line->text, headerAllowed);
            if (std::holds_alternative<Blank>(read))
                continue;
            headerAllowed = false;
            std::visit(
                [&](const auto& value) {
                    using T = std::decay_t<decltype(value)>;
                    if constexpr (std::is_same_v<T, LineError>) {
                        reporter_.line(name, line->number, value.reason);
                    } else if constexpr (std::is_same_v<T, ListFix>) {
                        legs.add(value, line->number);
                    } else if constexpr (std::is_same_v<T, EpochDate>) {
                        legs.add(value);
                    } else if constexpr (std::is_same_v<T, PairRow>) {
                        // The list's held fix ends first, so rows stay in input order.
                        legs.flush();
                        leg(Leg{line->number, computeTrip(value.first, value.second)});
                    }
                },
                read);
            if (output_.failed())
                return;
        }
        if (reader.readError() != 0)
            reporter_.input(name, "lettura non riuscita: " + systemReason(reader.readError()));
        // A stop ends the input as its end would: the held epoch's leg is known.
        legs.flush();
        stopped_ = reader.stopped() && !output_.failed();
    }

    ExitStatus ended()
    {
        if (output_.failed()) {
            if (output_.closedPipe())
                return ExitStatus::OutputClosed;
            reporter_.program("standard output: scrittura non riuscita: " + systemReason(output_.error()));
            return ExitStatus::Failed;
        }
        return stopped_ ? ExitStatus::Stopped : reporter_.status();
    }

    const LegTable& table_;
    OutputStream& output_;
    Reporter& reporter_;
    std::string name_;
    std::string row_;
    bool stopped_ = false;
};

// Help and version go to standard output, which may fail like any output.
ExitStatus print(std::string_view text, Reporter& reporter)
{
    if (const std::optional<bool> written = writeToConsole(text)) {
        if (*written)
            return ExitStatus::Clean;
        reporter.program("standard output: scrittura non riuscita sulla console");
        return ExitStatus::Failed;
    }
    OutputStream out(stdout);
    if (out.write(text) && out.flush())
        return ExitStatus::Clean;
    if (out.closedPipe())
        return ExitStatus::OutputClosed;
    reporter.program("standard output: scrittura non riuscita: " + systemReason(out.error()));
    return ExitStatus::Failed;
}

} // namespace

ExitStatus runCommand(const CommandLine& command, Reporter& reporter)
{
    if (std::holds_alternative<ShowHelp>(command))
        return print(kHelpText, reporter);
    if (std::holds_alternative<ShowVersion>(command))
        return print(kVersion, reporter);
    if (const auto* error = std::get_if<OptionError>(&command)) {
        reporter.program(error->message);
        return ExitStatus::Failed;
    }
    const Options& options = std::get<Options>(command);
    // The window's rule; settings that give neither a comma nor a point get
    // the point, which is also what the window expects of its user then.
    const DecimalSeparator separator = options.separator.value_or(detectDecimalSeparator(userNumberFormat()));
    const LegTable table(separator, options.inputs.size() > 1);
    OutputStream output(stdout);
    return Run(table, output, reporter).inputs(options.inputs);
}

} // namespace zelva::batch
