// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/climb_counter.h"

#include <algorithm>

namespace zelva::batch {

void ClimbCounter::add(double seconds, double elevation)
{
    window_.push_back({seconds, elevation});
    while (next_ < window_.size() && seconds - window_[next_].seconds > kClimbHalfWindow)
        smoothNext();
    // Many fixes within the half window: the oldest go, smoothed as they can be.
    if (window_.size() > kMostClimbFixes) {
        if (next_ == 0)
            smoothNext();
        window_.pop_front();
        --next_;
    }
}

void ClimbCounter::flush()
{
    while (next_ < window_.size())
        smoothNext();
    window_.clear();
    next_ = 0;
}

void ClimbCounter::smoothNext()
{
    const double at = window_[next_].seconds;
    double n = 0.0, st = 0.0, se = 0.0;
    for (const Point& p : window_) {
        if (p.seconds < at - kClimbHalfWindow || p.seconds > at + kClimbHalfWindow)
            continue;
        n += 1.0;
        st += p.seconds - at;
        se += p.elevation;
    }
    const double meanT = st / n, meanE = se / n;
    double stt = 0.0, ste = 0.0;
    for (const Point& p : window_) {
        if (p.seconds < at - kClimbHalfWindow || p.seconds > at + kClimbHalfWindow)
            continue;
        const double dt = p.seconds - at - meanT;
        stt += dt * dt;
        ste += dt * (p.elevation - meanE);
    }
    // At the line's own time: the mean, moved along the slope where there is one.
    count(stt > 0.0 ? meanE - ste / stt * meanT : meanE);
    ++next_;
    // What the next one to smooth (or the last, if it is yet to come) still needs.
    const double needed = window_[std::min(next_, window_.size() - 1)].seconds - kClimbHalfWindow;
    while (next_ > 0 && window_.front().seconds < needed) {
        window_.pop_front();
        --next_;
    }
}

void ClimbCounter::count(double elevation)
{
    lowest_ = std::min(lowest_.value_or(elevation), elevation);
    highest_ = std::max(highest_.value_or(elevation), elevation);
    if (!turn_) {
        turn_ = elevation;
        return;
    }
    const double change = elevation - *turn_;
    if (direction_ >= 0 && change > 0.0 && (direction_ > 0 || change >= kClimbHysteresis)) {
        ascent_ += change;
        turn_ = elevation;
        direction_ = 1;
    } else if (direction_ <= 0 && change < 0.0 && (direction_ < 0 || -change >= kClimbHysteresis)) {
        descent_ -= change;
        turn_ = elevation;
        direction_ = -1;
    } else if (direction_ > 0 && -change >= kClimbHysteresis) {
        descent_ -= change;
        turn_ = elevation;
        direction_ = -1;
    } else if (direction_ < 0 && change >= kClimbHysteresis) {
        ascent_ += change;
        turn_ = elevation;
        direction_ = 1;
    }
}

} // namespace zelva::batch
