// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the lines of one input, fed in two pieces as a pipe gives
// them: every list begins before its legs and ends once, every leg runs
// forward over a distance on the globe, and a rejected line says where and why.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch/legs/leg_builder.h"
#include "batch/read/line_input.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace zelva::batch;

class CheckedLegs : public LegSink, public RejectionSink {
public:
    explicit CheckedLegs(std::string_view input) : input_(input) {}
    void beginList(const Fix&) override
    {
        zelva::fuzz::require(!open_, "a list begins only after the one before has ended", input_);
        open_ = true;
    }
    void leg(const Leg& leg) override
    {
        zelva::fuzz::require(open_, "a leg belongs to a list", input_);
        check(leg);
    }
    void endList() override
    {
        zelva::fuzz::require(open_, "a list ends only once begun", input_);
        open_ = false;
    }
    void pair(const Leg& leg) override { check(leg); }
    void rejected(const Rejection& rejection) override
    {
        zelva::fuzz::require(rejection.line >= 1 && !rejection.reason.empty(), "a rejection says where and why",
                             input_);
    }
    bool open() const { return open_; }

private:
    void check(const Leg& leg)
    {
        zelva::fuzz::require(leg.intervalNanoseconds.value_or(0) >= 0 && leg.distanceKm >= 0.0
                                 && leg.distanceKm <= 20015.1 && leg.line() >= 1,
                             "a leg runs forward over a distance on the globe", input_);
    }

    std::string_view input_;
    bool open_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckedLegs checked(input);
    LegBuilder legs(checked, checked);
    LineInput lines(legs, checked);
    lines.feed(input.substr(0, size / 2));
    lines.feed(input.substr(size / 2));
    lines.finish(false);
    legs.endList();
    zelva::fuzz::require(!checked.open(), "no list is left open at the end", input);
    return 0;
}
