// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/distance_speed.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"

namespace zelva {

namespace {

// A working value that a failed step leaves unset; it takes part in arithmetic
// as 0 and is shown as the empty text.
using Optional = std::optional<double>;

constexpr std::array<std::string_view, 10> kInputCells = {
    "Text1", "Text2", "Text3", "Text4", "Text7", "Text8", "Text10", "Text12", "Text13", "Text14",
};

constexpr std::string_view kMissingInput = "ERRORE! Non hai inserto i dati.";

double valueOf(const Optional& v)
{
    return v.value_or(0.0);
}

// The formulas only add, subtract, multiply, and divide by finite non-zero
// values, so an overflow anywhere inside a step leaves its result non-finite.
Optional finite(double v)
{
    return std::isfinite(v) ? Optional(v) : std::nullopt;
}

std::string textOf(const Optional& v, const NumberFormat& format)
{
    return v ? numberToText(*v, format) : std::string();
}

bool anyInputEmpty(const FieldTable& cells)
{
    bool missing = false;
    for (std::string_view name : kInputCells)
        missing = cells.readCell(name).empty() || missing;
    return missing;
}

Optional timeOfDay(const Optional& hours, const Optional& minutes, double seconds)
{
    return finite((valueOf(hours) * 3600.0 + valueOf(minutes) * 60.0) + seconds);
}

// Spherical law of cosines. The sine or cosine of an enormous angle may not be
// available on every platform; then there is no cosine of the arc.
Optional centralCosine(double radLat1, double radLon1, double radLat2, double radLon2)
{
    const double sinLat1 = std::sin(radLat1);
    const double sinLat2 = std::sin(radLat2);
    const double cosLat1 = std::cos(radLat1);
    const double cosLat2 = std::cos(radLat2);
    const double cosLon = std::cos(std::fabs(radLon1 - radLon2));
    if (!std::isfinite(sinLat1) || !std::isfinite(sinLat2) || !std::isfinite(cosLat1)
        || !std::isfinite(cosLat2) || !std::isfinite(cosLon))
        return std::nullopt;
    return finite(sinLat1 * sinLat2 + (cosLat1 * cosLat2) * cosLon);
}

// The arc cosine through the arc tangent; its trailing digits are part of the
// published results, so no library acos. Identical fixes (cosArc >= 1) divide by
// zero or take the root of a negative number and keep the arc at 0. At the
// antipodes the same formula would break down too, but the arc is plainly the
// half turn, and 0 km between opposite points would be a wrong distance.
double centralAngle(double cosArc, double quarterTurn)
{
    if (cosArc <= -1.0)
        return 2.0 * quarterTurn;
    const double q = (-cosArc) * cosArc + 1.0;
    if (!(q > 0.0))
        return 0.0;
    const double s = std::sqrt(q);
    return std::atan((-cosArc) / s) + quarterTurn;
}

} // namespace

void computeDistanceAndSpeed(FieldTable& cells, const RegionalSettingsSource& settings,
                             const MessageBoxFn& showMessageBox)
{
    if (anyInputEmpty(cells)) {
        showMessageBox(kMissingInput, MessageStyle::Error);
        return;
    }

    const NumberFormat format = settings();
    const auto number = [&](std::string_view name) {
        return textToNumber(cells.readCell(name), format);
    };

    const Optional lat1 = number("Text1");
    const Optional lon1 = number("Text2");
    const Optional lat2 = number("Text3");
    const Optional lon2 = number("Text4");
    const double piValue = 314159265.0 / 100000000.0;
    const double earthRadius = 6371.0;
    const Optional hours1 = number("Text12");
    const Optional hours2 = number("Text13");
    const Optional minutes1 = number("Text10");
    const Optional minutes2 = number("Text14");
    const double seconds1 = number("Text7").value_or(0.0);
    const double seconds2 = number("Text8").value_or(0.0);

    const Optional time1 = timeOfDay(hours1, minutes1, seconds1);
    const Optional time2 = timeOfDay(hours2, minutes2, seconds2);
    cells.writeCell("Text16", textOf(time1, format));
    cells.writeCell("Text17", textOf(time2, format));

    // No day boundary: fixes either side of midnight are almost a day apart.
    const double interval = finite(std::fabs(valueOf(time2) - valueOf(time1))).value_or(0.0);

    const auto toRadians = [piValue](const Optional& degrees) {
        return finite((valueOf(degrees) * piValue) / 180.0);
    };
    const Optional radLat1 = toRadians(lat1);
    const Optional radLon1 = toRadians(lon1);
    const Optional radLat2 = toRadians(lat2);
    const double radLon2 = toRadians(lon2).value_or(0.0);

    const Optional cosArc = centralCosine(valueOf(radLat1), valueOf(radLon1), valueOf(radLat2), radLon2);
    const double quarterTurn = 2.0 * std::atan(1.0);
    const double arc = centralAngle(valueOf(cosArc), quarterTurn);

    const Optional distanceKm = earthRadius * arc;
    const Optional distanceM = valueOf(distanceKm) * 1000.0;
    const Optional speedMs = interval != 0.0 ? finite(valueOf(distanceM) / interval) : std::nullopt;
    // Without a speed in m/s there is none in km/h either: a distance covered in
    // no time is not 0 km/h.
    const double kmhPerMs = 36.0 / 10.0;
    const Optional speedKmh = speedMs ? finite(*speedMs * kmhPerMs) : std::nullopt;

    cells.writeCell("Text5", textOf(distanceKm, format));
    cells.writeCell("Text6", textOf(distanceM, format));
    cells.writeCell("Text11", textOf(speedMs, format));
    cells.writeCell("Text9", textOf(speedKmh, format));
    cells.writeCell("Text15", numberToText(interval, format));
}

} // namespace zelva
