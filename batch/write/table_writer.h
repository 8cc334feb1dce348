// SPDX-License-Identifier: GPL-3.0-or-later
// The two ways legs leave the program, picked once per run: a line per leg
// (LegWriter) or a line per list (SummaryWriter), each through the output
// table to the output stream. Throws only std::bad_alloc.
#pragma once

#include <string>
#include <string_view>

#include "batch/legs/leg.h"
#include "batch/summary/list_judge.h"
#include "batch/summary/trip_figures.h"
#include "batch/write/leg_table.h"
#include "batch/write/output_stream.h"

namespace zelva::batch {

class TableWriter : public LegSink {
public:
    TableWriter(const LegTable& table, OutputStream& output) : table_(table), output_(output) {}
    virtual ~TableWriter() = default;
    virtual void header() = 0;
    // The input whose legs come next, as the file column names it.
    virtual void input(std::string_view name) { file_ = name; }
    // The last input has ended.
    virtual void finish() {}

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

// A line per list, each as soon as the list ends; then a total line
// ("totale" in riga) after the lists of a track, after those of an input and
// after all the inputs, where it sums two lines or more: a track's total
// counts as one line of its input's, an input's as one of the run's. The
// run's total has an empty file column.
class SummaryWriter final : public TableWriter {
public:
    using TableWriter::TableWriter;
    void header() override;
    void input(std::string_view name) override;
    void finish() override;
    void beginTrack() override;
    void endTrack() override;
    void beginList(const Fix& first) override;
    void leg(const Leg& leg) override { judge_.leg(leg); }
    void endList() override;
    // As a list of its own.
    void pair(const Leg& leg) override;

private:
    struct Total {
        TripFigures trip;
        long lines = 0;
        void add(const TripFigures& figures)
        {
            trip.add(figures);
            ++lines;
        }
    };

    void listEnded(const TripFigures& trip);
    void close(Total& total, std::string_view file, Total* into);
    void closeTrack();
    void closeInput();
    void write(std::string_view file, std::optional<long> line, const TripFigures& trip);

    ListJudge judge_;
    ListJudge pairJudge_;  // a row of ten numbers may come in the middle of a list
    long firstLine_ = 0;
    bool inList_ = false;
    bool inTrack_ = false;
    bool inInput_ = false;
    Total track_, input_, all_;
};

} // namespace zelva::batch
