#!/usr/bin/python3
"""Writes the cut lists that measure nesting by hand, with their projects, into a folder:
mixed-120.csv (120 parts of 24 kinds on two tubes), random-500.csv (500 parts, each its own
project) and random-5000.csv (5000 parts of 1000 projects). The same seed gives the same files.

    bench/cut_lists/make_lists.py /tmp/lists
    time build-release/src/cli/korvex-cli --cut-list /tmp/lists/random-500.csv --stock 6000 \
        --kerf 1.5 --machine plasma --out-dir /tmp/lists/out
"""
import os
import random
import sys

TUBES = [(40, 3), (48.3, 3.2), (60.3, 3.9)]


def project(diameter, wall, segments, left, right):
    """The 19 lines of a project; an end is (distance, join diameter, angle, turn, oval)."""
    lines = ["", str(segments), str(diameter), str(wall)]
    for end in (left, right):
        lines += [str(end[0]), str(end[1]), str(end[2]), str(end[3])]
    lines += [" 0", " 1" if left[4] else " 0", " 0", " 0", " 1" if right[4] else " 0", " 0", " 0"]
    return "".join(line + "\r\n" for line in lines)


def random_end(rng, diameter, distance):
    if rng.random() < 0.3:
        join = rng.choice([diameter, diameter * 1.25, diameter * 1.5, 60.3, 88.9])
        return (distance, round(max(join, diameter), 1), rng.choice([0, 0, 15, 30, -30, 45]),
                rng.choice([0, 0, 90]), True)
    angle = rng.choice([0, 0, 0, 45, 45, -45, 30, -30, 22.5, rng.uniform(-60, 60)])
    return (distance, diameter, round(angle, 2), rng.choice([0, 0, 0, 90, 180, 45]), False)


def random_part(rng, tubes):
    diameter, wall = rng.choice(tubes)
    length = rng.uniform(150, 1500)
    segments = rng.choice([72, 90, 90, 100, 120, 180])
    return project(diameter, wall, segments, random_end(rng, diameter, round(-length / 2, 2)),
                   random_end(rng, diameter, round(length / 2, 2)))


def write_list(folder, name, kinds, quantities, rng, tubes):
    rows = ["file,quantity,name"]
    for i in range(kinds):
        file = "%s-%04d.kvx" % (name, i)
        with open(os.path.join(folder, file), "w", newline="") as out:
            out.write(random_part(rng, tubes))
        rows.append("%s,%d,%s-%d" % (file, quantities[i], name, i))
    with open(os.path.join(folder, name + ".csv"), "w", newline="") as out:
        out.write("\r\n".join(rows) + "\r\n")


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(17)
    mixed = [5] * 24
    write_list(folder, "mixed-120", 24, mixed, rng, TUBES[:2])
    write_list(folder, "random-500", 500, [1] * 500, rng, TUBES)
    write_list(folder, "random-5000", 1000, [5] * 1000, rng, TUBES)


main()
