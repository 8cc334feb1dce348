// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/write/table_writer.h"

namespace zelva::batch {

void LegWriter::header()
{
    line_.clear();
    table_.appendHeader(line_);
    output_.write(line_);
}

void LegWriter::leg(const Leg& leg)
{
    line_.clear();
    table_.appendRow(line_, file_, leg);
    output_.write(line_);
}

void SummaryWriter::header()
{
    line_.clear();
    table_.appendSummaryHeader(line_);
    output_.write(line_);
}

void SummaryWriter::input(std::string_view name)
{
    closeInput();
    TableWriter::input(name);
    inInput_ = true;
}

void SummaryWriter::finish()
{
    closeInput();
    close(all_, {}, nullptr);
}

void SummaryWriter::beginTrack()
{
    closeTrack();
    inTrack_ = true;
}

void SummaryWriter::endTrack()
{
    closeTrack();
}

void SummaryWriter::beginList(const Fix& first)
{
    firstLine_ = first.line;
    inList_ = true;
    judge_.begin(first);
}

void SummaryWriter::endList()
{
    if (!inList_)
        return;
    inList_ = false;
    const TripFigures trip = judge_.end();
    write(file_, firstLine_, trip);
    listEnded(trip);
}

void SummaryWriter::pair(const Leg& leg)
{
    pairJudge_.begin(leg.from);
    pairJudge_.leg(leg);
    const TripFigures trip = pairJudge_.end();
    write(file_, leg.from.line, trip);
    listEnded(trip);
}

void SummaryWriter::listEnded(const TripFigures& trip)
{
    if (inTrack_)
        track_.add(trip);
    else
        input_.add(trip);
}

// A total is written only where it sums two lines or more, and counts as one
// line of the total it belongs to.
void SummaryWriter::close(Total& total, std::string_view file, Total* into)
{
    if (total.lines >= 2)
        write(file, std::nullopt, total.trip);
    if (total.lines > 0 && into)
        into->add(total.trip);
    total = Total{};
}

void SummaryWriter::closeTrack()
{
    close(track_, file_, &input_);
    inTrack_ = false;
}

void SummaryWriter::closeInput()
{
    if (!inInput_)
        return;
    closeTrack();
    close(input_, file_, &all_);
    inInput_ = false;
}

void SummaryWriter::write(std::string_view file, std::optional<long> line, const TripFigures& trip)
{
    line_.clear();
    table_.appendSummaryRow(line_, file, line, trip);
    output_.write(line_);
}

} // namespace zelva::batch
