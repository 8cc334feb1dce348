// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/spike_filter.h"

#include <algorithm>
#include <limits>

#include "batch/summary/local_plane.h"
#include "calc/great_circle.h"

namespace zelva::batch {

namespace {

struct Deviation {
    double metres = 0.0;
    double acceleration = 0.0;  // m/s² to reach it from the line and leave again
};

// How far at lies from the line from `from` to `to`, where that line is at at's time.
Deviation deviation(const Sample& from, const Sample& at, const Sample& to)
{
    const LocalPlane plane(from.latitude, from.longitude);
    const Offset end = plane.offset(to.latitude, to.longitude);
    const Offset point = plane.offset(at.latitude, at.longitude);
    const double span = to.seconds - from.seconds;
    const double a = at.seconds - from.seconds;
    const double b = to.seconds - at.seconds;
    const double share = span > 0.0 ? a / span : 0.5;
    const double metres = length({point.east - share * end.east, point.north - share * end.north});
    // No time to get there is no motion at all.
    const double acceleration =
        a > 0.0 && b > 0.0 ? 2.0 * metres / (a * b) : std::numeric_limits<double>::infinity();
    return {metres, acceleration};
}

} // namespace

void SpikeFilter::add(const Step& step)
{
    pending_.push_back(step);
    resolve(false);
}

void SpikeFilter::flush()
{
    resolve(true);
    before_.reset();
    anchor_.reset();
}

bool SpikeFilter::isSpike(std::size_t run) const
{
    const Sample& back = pending_[run].at;
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < run; ++i) {
        const Deviation d = deviation(*anchor_, pending_[i].at, back);
        if (d.metres < kSpikeMetres || d.acceleration < kSpikeAcceleration)
            return false;
        least = std::min(least, d.metres);
    }
    return deviation(*before_, *anchor_, back).metres <= least / 4.0;
}

void SpikeFilter::resolve(bool last)
{
    while (!pending_.empty()) {
        if (!anchor_ || !before_) {
            accept();
            continue;
        }
        bool dropped = false;
        for (std::size_t run = 1; run <= kLongestSpike && run < pending_.size(); ++run) {
            if (!isSpike(run))
                continue;
            Step& back = pending_[run];
            back.legNanoseconds = back.at.nanoseconds - anchor_->nanoseconds;
            back.legKm = greatCircleKm(anchor_->latitude, anchor_->longitude, back.at.latitude, back.at.longitude);
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(run));
            spikes_ += static_cast<long>(run);
            dropped = true;
            break;
        }
        if (dropped)
            continue;
        // Only once every run it could begin has had its chance to come back.
        if (!last && pending_.size() <= kLongestSpike)
            break;
        accept();
    }
}

void SpikeFilter::accept()
{
    const Step step = pending_.front();
    pending_.pop_front();
    before_ = anchor_;
    anchor_ = step.at;
    out_.step(step);
}

} // namespace zelva::batch
