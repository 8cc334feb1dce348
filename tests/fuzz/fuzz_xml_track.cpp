// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a GPX, TCX or KML document, fed in two pieces as a pipe gives
// them: every point lies on the globe with its time in the day, lists end
// only after they have points, and a reading that fails says why.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch/read/xml_input.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace zelva::batch;

class CheckedTrack : public FixSink, public RejectionSink {
public:
    explicit CheckedTrack(std::string_view input) : input_(input) {}
    void fix(const Fix& fix) override
    {
        const bool inDay = !fix.clock || (fix.clock->nanoseconds >= 0 && fix.clock->nanoseconds < 86'401'000'000'000);
        zelva::fuzz::require(std::fabs(fix.latitude) <= 90.0 && std::fabs(fix.longitude) <= 180.0 && inDay
                                 && fix.line >= 1,
                             "a point is on the globe, in the day and on a line", input_);
        open_ = true;
    }
    void pair(const Fix&, const Fix&) override { zelva::fuzz::require(false, "XML has no pairs", input_); }
    void endList() override { open_ = false; }
    void rejected(const Rejection& rejection) override
    {
        zelva::fuzz::require(rejection.line >= 1 && !rejection.reason.empty(), "a rejection says where and why",
                             input_);
    }
    bool open() const { return open_; }

private:
    std::string_view input_;
    bool open_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckedTrack track(input);
    XmlInput reader(track, track);
    const std::size_t half = size / 2;
    if (reader.feed(input.substr(0, half)))
        reader.feed(input.substr(half));
    reader.finish(false);
    zelva::fuzz::require(!track.open(), "no list is left open at the end", input);
    return 0;
}
