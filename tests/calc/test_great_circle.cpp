// SPDX-License-Identifier: GPL-3.0-or-later
// greatCircleKm and its kernels against MPFR at 200 bits, fed the same doubles,
// and against the window's own formula.
#include "calc/great_circle.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <numbers>
#include <ostream>
#include <random>
#include <string>

#include "calc/portable_math.h"
#include "calc/trip.h"

namespace zelva {
namespace {

// 200 bits; x(mpfr_f, y...) is mpfr_f of x and y, rounded to nearest.
class Real {
public:
    Real(double d = 0.0) { mpfr_init2(v_, 200); mpfr_set_d(v_, d, MPFR_RNDN); }
    Real(const Real& o) : Real() { mpfr_set(v_, o.v_, MPFR_RNDN); }
    Real& operator=(const Real& o) { mpfr_set(v_, o.v_, MPFR_RNDN); return *this; }
    ~Real() { mpfr_clear(v_); }
    template <class F, class... R> Real operator()(F f, const R&... b) const
    {
        Real r;
        f(r.v_, v_, b.v_..., MPFR_RNDN);
        return r;
    }
    double toDouble() const { return mpfr_get_d(v_, MPFR_RNDN); }
    // |got - this| in units in the last place of this.
    double ulps(double got) const
    {
        const double error = std::fabs(Real(got)(mpfr_sub, *this).toDouble());
        return std::ldexp(error, 53 - static_cast<int>(mpfr_get_exp(v_)));
    }
private:
    mpfr_t v_;
};

struct Leg {
    double lat1, lon1, lat2, lon2;
};

double km(const Leg& l)
{
    return greatCircleKm(l.lat1, l.lon1, l.lat2, l.lon2);
}

std::ostream& operator<<(std::ostream& out, const Leg& l)
{
    return out << std::hexfloat << l.lat1 << ' ' << l.lon1 << ' ' << l.lat2 << ' ' << l.lon2;
}

// The exact arc in km: the same folding in degrees, then the chord between the
// points in space.
double referenceKm(const Leg& leg)
{
    const Real degree = Real(314159265.0 / 100000000.0)(mpfr_div, Real(180.0));
    const auto fold = [](double lat, double lon, Real& phi, Real& lambda) {
        phi = Real(lat)(mpfr_remainder, Real(360.0));
        lambda = Real(lon)(mpfr_remainder, Real(360.0));
        if (std::fabs(phi.toDouble()) > 90.0) {  // the remainder is exact, a double
            phi = Real(std::copysign(180.0, phi.toDouble()))(mpfr_sub, phi);
            lambda = lambda(mpfr_add, Real(180.0));
        }
    };
    Real phi1, lambda1, phi2, lambda2;
    fold(leg.lat1, leg.lon1, phi1, lambda1);
    fold(leg.lat2, leg.lon2, phi2, lambda2);
    phi1 = phi1(mpfr_mul, degree);
    phi2 = phi2(mpfr_mul, degree);
    const Real dLon = lambda2(mpfr_sub, lambda1)(mpfr_remainder, Real(360.0))(mpfr_mul, degree);
    const Real c2 = phi2(mpfr_cos);
    const Real dx = c2(mpfr_mul, dLon(mpfr_cos))(mpfr_sub, phi1(mpfr_cos));
    const Real dy = c2(mpfr_mul, dLon(mpfr_sin));
    const Real dz = phi2(mpfr_sin)(mpfr_sub, phi1(mpfr_sin));
    const Real chord = dx(mpfr_hypot, dy)(mpfr_hypot, dz);
    return chord(mpfr_div, Real(2.0))(mpfr_asin)(mpfr_mul, Real(2.0 * 6371.0)).toDouble();
}

class Random {
public:
    explicit Random(std::uint64_t seed) : bits_(seed) {}
    double uniform(double a, double b) { return a + (b - a) * double(bits_() >> 11) * 0x1p-53; }
    double logUniform(double a, double b) { return std::exp(uniform(std::log(a), std::log(b))); }
    double sign() { return bits_() & 1 ? 1.0 : -1.0; }
    double latitude() { return std::asin(uniform(-1.0, 1.0)) / kDegree; }
    // From a fix, about `distance` km on a random bearing (true pi here: only
    // the inputs are made with it).
    Leg leg(double lat, double lon, double distance)
    {
        using std::sin, std::cos;
        const double d = distance / 6371.0, p = lat * kDegree;
        const double t = uniform(0.0, 2.0 * std::numbers::pi);
        const double p2 = std::asin(sin(p) * cos(d) + cos(p) * sin(d) * cos(t));
        const double l2 = std::atan2(sin(t) * sin(d) * cos(p), cos(d) - sin(p) * sin(p2));
        return {lat, lon, p2 / kDegree, lon + l2 / kDegree};
    }
    static constexpr double kDegree = std::numbers::pi / 180.0;
private:
    std::mt19937_64 bits_;
};

struct LegSource {
    const char* name;
    std::function<Leg(Random&)> make;
};

const LegSource kLegSources[] = {
    {"one_millimetre_to_antipodes", [](Random& r) {
         return r.leg(r.latitude(), r.uniform(-180.0, 180.0), r.logUniform(1e-6, 20015.0));
     }},
    {"near_antipodes", [](Random& r) {
         const double lat = r.latitude(), lon = r.uniform(-180.0, 180.0);
         const Leg near = r.leg(-lat, lon + 180.0, r.logUniform(1e-6, 10.0));
         return Leg{lat, lon, near.lat2, near.lon2};
     }},
    {"near_the_poles", [](Random& r) {
         return r.leg(r.sign() * (90.0 - r.logUniform(1e-9, 0.1)), r.uniform(-180.0, 180.0),
                      r.logUniform(1e-6, 20.0));
     }},
    {"across_180", [](Random& r) {
         const double lon = r.sign() * (180.0 - r.logUniform(1e-9, 1.0));
         Leg leg = r.leg(r.latitude(), lon, r.logUniform(1e-6, 300.0));
         if (std::fabs(leg.lon2) > 180.0)
             leg.lon2 -= std::copysign(360.0, leg.lon2);
         return leg;
     }},
    {"past_the_poles_and_whole_turns", [](Random& r) {
         const auto any = [&r] {
             return r.sign() * (r.sign() > 0.0 ? r.uniform(0.0, 1000.0) : r.logUniform(1e3, 1e300));
         };
         return Leg{any(), any(), any(), any()};
     }},
};

void PrintTo(const LegSource& source, std::ostream* out)
{
    *out << source.name;
}

class GreatCircleAgainstMpfr : public ::testing::TestWithParam<LegSource> {};

// Random legs within 1e-13 (or 1e-12 km) of the exact arc; the same bits both
// ways round; a fix to itself exactly 0.
TEST_P(GreatCircleAgainstMpfr, WithinTheContract)
{
    Random random(20240611);
    double worst = 0.0;
    for (int i = 0; i < 1000; ++i) {
        const Leg leg = GetParam().make(random);
        const double got = km(leg), exact = referenceKm(leg);
        ASSERT_LE(std::fabs(got - exact), std::max(1e-13 * exact, 1e-12)) << leg;
        worst = std::max(worst, std::fabs(got - exact) / exact);
        ASSERT_EQ(got, km({leg.lat2, leg.lon2, leg.lat1, leg.lon1})) << leg;
        ASSERT_EQ(km({leg.lat2, leg.lon2, leg.lat2, leg.lon2}), 0.0) << leg;
    }
    std::printf("worst relative error %.3g\n", worst);
}

INSTANTIATE_TEST_SUITE_P(Legs, GreatCircleAgainstMpfr, ::testing::ValuesIn(kLegSources),
                         [](const auto& info) { return std::string(info.param.name); });

struct NamedLeg {
    const char* name;
    Leg leg;
};

// Fixed legs where a slip would show: the degree's pi is 3.14159265, so 90
// degrees are not quite the pole and 180 apart not quite opposite.
TEST(GreatCircle, NamedLegsAgainstMpfr)
{
    const NamedLeg rows[] = {
        {"quarter_turn_on_the_equator", {0.0, 0.0, 0.0, 90.0}},
        {"half_turn_on_the_equator", {0.0, 0.0, 0.0, 180.0}},
        {"pole_to_pole", {90.0, 0.0, -90.0, 0.0}},
        {"ninety_degrees_is_not_quite_the_pole", {90.0, 0.0, 90.0, 90.0}},
        {"a_millimetre_east", {45.0, 9.0, 45.0, 9.0 + 1.3e-8}},
        {"half_turn_past_the_pole", {135.0, 0.0, 45.0, 0.0}},
    };
    for (const NamedLeg& row : rows) {
        const double exact = referenceKm(row.leg);
        EXPECT_NEAR(km(row.leg), exact, std::max(1e-13 * exact, 1e-12)) << row.name;
    }
}

// One point spelled two ways, folded exactly in degrees: exactly 0 apart.
TEST(GreatCircle, OnePointSpelledTwoWaysIsZeroApart)
{
    const NamedLeg rows[] = {
        {"over_the_north_pole", {100.0, 10.0, 80.0, -170.0}},
        {"over_the_south_pole", {-135.0, 0.5, -45.0, 180.5}},
        {"whole_turns", {-725.0, 3.0 + 360.0 * 1000.0, -5.0, 3.0}},
        {"east_and_west_of_180", {10.0, 180.0, 10.0, -180.0}},
    };
    for (const NamedLeg& row : rows)
        EXPECT_EQ(km(row.leg), 0.0) << row.name;
}

TEST(GreatCircle, NotFiniteIsNaN)
{
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL}) {
        EXPECT_TRUE(std::isnan(greatCircleKm(bad, 0.0, 1.0, 1.0)));
        EXPECT_TRUE(std::isnan(greatCircleKm(0.0, 0.0, 1.0, -bad)));
    }
}

// Legs of 10 km or more agree with the window's law of cosines, whose own
// rounding is what limits the match; the window's 360 degrees are not a full
// turn, so the longitudes stay within 180 of each other, as they do on a map.
TEST(GreatCircle, AgreesWithTheWindowOnLegsOfTenKmOrMore)
{
    Random random(42);
    int compared = 0;
    for (int i = 0; i < 2000; ++i) {
        const Leg l = random.leg(random.latitude(), random.uniform(-180.0, 180.0),
                                 random.logUniform(10.0, 20015.0));
        const double got = km(l);
        if (got < 10.0 || std::numbers::pi * 6371.0 - got < 0.01)
            continue;
        ++compared;
        const double window = computeTrip({l.lat1, l.lon1}, {l.lat2, l.lon2}).distanceKm;
        ASSERT_NEAR(got, window, 5e-10 * got) << l;
    }
    EXPECT_GT(compared, 1900);
}

using Exact = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// Over |x| <= 0.8, small and large, with and without a tail of up to half an ulp.
double worstUlps(Random& random, double (*kernel)(double, double) noexcept, Exact exact)
{
    double worst = 0.0;
    for (int i = 0; i < 3000; ++i) {
        const double x =
            random.sign() * (i % 2 ? random.uniform(0.0, 0.8) : random.logUniform(1e-10, 0.8));
        const double ulp = std::nextafter(std::fabs(x), 1.0) - std::fabs(x);
        const double tail = i % 3 ? random.uniform(-0.5, 0.5) * ulp : 0.0;
        worst = std::max(worst, Real(x)(mpfr_add, Real(tail))(exact).ulps(kernel(x, tail)));
    }
    return worst;
}

TEST(PortableMath, SineAndCosineUnderAnUlp)
{
    Random random(7);
    const double sine = worstUlps(random, portableSin, mpfr_sin);
    const double cosine = worstUlps(random, portableCos, mpfr_cos);
    std::printf("worst ulps: sin %.3f, cos %.3f\n", sine, cosine);
    EXPECT_LT(sine, 1.0);
    EXPECT_LT(cosine, 1.0);
}

// Ratios up to 2, and from 1e-10 to 1e10; magnitudes from 1e-290 to 1e290.
TEST(PortableMath, ArcTangentUnderAnUlp)
{
    Random random(11);
    double worst = 0.0;
    for (int i = 0; i < 6000; ++i) {
        const double x = random.logUniform(1e-290, 1e290);
        const double y = x * (i % 2 ? random.uniform(0.0, 2.0) : random.logUniform(1e-10, 1e10));
        worst = std::max(worst, Real(y)(mpfr_atan2, Real(x)).ulps(portableAtan2(y, x)));
    }
    std::printf("worst ulps: atan2 %.3f\n", worst);
    EXPECT_LT(worst, 1.0);
    EXPECT_EQ(portableAtan2(0.0, 3.0), 0.0);
    EXPECT_EQ(portableAtan2(0.0, 0.0), 0.0);
    EXPECT_EQ(portableAtan2(3.0, 0.0), std::numbers::pi / 2);
}

TEST(PortableMath, SquareRootCorrectlyRounded)
{
    Random random(3);
    for (int i = 0; i < 3000; ++i) {
        const double x = random.logUniform(1e-300, 1e300);
        ASSERT_EQ(portableSqrt(x), Real(x)(mpfr_sqrt).toDouble()) << std::hexfloat << x;
    }
}

} // namespace
} // namespace zelva
