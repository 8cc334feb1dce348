// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_run.h"

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "batch/input_line.h"
#include "batch/leg_builder.h"

namespace zelva::batch {

BatchRun::BatchRun(const LegTable& table, OutputStream& output, ReportFn report)
    : table_(table), output_(output), report_(std::move(report))
{
}

bool BatchRun::begin()
{
    row_.clear();
    table_.appendHeader(row_);
    return output_.write(row_);
}

bool BatchRun::readInput(std::string_view name, LineReader& reader,
                         const std::function<std::string(int)>& systemReason)
{
    LegBuilder legs;
    bool headerAllowed = true;
    while (const std::optional<Line> line = reader.next()) {
        if (line->tooLong) {
            reject(name, line->number,
                   "riga troppo lunga (oltre " + std::to_string(LineReader::kMaxLine) + " byte), saltata");
            headerAllowed = false;
            continue;
        }
        const InputLine read = readInputLine(line->text, headerAllowed);
        if (std::holds_alternative<Blank>(read))
            continue;
        headerAllowed = false;
        bool written = true;
        std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, LineError>) {
                    reject(name, line->number, value.reason);
                } else if constexpr (std::is_same_v<T, ListFix>) {
                    if (const std::optional<Leg> leg = legs.add(value, line->number))
                        written = writeLeg(name, *leg);
                } else if constexpr (std::is_same_v<T, PairRow>) {
                    // The list's held fix ends first, so rows stay in input order.
                    if (const std::optional<Leg> leg = legs.flush())
                        written = writeLeg(name, *leg);
                    written = written && writeLeg(name, Leg{line->number, computeTrip(value.first, value.second)});
                }
            },
            read);
        if (!written)
            return false;
    }
    if (reader.readError() != 0) {
        report_(std::string(name) + ": lettura non riuscita: " + systemReason(reader.readError()));
        status_ = Status::Failed;
    }
    if (const std::optional<Leg> leg = legs.flush())
        return writeLeg(name, *leg);
    return true;
}

void BatchRun::failInput(std::string_view name, std::string_view reason)
{
    report_(std::string(name) + ": impossibile aprire il file: " + std::string(reason));
    status_ = Status::Failed;
}

bool BatchRun::writeLeg(std::string_view name, const Leg& leg)
{
    row_.clear();
    table_.appendRow(row_, name, leg);
    return output_.write(row_);
}

void BatchRun::reject(std::string_view name, long line, std::string_view reason)
{
    report_(std::string(name) + ":" + std::to_string(line) + ": " + std::string(reason));
    if (status_ == Status::Clean)
        status_ = Status::LinesRejected;
}

} // namespace zelva::batch
