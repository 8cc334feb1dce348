// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/list_judge.h"

#include "batch/fix/clock.h"

namespace zelva::batch {

namespace {

// The whole days in a span that is whole days give or take a leap second.
std::int64_t wholeDays(std::int64_t nanoseconds)
{
    const std::int64_t shifted = nanoseconds + kNanosecondsPerDay / 2;
    std::int64_t days = shifted / kNanosecondsPerDay;
    if (shifted % kNanosecondsPerDay < 0)
        --days;
    return days;
}

} // namespace

void ListJudge::begin(const Fix& first)
{
    figures_ = TripFigures{};
    figures_.fixes = 1;
    top_ = TopSpeed{};
    climb_ = ClimbCounter{};
    spikes_.takeSpikes();
    firstNanoseconds_.reset();
    lastNanoseconds_.reset();
    lastDate_.reset();
    sinceFirst_ = 0;
    countedFromFirst_ = false;
    if (!first.clock)
        return untimed(first);
    firstNanoseconds_ = lastNanoseconds_ = first.clock->nanoseconds;
    lastDate_ = first.clock->date;
    countedFromFirst_ = true;
    if (lastDate_)
        figures_.start = Instant{*lastDate_, *lastNanoseconds_};
    startStretch(first);
}

void ListJudge::leg(const Leg& leg)
{
    ++figures_.fixes;
    const Fix& to = leg.to;
    follow(to, leg.intervalNanoseconds);
    std::int64_t at = 0;
    if (leg.intervalNanoseconds) {
        figures_.timed = true;
        figures_.elapsedNanoseconds = addOrKeep(figures_.elapsedNanoseconds, *leg.intervalNanoseconds);
        if (inStretch_ && !__builtin_add_overflow(stretchNanoseconds_, *leg.intervalNanoseconds, &at)) {
            stretchNanoseconds_ = at;
            spikes_.add(Step{Sample{at, secondsOf(at), to.latitude, to.longitude, to.elevation},
                             *leg.intervalNanoseconds, leg.distanceKm});
            return;
        }
    }
    // No time across the leg: its distance alone, and the fix begins a stretch of its own.
    figures_.distanceKm += leg.distanceKm;
    if (to.clock)
        startStretch(to);
    else
        untimed(to);
}

TripFigures ListJudge::end()
{
    endStretch();
    figures_.spikes = spikes_.takeSpikes();
    figures_.topMetresPerSecond = top_.metresPerSecond();
    figures_.ascentM = climb_.ascent();
    figures_.descentM = climb_.descent();
    figures_.lowestM = climb_.lowest();
    figures_.highestM = climb_.highest();
    if (lastNanoseconds_ && lastDate_)
        figures_.end = Instant{*lastDate_, *lastNanoseconds_};
    TripFigures figures = figures_;
    figures_ = TripFigures{};
    return figures;
}

void ListJudge::follow(const Fix& to, const std::optional<std::int64_t>& interval)
{
    if (!interval || !to.clock || !lastNanoseconds_) {
        countedFromFirst_ = false;
        lastNanoseconds_ = to.clock ? std::optional(to.clock->nanoseconds) : std::nullopt;
        lastDate_ = to.clock ? to.clock->date : std::nullopt;
        return;
    }
    const std::int64_t now = to.clock->nanoseconds;
    // A fix without a date is on the day its interval reaches, as its leg was made.
    if (to.clock->date)
        lastDate_ = to.clock->date;
    else if (lastDate_)
        lastDate_ = *lastDate_ + wholeDays(*lastNanoseconds_ + *interval - now);
    if (countedFromFirst_ && __builtin_add_overflow(sinceFirst_, *interval, &sinceFirst_))
        countedFromFirst_ = false;
    // A log whose date comes after its first fix: the first fix's date counted back.
    if (!figures_.start && countedFromFirst_ && lastDate_ && firstNanoseconds_)
        figures_.start = Instant{*lastDate_ - wholeDays(*firstNanoseconds_ + sinceFirst_ - now), *firstNanoseconds_};
    lastNanoseconds_ = now;
}

void ListJudge::startStretch(const Fix& fix)
{
    endStretch();
    inStretch_ = true;
    stretchNanoseconds_ = 0;
    travelledM_ = 0.0;
    spikes_.add(Step{Sample{0, 0.0, fix.latitude, fix.longitude, fix.elevation}, 0, 0.0});
}

void ListJudge::endStretch()
{
    if (!inStretch_)
        return;
    spikes_.flush();
    stops_.flush();
    climb_.flush();
    top_.reset();
    inStretch_ = false;
}

void ListJudge::untimed(const Fix& fix)
{
    endStretch();
    if (fix.elevation)
        climb_.addUntimed(*fix.elevation);
}

void ListJudge::step(const Step& step)
{
    stops_.add(step);
    if (step.at.elevation)
        climb_.add(step.at.seconds, *step.at.elevation);
}

void ListJudge::judged(const Step& step, bool stopped)
{
    if (stopped) {
        figures_.stoppedNanoseconds = addOrKeep(figures_.stoppedNanoseconds, step.legNanoseconds);
    } else {
        figures_.movingNanoseconds = addOrKeep(figures_.movingNanoseconds, step.legNanoseconds);
        figures_.distanceKm += step.legKm;
        figures_.movingKm += step.legKm;
        travelledM_ += step.legKm * 1000.0;
    }
    top_.add(step.at.nanoseconds, travelledM_);
}

} // namespace zelva::batch
