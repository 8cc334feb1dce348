// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/leg_builder.h"

namespace zelva::batch {

namespace {

constexpr double kSecondsPerDay = 86400.0;

bool sameEpoch(const ListFix& held, double heldTime, const ListFix& next, double nextTime)
{
    return held.sentence && next.sentence && heldTime == nextTime
        && !(held.date && next.date && *held.date != *next.date);
}

double timeOfDay(const Fix& fix)
{
    return secondsOfDay(fix).value_or(0.0);
}

} // namespace

void LegBuilder::add(const ListFix& fix, long line)
{
    const double time = timeOfDay(fix.fix);
    if (pending_ && sameEpoch(pending_->fix, pending_->timeOfDay, fix, time)) {
        if (!pending_->fix.date)
            pending_->fix.date = fix.date;
        return;
    }
    flush();
    pending_ = Held{fix, line, time, 0};
    if (loneDate_ && fix.sentence && !fix.date && loneDate_->timeOfDay == time)
        pending_->fix.date = loneDate_->date;
    loneDate_.reset();
    if (!fix.sentence)
        flush();
}

void LegBuilder::add(const EpochDate& date)
{
    const double time = timeOfDay(date.clock);
    if (pending_ && pending_->fix.sentence && pending_->timeOfDay == time) {
        if (!pending_->fix.date)
            pending_->fix.date = date.date;
        return;
    }
    // A date at another time begins the next epoch.
    flush();
    loneDate_ = LoneDate{time, date.date};
}

void LegBuilder::flush()
{
    if (!pending_)
        return;
    Held current = *pending_;
    pending_.reset();

    ++fixes_;
    if (previous_ && (!current.fix.timed || !previous_->fix.timed)) {
        // No clock on one side: the distance alone, and the days stay as they were.
        current.day = previous_->day;
        if (!current.fix.timed)
            current.timeOfDay = previous_->timeOfDay;
        sink_.leg(Leg{current.line, computeTrip(previous_->fix.fix, current.fix.fix), false});
        previous_ = current;
        return;
    }
    if (previous_) {
        const bool datesKnown = current.fix.date && firstDate_;
        if (datesKnown) {
            const std::int64_t previousDate = *firstDate_ + previous_->day;
            if (*current.fix.date < previousDate
                || (*current.fix.date == previousDate && current.timeOfDay < previous_->timeOfDay)) {
                sink_.earlierFix(current.line, previous_->line);
                --fixes_;
                return;
            }
            current.day = *current.fix.date - *firstDate_;
        } else {
            current.day = previous_->day + (current.timeOfDay < previous_->timeOfDay ? 1 : 0);
        }
    }
    if (current.fix.date && !firstDate_)
        firstDate_ = *current.fix.date - current.day;

    if (previous_) {
        const std::int64_t days = current.day - previous_->day;
        // Only a fix inside 23:59:60 shows that its day was a second longer.
        const int leapSeconds = days > 0 && previous_->timeOfDay >= kSecondsPerDay ? 1 : 0;
        sink_.leg(Leg{current.line, computeTrip(previous_->fix.fix, current.fix.fix, days, leapSeconds)});
    }
    previous_ = current;
}

} // namespace zelva::batch
