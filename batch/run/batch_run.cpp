// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/run/batch_run.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "batch/legs/leg_builder.h"
#include "batch/platform/platform.h"
#include "batch/read/input_kind.h"
#include "batch/write/leg_table.h"
#include "batch/write/output_stream.h"
#include "batch/write/table_writer.h"
#include "calc/decimal_separator.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kVersion = "zelvamirontica-batch " ZELVA_VERSION "\n";

// One read's worth; the first bytes of an input also tell XML from lines.
constexpr std::size_t kChunk = 64 * 1024;

// Standard output failed: a reader that went away ends the program quietly,
// anything else is said.
ExitStatus outputFailure(const OutputStream& out, Reporter& reporter)
{
    if (out.closedPipe())
        return ExitStatus::OutputClosed;
    reporter.program("standard output: scrittura non riuscita: " + systemReason(out.error()));
    return ExitStatus::Failed;
}

// The rejections of one input, each a message with the input's name.
class InputRejections final : public RejectionSink {
public:
    InputRejections(Reporter& reporter, std::string_view name) : reporter_(reporter), name_(name) {}
    void rejected(const Rejection& rejection) override { reporter_.line(name_, rejection.line, rejection.reason); }

private:
    Reporter& reporter_;
    std::string_view name_;
};

// Moves the bytes of each input to its reader, and nothing else: what the
// bytes hold is the readers' business, what the fixes make the legs', and
// what is written the writer's.
class Driver {
public:
    Driver(TableWriter& writer, OutputStream& output, Reporter& reporter)
        : writer_(writer), output_(output), reporter_(reporter), buffer_(kChunk)
    {
    }

    ExitStatus run(const std::vector<std::string>& names)
    {
        writer_.header();
        for (const std::string& name : names) {
            if (stopped_ || output_.failed())
                break;
            const bool standardInput = name == "-";
            std::FILE* const file = standardInput ? stdin : openInput(name);
            if (!file) {
                reporter_.input(name, "impossibile aprire il file: " + systemReason(errno));
                continue;
            }
            if (standardInput && isTerminal(file))
                announceWait();
            read(name, file);
            if (!standardInput)
                std::fclose(file);
        }
        writer_.finish();
        output_.flush();
        if (output_.failed())
            return outputFailure(output_, reporter_);
        return stopped_ ? ExitStatus::Stopped : reporter_.status();
    }

private:
    // A prompt, not a fault: past the reporter, which would make it one.
    static void announceWait()
    {
        writeMessage("zelvamirontica-batch: in attesa di righe dallo standard input (frasi NMEA o righe di numeri); "
                     + std::string(endOfInputKeys()) + " per finire");
    }

    // What has arrived, after whatever is written is out: the program may wait here.
    ReadResult readMore(std::FILE* file)
    {
        if (!output_.flush())
            return ReadResult{0, 0, true};  // nobody takes what would be read
        return readSome(file, buffer_.data(), buffer_.size());
    }

    void read(std::string_view name, std::FILE* file)
    {
        writer_.input(name);
        InputRejections rejections(reporter_, name);
        LegBuilder legs(writer_, rejections);

        // The first bytes tell which reader the input needs.
        std::string first;
        ReadResult got;
        std::unique_ptr<Reader> reader;
        do {
            got = readMore(file);
            first.append(buffer_.data(), got.size);
        } while (!(reader = readerFor(first, got.size == 0 || first.size() >= kChunk, legs, rejections)));

        bool useful = reader->feed(first);
        while (useful && got.size != 0 && !output_.failed()) {
            got = readMore(file);
            useful = reader->feed({buffer_.data(), got.size});
        }
        reader->finish(got.error != 0 || got.stopped);
        legs.endList();
        if (got.error != 0)
            reporter_.input(name, "lettura non riuscita: " + systemReason(got.error));
        stopped_ = got.stopped && !output_.failed();
    }

    TableWriter& writer_;
    OutputStream& output_;
    Reporter& reporter_;
    std::vector<char> buffer_;
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
    return outputFailure(out, reporter);
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
    LegWriter legs(table, output);
    SummaryWriter summaries(table, output);
    TableWriter& writer = options.summary ? static_cast<TableWriter&>(summaries) : legs;
    return Driver(writer, output, reporter).run(options.inputs);
}

} // namespace zelva::batch
