// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/legs/leg_builder.h"

#include <string>

#include "calc/great_circle.h"

namespace zelva::batch {

namespace {

constexpr std::int64_t kHalfDay = kNanosecondsPerDay / 2;
// Beyond this many days an interval in nanoseconds would not fit.
constexpr std::int64_t kMostDays = 50'000;

double distanceKm(const Fix& from, const Fix& to)
{
    return greatCircleKm(from.latitude, from.longitude, to.latitude, to.longitude);
}

} // namespace

void LegBuilder::begin(const Fix& fix, std::optional<std::int64_t> date)
{
    previous_ = fix;
    if (previous_->clock)
        previous_->clock->date = date;
    day_ = 0;
    firstDate_ = date;
    legs_.beginList(*previous_);
}

void LegBuilder::fix(const Fix& fix)
{
    if (!previous_)
        return begin(fix, fix.clock ? fix.clock->date : std::nullopt);
    const Fix& previous = *previous_;
    if (!fix.clock || !previous.clock) {
        // No clock on one side: the distance alone, and the days stay as they were.
        legs_.leg(Leg{previous, fix, distanceKm(previous, fix), std::nullopt});
        previous_ = fix;
        return;
    }
    const std::int64_t now = fix.clock->nanoseconds, before = previous.clock->nanoseconds;
    const std::optional<std::int64_t> date = fix.clock->date;
    std::int64_t day = day_;
    bool back = false;
    if (date && firstDate_) {
        day = *date - *firstDate_;
        back = day < day_ || (day == day_ && now < before);
    } else if (now < before) {
        day = day_ + 1;
        back = before - now <= kHalfDay;
    }
    const std::int64_t days = day - day_;
    std::optional<std::int64_t> interval;
    if (!back && days <= kMostDays) {
        // Only a fix inside 23:59:60 shows that its day was a second longer.
        const std::int64_t leap = days > 0 && before >= kNanosecondsPerDay ? kNanosecondsPerSecond : 0;
        interval = days * kNanosecondsPerDay + leap + now - before;
        // A table's clock may read past a day (25 h): one more than a day
        // behind is no next day but the clock running back.
        back = *interval < 0;
    }
    if (back) {
        rejections_.rejected({fix.line, "ora precedente a quella della posizione alla riga "
                                            + std::to_string(previous.line)
                                            + ": l'orologio è tornato indietro, da qui un nuovo elenco"});
        const std::optional<std::int64_t> carried = firstDate_ ? std::optional(*firstDate_ + day_) : std::nullopt;
        legs_.endList();
        return begin(fix, date ? date : carried);
    }
    legs_.leg(Leg{previous, fix, distanceKm(previous, fix), interval});
    if (date && !firstDate_)
        firstDate_ = *date - day;
    previous_ = fix;
    day_ = day;
}

void LegBuilder::pair(const Fix& first, const Fix& second)
{
    std::optional<std::int64_t> interval;
    if (first.clock && second.clock) {
        const std::int64_t difference = second.clock->nanoseconds - first.clock->nanoseconds;
        interval = difference < 0 ? -difference : difference;
    }
    legs_.pair(Leg{first, second, distanceKm(first, second), interval});
}

void LegBuilder::endList()
{
    if (!previous_)
        return;
    previous_.reset();
    day_ = 0;
    firstDate_.reset();
    legs_.endList();
}

void LegBuilder::beginTrack()
{
    endList();
    legs_.beginTrack();
}

void LegBuilder::endTrack()
{
    endList();
    legs_.endTrack();
}

} // namespace zelva::batch
