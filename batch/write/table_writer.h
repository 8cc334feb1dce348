// SPDX-License-Identifier: GPL-3.0-or-later
// The two ways legs leave the program, picked once per run: a line per leg
// (LegWriter) or a line per list (SummaryWriter), each through the output
// table to the output stream. Throws only std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

#include "batch/legs/leg.h"
#include "batch/write/leg_table.h"
#include "batch/write/list_summary.h"
#include "batch/write/output_stream.h"

namespace zelva::batch {

class TableWriter : public LegSink {
public:
    TableWriter(const LegTable& table, OutputStream& output) : table_(table), output_(output) {}
    virtual ~TableWriter() = default;
    virtual void header() = 0;
    // The input whose legs come next, as the file column names it.
    void input(std::string_view name) { file_ = name; }

protected:
    const LegTable& table_;
    OutputStream& output_;
    std::string file_;
    std::string line_;  // one output line, its room kept from line to line
};

class LegWriter final : public TableWriter {
public:
    using TableWriter::TableWriter;
    void header() override;
    void beginList(const Fix&) override {}
    void leg(const Leg& leg) override;
    void endList() override {}
    void pair(const Leg& leg) override { this->leg(leg); }
};

class SummaryWriter final : public TableWriter {
public:
    using TableWriter::TableWriter;
    void header() override;
    void beginList(const Fix& first) override;
    void leg(const Leg& leg) override { list_.add(leg); }
    void endList() override;
    // As a list of its own.
    void pair(const Leg& leg) override;

private:
    void write(const ListSummary& list);
    ListSummary list_;
};

} // namespace zelva::batch
