// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/summary/stop_detector.h"

#include <algorithm>
#include <numbers>

#include "calc/great_circle.h"

namespace zelva::batch {

namespace {

// Beyond this from the plane's origin its east scale is redrawn.
constexpr double kPlaneReach = 10'000.0;  // m

Offset minus(const Offset& a, const Offset& b) { return {a.east - b.east, a.north - b.north}; }

} // namespace

Offset StopDetector::place(const Sample& sample)
{
    if (!plane_)
        plane_.emplace(sample.latitude, sample.longitude);
    Offset at = plane_->offset(sample.latitude, sample.longitude);
    if (length(at) <= kPlaneReach)
        return at;
    const LocalPlane old = *plane_;
    plane_.emplace(sample.latitude, sample.longitude);
    for (Held& h : held_)
        h.at = plane_->offset(h.step.at.latitude, h.step.at.longitude);
    for (Held& h : recent_)
        h.at = plane_->offset(h.step.at.latitude, h.step.at.longitude);
    const Position centre = old.position(centre_);
    centre_ = plane_->offset(centre.latitude, centre.longitude);
    return {};
}

void StopDetector::add(const Step& step)
{
    const Offset at = place(step.at);
    held_.push_back({step, next_++, at});
    if (stopped_)
        inStop();
    else
        watch();
    // A flood of fixes at one time: judged by what is known rather than held.
    while (held_.size() > kMostHeldSteps)
        emitFront(stopped_ && confirmed_);
}

void StopDetector::flush()
{
    while (stopped_) {
        // No departure came: the stop lasts to its last fix, unless it was leaving.
        if (outside_ > 0)
            endStop(lastCore_, lastCoreSeconds_);
        else
            endStop(lastMember_, lastMemberSeconds_);
    }
    emitThrough(next_, false);
    stopped_ = false;
    plane_.reset();
    lastSent_.reset();
    arrival_.reset();
    departure_.reset();
}

void StopDetector::watch()
{
    if (held_.empty())
        return;
    for (;;) {
        windowStart_ = std::max(windowStart_, held_.front().number);
        const std::size_t w = windowStart_ - held_.front().number;
        if (held_.size() - w < 2 || held_.back().step.at.seconds - held_[w].step.at.seconds < kStopSeconds)
            break;
        if (startStop(w))
            return;
        ++windowStart_;
    }
    // Fixes this long before the window can begin no stop.
    while (held_.front().number < windowStart_
           && held_[windowStart_ - held_.front().number].step.at.seconds - held_.front().step.at.seconds
                  > kStopSeconds)
        emitFront(false);
}

// How far the middle one of three fixes lies from the line between the other
// two, in σ² on each axis of an independent scatter (which gives the offset
// σ² (1 + w² + (1 - w)²) a side); none where the three are not in time order.
std::optional<double> StopDetector::scatter(const Held& before, const Held& middle, const Held& after)
{
    const double a = middle.step.at.seconds - before.step.at.seconds;
    const double b = after.step.at.seconds - middle.step.at.seconds;
    if (a <= 0.0 || b <= 0.0)
        return std::nullopt;
    const double w = a / (a + b);
    const Offset& p = before.at;
    const Offset& q = after.at;
    const Offset off = minus(middle.at, {p.east + w * (q.east - p.east), p.north + w * (q.north - p.north)});
    return (off.east * off.east + off.north * off.north) / (2.0 * (1.0 + w * w + (1.0 - w) * (1.0 - w)));
}

// σ from the median of the scatters, which a few wild ones do not move.
double StopDetector::jitter(std::vector<double>& scatters)
{
    if (scatters.empty())
        return 0.0;
    const auto middle = scatters.begin() + static_cast<std::ptrdiff_t>(scatters.size() / 2);
    std::nth_element(scatters.begin(), middle, scatters.end());
    // A 2-D normal offset's squared length over 2 σ² has its median at ln 2.
    return portableSqrt(*middle / std::numbers::ln2);
}

void StopDetector::setRadii(double sigma)
{
    radius_ = std::clamp(kStopRadiusJitters * sigma, kStopRadiusFloor, kStopRadiusCeiling);
    core_ = std::clamp(kCoreRadiusJitters * sigma, kStopRadiusFloor / 2.0, radius_);
}

bool StopDetector::startStop(std::size_t w)
{
    // Two fixes more than twice the ceiling apart cannot both be within it of
    // any centre: a moving window ends here, without a pass over its fixes
    // (a hair beyond, so that rounding never decides otherwise than the passes).
    constexpr double kApart = 2.0 * kStopRadiusCeiling + 1e-6;
    const std::size_t middle = w + (held_.size() - w) / 2;
    if (length(minus(held_.back().at, held_[w].at)) > kApart || length(minus(held_[middle].at, held_[w].at)) > kApart
        || length(minus(held_.back().at, held_[middle].at)) > kApart)
        return false;
    // Where the receiver spent the window's time: each fix weighs half the
    // time to its neighbours, so the two fixes either side of a gap in the
    // recording count for the gap.
    Offset centre;
    double weights = 0.0;
    for (std::size_t i = w; i < held_.size(); ++i) {
        const double before = i > w ? held_[i].step.at.seconds - held_[i - 1].step.at.seconds : 0.0;
        const double after = i + 1 < held_.size() ? held_[i + 1].step.at.seconds - held_[i].step.at.seconds : 0.0;
        const double weight = (before + after) / 2.0;
        centre.east += weight * held_[i].at.east;
        centre.north += weight * held_[i].at.north;
        weights += weight;
    }
    centre = {centre.east / weights, centre.north / weights};
    double farthest = 0.0;
    for (std::size_t i = w; i < held_.size(); ++i)
        farthest = std::max(farthest, length(minus(held_[i].at, centre)));
    if (farthest > kStopRadiusCeiling)
        return false;  // whatever the jitter
    scratch_.clear();
    for (std::size_t i = w + 1; i + 1 < held_.size(); ++i)
        if (const std::optional<double> v = scatter(held_[i - 1], held_[i], held_[i + 1]))
            scratch_.push_back(*v);
    setRadii(jitter(scratch_));
    if (farthest > radius_)
        return false;
    const auto within = [&](std::size_t i, double r) { return length(minus(held_[i].at, centre)) <= r; };
    // An earlier window may have failed for one stray fix: the stop goes back
    // over the fixes before the window that lie within it, a stray one
    // included.
    std::size_t from = w;
    while (from > 0) {
        if (within(from - 1, radius_))
            from -= 1;
        else if (from >= 2 && within(from - 2, radius_))
            from -= 2;
        else
            break;
    }
    // The approach is no part of the stop: it begins at the first fix in the core.
    std::size_t first = held_.size(), last = 0;
    for (std::size_t i = from; i < held_.size(); ++i) {
        if (within(i, core_)) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first == held_.size()) {
        first = from;  // a few fixes around an empty middle
        last = held_.size() - 1;
    }
    const std::uint64_t lastCore = held_[last].number;
    // The arrival runs straight from the last fix beyond the radius to the centre.
    const Held* beyond = from > 0 ? &held_[from - 1] : nullptr;
    const std::optional<Sample> before = beyond ? std::optional(beyond->step.at) : lastSent_;
    arrival_.reset();
    if (before) {
        const Position centreAt = plane_->position(centre);
        arrival_ = Straight{held_[from].number, held_[first].number,
                            greatCircleKm(before->latitude, before->longitude, centreAt.latitude, centreAt.longitude),
                            held_[first].step.at.seconds - before->seconds};
    }
    for (std::size_t i = 0; i < first; ++i)
        emitFront(false);
    // From here the stop's own fixes tell its jitter, the approach's no longer.
    scatters_.clear();
    for (std::size_t i = 1; i + 1 < held_.size(); ++i)
        if (const std::optional<double> v = scatter(held_[i - 1], held_[i], held_[i + 1]))
            scatters_.push_back(*v);
    recent_[1] = held_.back();
    recent_[0] = held_.size() >= 2 ? held_[held_.size() - 2] : held_.back();
    stopped_ = true;
    confirmed_ = false;
    centre_ = centre;
    start_ = held_.front().number;
    startSeconds_ = held_.front().step.at.seconds;
    lastCore_ = lastCore;
    lastCoreSeconds_ = held_[lastCore - start_].step.at.seconds;
    lastMember_ = held_.back().number;
    lastMemberSeconds_ = held_.back().step.at.seconds;
    outside_ = 0;
    if (lastCoreSeconds_ - startSeconds_ >= kStopSeconds) {
        confirmed_ = true;
        emitThrough(lastCore_, true);
    }
    return true;
}

void StopDetector::inStop()
{
    const Held& h = held_.back();
    const double seconds = h.step.at.seconds;
    if (const std::optional<double> v = scatter(recent_[0], recent_[1], h)) {
        scatters_.push_back(*v);
        if (scatters_.size() > kJitterFixes)
            scatters_.pop_front();
        scratch_.assign(scatters_.begin(), scatters_.end());
        setRadii(jitter(scratch_));
    }
    recent_[0] = recent_[1];
    recent_[1] = h;
    const Offset off = minus(h.at, centre_);
    const double distance = length(off);
    if (distance > radius_) {
        if (outside_++ == 0)
            firstOutsideSeconds_ = seconds;
        if (outside_ >= kDepartureFixes && seconds - firstOutsideSeconds_ >= kDepartureSeconds)
            endStop(lastCore_, lastCoreSeconds_);
        return;
    }
    outside_ = 0;
    const double weight = std::min(1.0, (seconds - lastMemberSeconds_) / kCentreSeconds);
    centre_ = {centre_.east + weight * off.east, centre_.north + weight * off.north};
    lastMember_ = h.number;
    lastMemberSeconds_ = seconds;
    if (distance <= core_ || seconds - lastCoreSeconds_ > kLongestDeparture) {
        lastCore_ = h.number;
        lastCoreSeconds_ = seconds;
    }
    if (!confirmed_ && lastCoreSeconds_ - startSeconds_ >= kStopSeconds)
        confirmed_ = true;
    if (confirmed_)
        emitThrough(lastCore_, true);
}

void StopDetector::endStop(std::uint64_t last, double lastSeconds)
{
    // Cut to its core, a stop may turn out shorter than a stop.
    const bool stop = lastSeconds - startSeconds_ >= kStopSeconds;
    emitThrough(last, stop);
    // The departure runs straight from the centre to the first fix beyond the radius.
    if (stop && outside_ > 0) {
        const Held& beyond = held_[held_.size() - static_cast<std::size_t>(outside_)];
        const Position centre = plane_->position(centre_);
        departure_ = Straight{last + 1, beyond.number,
                              greatCircleKm(centre.latitude, centre.longitude, beyond.step.at.latitude,
                                            beyond.step.at.longitude),
                              beyond.step.at.seconds - lastSeconds};
    }
    stopped_ = false;
    watch();
}

void StopDetector::emitThrough(std::uint64_t number, bool stop)
{
    while (!held_.empty() && held_.front().number <= number)
        emitFront(stop);
}

void StopDetector::emitFront(bool stop)
{
    Held h = held_.front();
    held_.pop_front();
    // The ways into and out of a stop share their straight distance by time,
    // rather than run through the stop's scattered fixes.
    for (const std::optional<Straight>* way : {&arrival_, &departure_}) {
        if (*way && h.number >= (*way)->first && h.number <= (*way)->last) {
            const double seconds = static_cast<double>(h.step.legNanoseconds) / kNanosecondsPerSecond;
            h.step.legKm = (*way)->seconds > 0.0 ? (*way)->km * seconds / (*way)->seconds
                           : h.number == (*way)->last ? (*way)->km
                                                      : 0.0;
        }
    }
    lastSent_ = h.step.at;
    out_.judged(h.step, stop && h.number > start_);
}

} // namespace zelva::batch
