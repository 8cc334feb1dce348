#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The summary of GPX tracks beside what gpxpy (Debian's python3-gpxpy) makes
# of them with its defaults, as a user of either would see them.
#   compare_gpxpy.py PROGRAM TRACK.gpx...
import subprocess
import sys

import gpxpy


def ours(program, path):
    out = subprocess.run([program, '--riepilogo', '--separatore=punto', path], capture_output=True, text=True,
                         check=False).stdout.splitlines()
    header = out[0].split(',')
    # The file's total where it has one, else its only line.
    return dict(zip(header, out[-1].split(',')))


def number(text, digits=1):
    return f'{float(text):.{digits}f}' if text else '-'


def main():
    program, tracks = sys.argv[1], sys.argv[2:]
    print(f'{"":14} {"":8} {"km":>7} {"moving s":>9} {"stopped s":>9} {"mean km/h":>9} {"top km/h":>9} '
          f'{"up m":>7} {"down m":>7} {"min m":>7} {"max m":>7}')
    for path in tracks:
        with open(path, encoding='utf-8') as f:
            gpx = gpxpy.parse(f)
        moving = gpx.get_moving_data()
        climb = gpx.get_uphill_downhill()
        extremes = gpx.get_elevation_extremes()
        mean = moving.moving_distance / moving.moving_time * 3.6 if moving.moving_time else 0.0
        print(f'{path.split("/")[-1]:14} {"gpxpy":8} {gpx.length_2d() / 1000:7.3f} {moving.moving_time:9.0f} '
              f'{moving.stopped_time:9.0f} {mean:9.2f} {moving.max_speed * 3.6:9.2f} {climb.uphill:7.1f} '
              f'{climb.downhill:7.1f} {extremes.minimum:7.1f} {extremes.maximum:7.1f}')
        o = ours(program, path)
        print(f'{"":14} {"ours":8} {number(o["distanza_km"], 3):>7} {number(o["in_movimento_s"], 0):>9} '
              f'{number(o["fermo_s"], 0):>9} {number(o["velocita_media_km_h"], 2):>9} '
              f'{number(o["velocita_max_km_h"], 2):>9} {number(o["salita_m"]):>7} {number(o["discesa_m"]):>7} '
              f'{number(o["quota_min_m"]):>7} {number(o["quota_max_m"]):>7}')


main()
