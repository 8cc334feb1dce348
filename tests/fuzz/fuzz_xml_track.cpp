// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a GPX, TCX or KML document, fed in two pieces as a pipe gives
// them: lists open and close in turn, every point lies on the globe with its
// time in the day, and a reading that fails says why, once.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch/xml_track.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

class CheckedTrack : public zelva::batch::TrackSink {
public:
    explicit CheckedTrack(std::string_view input) : input_(input) {}
    void beginList() override
    {
        zelva::fuzz::require(!open_, "a list begins only after the one before has ended", input_);
        open_ = true;
    }
    void point(const zelva::batch::TrackPoint& point) override
    {
        zelva::fuzz::require(open_, "a point belongs to a list", input_);
        bool inDay = true;
        if (point.time)
            inDay = point.time->hours >= 0 && point.time->hours < 24 && point.time->minutes >= 0
                 && point.time->minutes < 60 && point.time->seconds >= 0 && point.time->seconds < 61;
        zelva::fuzz::require(std::fabs(point.latitude) <= 90.0 && std::fabs(point.longitude) <= 180.0 && inDay
                                 && point.line >= 1,
                             "a point is on the globe, in the day and on a line", input_);
    }
    void endList() override
    {
        zelva::fuzz::require(open_, "a list ends only once begun", input_);
        open_ = false;
    }
    void badPoint(long line, std::string_view reason) override
    {
        zelva::fuzz::require(line >= 1 && !reason.empty(), "a bad point says where and why", input_);
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
    zelva::batch::XmlTrackReader reader(track);
    const std::size_t half = size / 2;
    const bool read = reader.feed(input.data(), half, false) && reader.feed(input.data() + half, size - half, true);
    zelva::fuzz::require(read != reader.error().has_value(), "a reading fails exactly when it says why", input);
    zelva::fuzz::require(!track.open(), "no list is left open at the end", input);
    return 0;
}
