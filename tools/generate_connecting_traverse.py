#!/usr/bin/env python3
"""Writes the example connecting traverse, GBK-encoded: examples/connecting-traverse.xml.

Two known points at each end (北塔 sighted from 东岭 at the start, 西桥 from 南山 at the end) and six
new stations 导1 … 导6 between them. Every reading is made from the true coordinates below with the
errors of a 2" total station: pointing noise, a collimation error, a vertical index error, distance
noise and the instrument's additive and multiplicative constants; zenith distances include the
earth's curvature and refraction (k = 0.13, R = 6371 km) and the target heights written. The seed is
fixed, so the file is reproducible:

    python3 tools/generate_connecting_traverse.py -o examples/connecting-traverse.xml
"""
import argparse
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate_records import azimuth, dms  # noqa: E402  the one DMS packing of the generators
import sys

REFRACTION = 0.13
EARTH_RADIUS = 6371000.0

# True coordinates: x north, y east, h; metres.
KNOWN = [
    ("北塔", 3512402.317, 496871.604, 61.382),
    ("东岭", 3512150.000, 497120.000, 58.911),
    ("南山", 3512390.882, 498688.420, 49.573),
    ("西桥", 3512655.120, 498905.736, 47.205),
]
NEW = [
    ("导1", 3512012.416, 497391.208, 56.120),
    ("导2", 3512075.903, 497668.770, 54.986),
    ("导3", 3511998.240, 497927.455, 53.407),
    ("导4", 3512130.661, 498155.309, 52.844),
    ("导5", 3512208.775, 498396.112, 51.290),
    ("导6", 3512382.104, 498458.861, 50.116),
]


def horizontal(a, b):
    return math.hypot(b[0] - a[0], b[1] - a[1])


def station_lines(rng, points, name, back, forward, measured):
    here = points[name]
    targets = [back, forward]
    instrument = round(rng.uniform(1.38, 1.62), 3)
    add_const = rng.choice([0.0, -1.5, 2.0])
    mul_const = rng.choice([0.0, 1.5, 3.0])
    collimation = rng.uniform(-4, 4) / 3600
    index_error = rng.uniform(-12, 12) / 3600
    heights = {t: rng.choice([1.45, 1.5, 1.55, 1.6]) for t in measured}
    out = ['    <测站 点名="%s" 仪器高="%.3f" 气压="1009.6" 温度="21.5" 加常数="%g" 乘常数="%g">'
           % (name, instrument, add_const, mul_const), "      <水平角>"]
    rounds = 3
    for r in range(rounds):
        # The first target is set a little past 0, 60 and 120 degrees in the three rounds.
        zero = azimuth(here, points[back]) - (180.0 / rounds * r + rng.uniform(0.02, 0.3))
        out.append("        <测回>")
        for target in targets + [back]:
            left = (azimuth(here, points[target]) - zero + collimation + rng.gauss(0, 1.5 / 3600)) % 360
            right = (left + 180 - 2 * collimation + rng.gauss(0, 1.5 / 3600)) % 360
            out.append('          <%s 盘左="%s" 盘右="%s"/>' % (target, dms(left), dms(right)))
        out.append("        </测回>")
    out.append("      </水平角>")
    slopes = {}
    out.append("      <天顶距>")
    for r in range(2):
        out.append("        <测回>")
        for target in measured:
            there = points[target]
            d = horizontal(here, there)
            vertical = there[2] - here[2] - instrument + heights[target] - (1 - REFRACTION) * d * d / (2 * EARTH_RADIUS)
            slopes[target] = math.hypot(d, vertical)
            zenith = math.degrees(math.atan2(d, vertical))
            left = zenith + index_error + rng.gauss(0, 2 / 3600)
            right = 360 - zenith + index_error + rng.gauss(0, 2 / 3600)
            out.append('          <%s 盘左="%s" 盘右="%s"/>' % (target, dms(left), dms(right)))
        out.append("        </测回>")
    out.append("      </天顶距>")
    out.append("      <斜距>")
    for r in range(2):
        out.append("        <测回>")
        for target in measured:
            # The instrument reads short of the truth by its constants.
            raw = (slopes[target] - add_const * 1e-3) / (1 + mul_const * 1e-6)
            readings = " ".join("%.4f" % (raw + rng.gauss(0, 0.001)) for _ in range(3))
            out.append('          <%s 值="%s"/>' % (target, readings))
        out.append("        </测回>")
    out.append("      </斜距>")
    out.append("      <目标高>")
    for target in measured:
        out.append('        <%s 值="%.3f"/>' % (target, heights[target]))
    out.append("      </目标高>")
    out.append("    </测站>")
    return out


def build(seed):
    rng = random.Random(seed)
    points = {name: (x, y, h) for name, x, y, h in KNOWN + NEW}
    line = [KNOWN[0][0], KNOWN[1][0]] + [name for name, *_ in NEW] + [KNOWN[2][0], KNOWN[3][0]]
    out = ['<?xml version="1.0" encoding="GBK"?>', "<导线观测记录>", "  <检查限差>",
           '    <水平角><一测回2C较差 限差="13"/><半测回归零差 限差="8"/><同一方向值各测回较差 限差="9"/></水平角>',
           '    <垂直角><垂直角测回差 限差="10"/><指标差较差 限差="10"/></垂直角>',
           '    <距离><一测回读数较差 限差="5"/><单程测回间较差 限差="7"/></距离>', "  </检查限差>", "  <起算点>"]
    for name, x, y, h in KNOWN:
        out.append('    <%s x="%.3f" y="%.3f" h="%.3f"/>' % (name, x, y, h))
    out += ["  </起算点>", "  <观测值>"]
    for i in range(1, len(line) - 1):
        back, forward = line[i - 1], line[i + 1]
        measured = [t for t in (back, forward) if t not in (line[0], line[-1])]
        out += station_lines(rng, points, line[i], back, forward, measured)
    out += ["  </观测值>", "</导线观测记录>"]
    return "\r\n".join(out) + "\r\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", required=True)
    parser.add_argument("--seed", type=int, default=13)
    args = parser.parse_args()
    with open(args.output, "wb") as f:
        f.write(build(args.seed).encode("gbk"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
