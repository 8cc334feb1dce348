// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

#include "batch/input_line.h"
#include "batch/leg_builder.h"
#include "batch/leg_table.h"
#include "batch/line_reader.h"
#include "batch/list_summary.h"
#include "batch/output_stream.h"
#include "batch/platform.h"
#include "batch/xml_track.h"
#include "calc/decimal_separator.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kVersion = "zelvamirontica-batch " ZELVA_VERSION "\n";

// The bytes an input begins with are read first, to tell XML from lines.
constexpr std::size_t kPeek = 64 * 1024;

// Standard output failed: a reader that went away ends the program quietly,
// anything else is said.
ExitStatus outputFailure(const OutputStream& out, Reporter& reporter)
{
    if (out.closedPipe())
        return ExitStatus::OutputClosed;
    reporter.program("standard output: scrittura non riuscita: " + systemReason(out.error()));
    return ExitStatus::Failed;
}

class Run : public LegSink, public TrackSink {
public:
    Run(const LegTable& table, OutputStream& output, Reporter& reporter, bool summary)
        : table_(table), output_(output), reporter_(reporter), summary_(summary), peek_(kPeek)
    {
    }

    ExitStatus inputs(const std::vector<std::string>& names)
    {
        row_.clear();
        if (summary_)
            table_.appendSummaryHeader(row_);
        else
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
        if (summary_) {
            list_.add(leg);
            return;
        }
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

    void beginList() override
    {
        endList();
        legs_.emplace(*this);
        list_ = ListSummary{};
    }

    void point(const TrackPoint& point) override
    {
        ListFix fix;
        fix.fix.latitude = point.latitude;
        fix.fix.longitude = point.longitude;
        if (point.time) {
            fix.fix.hours = point.time->hours;
            fix.fix.minutes = point.time->minutes;
            fix.fix.seconds = point.time->seconds;
            fix.date = point.time->date;
        }
        fix.timed = point.time.has_value();
        addFix(fix, point.line);
    }

    void endList() override
    {
        if (!legs_)
            return;
        legs_->flush();
        list_.fixes = legs_->fixes();
        legs_.reset();
        if (summary_ && list_.fixes > 0)
            writeSummary(list_);
    }

    void badPoint(long line, std::string_view reason) override { reporter_.line(name_, line, reason); }

private:
    void addFix(const ListFix& fix, long line)
    {
        if (list_.line == 0)
            list_.line = line;
        legs_->add(fix, line);
    }

    void writeSummary(const ListSummary& list)
    {
        row_.clear();
        table_.appendSummaryRow(row_, name_, list);
        output_.write(row_);
    }

    // What has arrived, after whatever is written is out: the program may wait here.
    ReadResult readMore(std::FILE* file, char* buffer, std::size_t capacity)
    {
        if (!output_.flush())
            return ReadResult{0, 0, true};  // nobody takes what would be read
        return readSome(file, buffer, capacity);
    }

    void read(std::string_view name, std::FILE* file)
    {
        name_ = name;
        std::string first;
        ReadResult last;
        std::optional<bool> xml;
        do {
            last = readMore(file, peek_.data(), peek_.size());
            first.append(peek_.data(), last.size);
            xml = looksLikeXml(first);
        } while (!xml && last.size != 0 && first.size() < kPeek);
        // The end, an error or a stop may have come with the first bytes.
        const std::optional<ReadResult> end = last.size == 0 ? std::optional<ReadResult>(last) : std::nullopt;
        if (xml.value_or(false))
            readXml(name, file, first, end);
        else
            readLines(name, file, first, end);
        stopped_ = stopped_ && !output_.failed();
    }

    // Lines: the whole input is one list. `first` are the bytes read so far,
    // `end` what came after them where the input has already ended.
    void readLines(std::string_view name, std::FILE* file, std::string_view first, std::optional<ReadResult> end)
    {
        LineReader reader([&](char* buffer, std::size_t capacity) {
            if (!first.empty()) {
                const std::size_t size = std::min(capacity, first.size());
                std::memcpy(buffer, first.data(), size);
                first.remove_prefix(size);
                return ReadResult{size, 0, false};
            }
            if (end)
                return *end;
            return readMore(file, buffer, capacity);
        });
        beginList();
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
                        addFix(value, line->number);
                    } else if constexpr (std::is_same_v<T, EpochDate>) {
                        legs_->add(value);
                    } else if constexpr (std::is_same_v<T, PairRow>) {
                        pair(Leg{line->number, computeTrip(value.first, value.second)});
                    }
                },
                read);
            if (output_.failed())
                return;
        }
        reportReadError(name, reader.readError());
        // A stop ends the input as its end would: the held epoch's leg is known.
        endList();
        stopped_ = reader.stopped();
    }

    // A pair row is a leg by itself; the list's held fix ends first, so rows
    // stay in input order. As a summary it is a list of its own.
    void pair(const Leg& leg)
    {
        legs_->flush();
        if (!summary_)
            return this->leg(leg);
        ListSummary alone;
        alone.line = leg.line;
        alone.fixes = 2;
        alone.add(leg);
        writeSummary(alone);
    }

    void readXml(std::string_view name, std::FILE* file, std::string_view first, std::optional<ReadResult> end)
    {
        XmlTrackReader xml(*this);
        ReadResult got = end.value_or(ReadResult{});
        bool finished = end.has_value();
        bool more = xml.feed(first.data(), first.size(), finished && got.error == 0 && !got.stopped);
        while (more && !finished) {
            got = readMore(file, peek_.data(), peek_.size());
            if (got.error != 0 || got.stopped)
                break;
            finished = got.size == 0;
            more = xml.feed(peek_.data(), got.size, finished);
        }
        if (const auto& error = xml.error())
            reporter_.line(name, error->line, error->reason);
        reportReadError(name, got.error);
        endList();  // a stop or a failed read keeps the points read
        stopped_ = got.stopped;
    }

    void reportReadError(std::string_view name, int error)
    {
        if (error != 0)
            reporter_.input(name, "lettura non riuscita: " + systemReason(error));
    }

    ExitStatus ended()
    {
        if (output_.failed())
            return outputFailure(output_, reporter_);
        return stopped_ ? ExitStatus::Stopped : reporter_.status();
    }

    const LegTable& table_;
    OutputStream& output_;
    Reporter& reporter_;
    const bool summary_;
    std::vector<char> peek_;
    std::string name_;
    std::string row_;
    std::optional<LegBuilder> legs_;
    ListSummary list_;
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
    return Run(table, output, reporter, options.summary).inputs(options.inputs);
}

} // namespace zelva::batch
