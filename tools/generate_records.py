#!/usr/bin/env python3
"""Writes a realistic observation record file of a survey traverse, GBK-encoded.

A traverse runs from two known points through N stations to two more known points. Every station
observes its back and forward stations and some side targets in 2 to 12 horizontal rounds closing
on the first target, zenith distances and slope distances in rounds, and target heights. Readings
are computed from true coordinates with small instrument errors, so every value is plausible.

    generate_records.py --stations 3 --seed 1 -o example.xml
    generate_records.py --megabytes 10 -o big.xml

With --name-pool N the numbers in station and target names are taken modulo N, so that a file of
any size holds only a few hundred distinct names (the benchmarks use it to show what the number of
distinct names costs the XML parser).
"""
import argparse
import math
import random
import re
import sys

KNOWN = ["龙岗", "凤岭", "青山", "白塔"]
SIDE = ["塔尖", "烟囱", "避雷针", "水塔", "电杆", "旗杆", "山顶", "桥墩", "钟楼", "灯塔"]


def dms(degrees):
    """Packed ddd.mmss with tenths of a second (ddd.mmsss), from decimal degrees in [0, 360)."""
    tenths = round(degrees * 36000) % (360 * 36000)
    d, rest = divmod(tenths, 36000)
    m, s = divmod(rest, 600)
    return "%d.%02d%03d" % (d, m, s)


def azimuth(a, b):
    return math.degrees(math.atan2(b[1] - a[1], b[0] - a[0])) % 360.0


EARTH_RADIUS = 6371000.0
REFRACTION = 0.13


def line_of_sight(here, there, instrument, target):
    """Horizontal distance and rise from the instrument to the target sign: the height difference
    of the marks plus the heights above them, less the effect of earth curvature and refraction."""
    horizontal = math.hypot(there[0] - here[0], there[1] - here[1])
    rise = there[2] + target - here[2] - instrument - (1 - REFRACTION) * horizontal ** 2 / (2 * EARTH_RADIUS)
    return horizontal, rise


def build(stations, seed, min_rounds, max_rounds, min_targets, max_targets):
    rng = random.Random(seed)
    # True coordinates: a winding line of stations about 300 m apart.
    points = {}
    x, y, h = 3500000.0, 480000.0, 52.0
    heading = rng.uniform(0, 360)
    points[KNOWN[0]] = (x - 400 * math.cos(math.radians(heading)), y - 400 * math.sin(math.radians(heading)), h + 3)
    names = ["导%d" % (i + 1) for i in range(stations)]
    points[KNOWN[1]] = (x, y, h)
    line = [KNOWN[0], KNOWN[1]]
    for name in names:
        heading += rng.uniform(-40, 40)
        step = rng.uniform(200, 400)
        x += step * math.cos(math.radians(heading))
        y += step * math.sin(math.radians(heading))
        h += rng.uniform(-5, 5)
        points[name] = (x, y, h)
        line.append(name)
    for known in KNOWN[2:]:
        heading += rng.uniform(-20, 20)
        step = rng.uniform(250, 400)
        x += step * math.cos(math.radians(heading))
        y += step * math.sin(math.radians(heading))
        points[known] = (x, y, h + rng.uniform(-3, 3))
        line.append(known)

    out = []
    w = out.append
    w('<?xml version="1.0" encoding="GBK"?>')
    w("<导线观测记录>")
    w("  <检查限差>")
    w('    <水平角><一测回2C较差 限差="13"/><半测回归零差 限差="8"/><同一方向值各测回较差 限差="9"/></水平角>')
    w('    <垂直角><垂直角测回差 限差="10"/><指标差较差 限差="10"/></垂直角>')
    w('    <距离><一测回读数较差 限差="5"/><单程测回间较差 限差="7"/></距离>')
    w("  </检查限差>")
    w("  <起算点>")
    for known in KNOWN:
        px, py, ph = points[known]
        w('    <%s x="%.3f" y="%.3f" h="%.3f"/>' % (known, px, py, ph))
    w("  </起算点>")
    w("  <观测值>")
    for i, name in enumerate(line[1:-1], start=1):
        here = points[name]
        targets = [line[i - 1], line[i + 1]]
        extra = rng.randint(max(0, min_targets - 2), max(0, max_targets - 2))
        for k in range(extra):
            side = "%s%d" % (SIDE[k % len(SIDE)], i)
            angle = rng.uniform(0, 2 * math.pi)
            dist = rng.uniform(150, 900)
            points[side] = (here[0] + dist * math.cos(angle), here[1] + dist * math.sin(angle), here[2] + rng.uniform(-10, 30))
            targets.append(side)
        instrument = round(rng.uniform(1.35, 1.65), 3)
        add_const = rng.choice([0.0, 1.5, -2.0, 3.0])
        mul_const = rng.choice([0.0, 1.0, 2.5])
        rounds = rng.randint(min_rounds, max_rounds)
        collimation = rng.uniform(-6, 6) / 3600.0
        index_error = rng.uniform(-10, 10) / 3600.0
        w('    <测站 点名="%s" 仪器高="%.3f" 气压="1012.5" 温度="18.5" 加常数="%g" 乘常数="%g">'
          % (name, instrument, add_const, mul_const))
        w("      <水平角>")
        for r in range(rounds):
            orientation = (180.0 / rounds * r + rng.uniform(0, 0.2)) - azimuth(here, points[targets[0]])
            w("        <测回>")
            for target in targets + [targets[0]]:
                left = (azimuth(here, points[target]) + orientation + rng.gauss(0, 1.5 / 3600)) % 360
                right = (left + 180 + 2 * collimation + rng.gauss(0, 1.5 / 3600)) % 360
                w('          <%s 盘左="%s" 盘右="%s"/>' % (target, dms(left), dms(right)))
            w("        </测回>")
        w("      </水平角>")
        # Target heights from a stream of their own, so that every other reading stays as it was.
        heights = random.Random(seed * 100003 + i)
        target_height = {t: heights.choice([1.5, 1.55, 1.6, 1.65]) for t in targets[:2]}
        w("      <天顶距>")
        for r in range(2):
            w("        <测回>")
            for target in targets[:2]:
                horizontal, rise = line_of_sight(here, points[target], instrument, target_height[target])
                zenith = 90 - math.degrees(math.atan2(rise, horizontal))
                left = zenith + index_error + rng.gauss(0, 2 / 3600)
                right = 360 - zenith + index_error + rng.gauss(0, 2 / 3600)
                w('          <%s 盘左="%s" 盘右="%s"/>' % (target, dms(left), dms(right)))
            w("        </测回>")
        w("      </天顶距>")
        w("      <斜距>")
        for r in range(2):
            w("        <测回>")
            for target in targets[:2]:
                slope = math.hypot(*line_of_sight(here, points[target], instrument, target_height[target]))
                readings = " ".join("%.4f" % (slope + rng.gauss(0, 0.0008)) for _ in range(3))
                w('          <%s 值="%s"/>' % (target, readings))
            w("        </测回>")
        w("      </斜距>")
        w("      <目标高>")
        for target in targets[:2]:
            rng.random()  # the draw that once chose the height keeps the sequence of the readings
            w('        <%s 值="%.3f"/>' % (target, target_height[target]))
        w("      </目标高>")
        w("    </测站>")
    w("  </观测值>")
    w("</导线观测记录>")
    return "\r\n".join(out) + "\r\n"


def pool_names(text, pool):
    """The text with the numbers ending station and target names taken modulo pool."""
    number = lambda m: "%s%s%d" % (m.group(1), m.group(2), int(m.group(3)) % pool)
    text = re.sub(r'(</?)([^\s>/\d="]+)(\d+)', number, text)
    return re.sub(r'(点名=")([^"\d]+)(\d+)', number, text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", required=True, help="record file to write")
    size = parser.add_mutually_exclusive_group()
    size.add_argument("--stations", type=int, default=3, help="number of traverse stations")
    size.add_argument("--megabytes", type=float, help="approximate size of the file instead")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--rounds", default="2-12", help="horizontal rounds per station, MIN-MAX")
    parser.add_argument("--targets", default="3-12", help="targets per station, MIN-MAX")
    parser.add_argument("--name-pool", type=int, help="take name numbers modulo this (see above)")
    args = parser.parse_args()
    min_rounds, max_rounds = (int(v) for v in args.rounds.split("-"))
    min_targets, max_targets = (int(v) for v in args.targets.split("-"))
    stations = args.stations
    def generate(count):
        text = build(count, args.seed, min_rounds, max_rounds, min_targets, max_targets)
        return (pool_names(text, args.name_pool) if args.name_pool else text).encode("gbk")

    if args.megabytes is not None:
        # Stations differ in size: scale from a sample, then once more from the first attempt.
        target = args.megabytes * 1e6
        sample = 200
        data = generate(sample)
        for _ in range(3):
            stations = max(1, round(sample * target / len(data)))
            if stations == sample:
                break
            data, sample = generate(stations), stations
            if abs(len(data) - target) <= 0.01 * target:
                break
    else:
        data = generate(stations)
    with open(args.output, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
