// SPDX-License-Identifier: GPL-3.0-or-later
// Tells stopped from moving along a timed stretch of fixes (spikes already
// left out). A stop is a stretch of at least kStopSeconds whose fixes all lie
// within the stop radius of their centre, each fix weighing half the time to
// its neighbours (so the fixes either side of a gap weigh the gap). The
// radius comes from the receiver's jitter, not from its legs: at rest a
// receiver scattering by 3 m makes legs of 5 m/s, faster than a walker's. The
// jitter σ is measured from each fix's offset from the line between its
// neighbours, which motion hardly moves: the median over the window, then over
// the stop's last kJitterFixes fixes. The radius is 3.5 σ, at least
// kStopRadiusFloor (within 4 m for 30 s is under 1 km/h) and at most
// kStopRadiusCeiling (a walker at 1.2 m/s goes 36 m in 30 s; nor does one wild
// fix among few make a stop of a journey).
//
// A stop begins at its first fix within the core (2 σ, at least half the
// floor), so the approach is not counted in, going back over the fixes before
// the window where a stray one kept an earlier window from being a stop. It
// ends at its last fix in the core before kDepartureFixes fixes in a row, over
// at least kDepartureSeconds, lie beyond the radius: a single stray fix ends
// nothing. Cut so, under kStopSeconds is no stop. The centre follows the fixes
// over kCentreSeconds, so a receiver's slow wander at rest is no departure:
// what stays within the radius of where it was 15 s before stays stopped, as
// what keeps within it for 30 s became a stop (at the floor, under about
// 0.27 m/s either way). The way into a stop runs straight from the last fix
// beyond its radius to its centre, and the way out from the centre to the
// first fix beyond the radius, not through its scattered fixes: their legs
// share that distance by their time.
//
// Each step leaves, judged, as soon as it can and in order: the window and the
// 30 s before it, at most kMostHeldSteps, wait. Throws only std::bad_alloc and
// what the sink throws.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "batch/fix/fix.h"
#include "batch/summary/local_plane.h"
#include "batch/summary/sample.h"

namespace zelva::batch {

constexpr double kStopSeconds = 30.0;
constexpr double kStopRadiusFloor = 4.0;     // m
constexpr double kStopRadiusCeiling = 15.0;  // m
constexpr double kStopRadiusJitters = 3.5;
constexpr double kCoreRadiusJitters = 2.0;
constexpr int kDepartureFixes = 3;
constexpr double kDepartureSeconds = 2.0;
// Lingering this long after the stop's last fix in the core, within the
// radius, is being there, not leaving: it counts as in the core.
constexpr double kLongestDeparture = 15.0;
constexpr double kCentreSeconds = kStopSeconds / 2.0;
constexpr std::size_t kMostHeldSteps = 1200;
// A stop's jitter is of its last so many fixes.
constexpr std::size_t kJitterFixes = 60;

class StopDetector {
public:
    explicit StopDetector(JudgedStepSink& out) : out_(out) {}

    void add(const Step& step);
    // The stretch has ended: a stop still going on ends with its last fix.
    void flush();

private:
    struct Held {
        Step step;
        std::uint64_t number = 0;  // counted on from the first step
        Offset at;             // on plane_
    };

    Offset place(const Sample& sample);
    void watch();
    bool startStop(std::size_t window);
    void inStop();
    void endStop(std::uint64_t last, double lastSeconds);
    void emitThrough(std::uint64_t number, bool stop);
    void emitFront(bool stop);
    static std::optional<double> scatter(const Held& before, const Held& middle, const Held& after);
    static double jitter(std::vector<double>& scatters);
    void setRadii(double sigma);

    // The legs of steps first to last, which share km by their time.
    struct Straight {
        std::uint64_t first, last;
        double km;
        double seconds;
    };

    JudgedStepSink& out_;
    std::optional<LocalPlane> plane_;  // about the stretch's latest whereabouts
    std::deque<Held> held_;
    std::uint64_t next_ = 0;
    // The last kStopSeconds or more of the held steps, looked at for a stop;
    // those before it still may turn out to be its beginning.
    std::uint64_t windowStart_ = 0;
    std::vector<double> scratch_;

    bool stopped_ = false;
    // The stop being judged.
    std::deque<double> scatters_;  // of its last fixes
    Held recent_[2];               // its last two fixes
    Offset centre_;
    double radius_ = 0.0, core_ = 0.0;
    std::uint64_t start_ = 0;  // its first fix
    double startSeconds_ = 0.0;
    std::uint64_t lastCore_ = 0;    // its last fix within the core
    std::uint64_t lastMember_ = 0;  // its last fix within the radius
    double lastCoreSeconds_ = 0.0, lastMemberSeconds_ = 0.0;
    int outside_ = 0;  // fixes in a row beyond the radius
    double firstOutsideSeconds_ = 0.0;
    bool confirmed_ = false;  // lasted kStopSeconds from its start to a core fix
    std::optional<Sample> lastSent_;
    std::optional<Straight> arrival_, departure_;
};

} // namespace zelva::batch
