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

void SummaryWriter::beginList(const Fix& first)
{
    list_ = ListSummary{};
    list_.line = first.line;
    list_.fixes = 1;
}

void SummaryWriter::endList()
{
    if (list_.fixes > 0)
        write(list_);
    list_ = ListSummary{};
}

void SummaryWriter::pair(const Leg& leg)
{
    ListSummary alone;
    alone.line = leg.from.line;
    alone.fixes = 1;
    alone.add(leg);
    write(alone);
}

void SummaryWriter::write(const ListSummary& list)
{
    line_.clear();
    table_.appendSummaryRow(line_, file_, list);
    output_.write(line_);
}

} // namespace zelva::batch
