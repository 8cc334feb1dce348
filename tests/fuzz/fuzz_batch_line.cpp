// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the lines of one input: each line reads as exactly one kind,
// a sentence's fix lies on the globe and in the day, a rejected line says why,
// and every leg of the list runs forward with a finite distance.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "batch/input_line.h"
#include "batch/leg_builder.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

class CheckedLegs : public zelva::batch::LegSink {
public:
    explicit CheckedLegs(std::string_view input) : input_(input) {}
    void leg(const zelva::batch::Leg& leg) override
    {
        zelva::fuzz::require(leg.trip.interval >= 0.0 && std::isfinite(leg.trip.distanceKm),
                             "a leg has a finite distance and no negative interval", input_);
    }
    void earlierFix(long line, long previousLine) override
    {
        zelva::fuzz::require(line > previousLine, "an earlier fix comes after the one it is earlier than",
                             input_);
    }

private:
    std::string_view input_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelva::batch;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckedLegs checked(input);
    LegBuilder legs(checked);
    bool headerAllowed = true;
    long number = 0;
    std::string_view rest = input;
    while (!rest.empty()) {
        ++number;
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

        const InputLine read = readInputLine(line, headerAllowed);
        headerAllowed = headerAllowed && std::holds_alternative<Blank>(read);
        if (const auto* error = std::get_if<LineError>(&read)) {
            zelva::fuzz::require(!error->reason.empty(), "a rejected line says why", input);
        } else if (const auto* fix = std::get_if<ListFix>(&read)) {
            if (fix->sentence) {
                const zelva::Fix& f = fix->fix;
                zelva::fuzz::require(std::fabs(f.latitude) <= 90.0 && std::fabs(f.longitude) <= 180.0
                                         && f.hours >= 0 && f.hours < 24 && f.minutes >= 0
                                         && f.minutes < 60 && f.seconds >= 0 && f.seconds < 61,
                                     "a sentence's fix is on the globe and in the day", input);
            }
            legs.add(*fix, number);
        } else if (const auto* date = std::get_if<EpochDate>(&read)) {
            legs.add(*date);
        } else if (std::holds_alternative<PairRow>(read)) {
            legs.flush();
        }
    }
    legs.flush();
    return 0;
}
