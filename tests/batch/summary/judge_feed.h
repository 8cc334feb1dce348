// SPDX-License-Identifier: GPL-3.0-or-later
// Fixes through the leg builder into a list judge, as the summary writer
// feeds it: the figures of each list.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "batch/legs/leg_builder.h"
#include "batch/summary/list_judge.h"

namespace zelva::batch::testing {

class JudgeFeed final : public LegSink, public RejectionSink {
public:
    void beginList(const Fix& first) override { judge_.begin(first); }
    void leg(const Leg& leg) override { judge_.leg(leg); }
    void endList() override { lists_.push_back(judge_.end()); }
    void pair(const Leg&) override { ADD_FAILURE() << "a pair from a list of fixes"; }
    void rejected(const Rejection& r) override { ADD_FAILURE() << "line " << r.line << ": " << r.reason; }

    static std::vector<TripFigures> judge(const std::vector<Fix>& fixes)
    {
        JudgeFeed feed;
        LegBuilder legs(feed, feed);
        for (const Fix& fix : fixes)
            legs.fix(fix);
        legs.endList();
        return feed.lists_;
    }

private:
    ListJudge judge_;
    std::vector<TripFigures> lists_;
};

} // namespace zelva::batch::testing
