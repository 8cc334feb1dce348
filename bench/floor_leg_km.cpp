// SPDX-License-Identifier: GPL-3.0-or-later
// The floors' distance (shared/bench-floor/floor_distance.h, built with
// -DFLOOR_LEG_KM_EXTERN) as the batch program's own, so that bench_batch can
// race each floor both with its haversine and with the program's arithmetic.
#include "floor_distance.h"

#include "calc/great_circle.h"

double floorLegKm(double la1, double lo1, double la2, double lo2)
{
    return zelva::greatCircleKm(la1, lo1, la2, lo2);
}
