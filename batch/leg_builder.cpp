// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/leg_builder.h"

namespace zelva::batch {

namespace {

bool sameEpoch(const ListFix& held, double heldTime, const ListFix& next, double nextTime)
{
    return held.sentence && next.sentence && heldTime == nextTime
        && !(held.date && next.date && *held.date != *next.date);
}

} // namespace

std::optional<Leg> LegBuilder::add(const ListFix& fix, long line) noexcept
{
    const double timeOfDay = secondsOfDay(fix.fix).value_or(0.0);
    if (pending_ && sameEpoch(pending_->fix, pending_->timeOfDay, fix, timeOfDay)) {
        if (!pending_->fix.date)
            pending_->fix.date = fix.date;
        return std::nullopt;
    }
    std::optional<Leg> leg = flush();
    pending_ = Held{fix, line, timeOfDay, 0};
    return leg;
}

std::optional<Leg> LegBuilder::flush() noexcept
{
    if (!pending_)
        return std::nullopt;
    Held current = *pending_;
    pending_.reset();

    if (current.fix.date && firstDate_)
        current.day = *current.fix.date - *firstDate_;
    else if (previous_)
        current.day = previous_->day + (current.timeOfDay < previous_->timeOfDay ? 1 : 0);
    if (current.fix.date && !firstDate_)
        firstDate_ = *current.fix.date - current.day;

    std::optional<Leg> leg;
    if (previous_) {
        // The days go into the clock time of the later fix, so that the
        // interval spans them; its time of day is then put back as on the clock.
        Fix later = current.fix.fix;
        later.hours += 24.0 * static_cast<double>(current.day - previous_->day);
        Trip trip = computeTrip(previous_->fix.fix, later);
        trip.timeOfDay2 = secondsOfDay(current.fix.fix);
        leg = Leg{current.line, trip};
    }
    previous_ = current;
    return leg;
}

} // namespace zelva::batch
