#!/usr/bin/python3
"""Reads the cut sheet of korvex-cli --cut-list back with poppler (pdfinfo, pdftotext,
pdftoppm): its page, its texts against plan.json and totals by hand, and its scale."""
import json
import math
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_outputs import DPI, Image, SCALE_TOLERANCE_MM, expect_near, fail, pdf_info, project, runs

CONTENT_WIDTH = 297 - 2 * 10  # A4 landscape inside its margins: a whole stick


def decimal(value):
    """One decimal, trailing zeros dropped, as the sheet writes lengths."""
    return ("%.1f" % value).rstrip("0").rstrip(".")


def cut_list(folder, rows, *options):
    with open(os.path.join(folder, "list.csv"), "w", newline="") as f:
        f.write("file,quantity,name\r\n" + "".join(row + "\r\n" for row in rows))
    out = os.path.join(folder, "out")
    result = subprocess.run([sys.argv[2], "--cut-list", os.path.join(folder, "list.csv"),
                             "--out-dir", out, *options], capture_output=True, text=True)
    if result.returncode != 0:
        fail("korvex-cli: " + result.stderr)
    with open(os.path.join(out, "plan.json")) as f:
        return json.load(f), os.path.join(out, "cut-sheet.pdf")


def check_texts(folder):
    # Plane cuts only: a part's own length is the distance between its DISTANCEs.
    project(os.path.join(folder, "rail.kvx"), left=("-400", "40", "45", "0"),
            right=("400", "40", "-45", "0"))
    project(os.path.join(folder, "brace.kvx"), left=("-320", "40", "45", "0"),
            right=("320", "40", "45", "30"))
    project(os.path.join(folder, "bar.kvx"), left=("-500", "40", "0", "0"),
            right=("500", "40", "0", "0"))
    rows = [("rail.kvx", 3, "top rail"), ("brace.kvx", 4, ""), ("bar.kvx", 2, "")]
    plan, pdf = cut_list(folder, ["%s,%d,%s" % row for row in rows],
                         "--stock", "3000", "--kerf", "2", "--machine", "plasma")
    info = pdf_info(pdf)
    if "841.89 x 595.276" not in info:
        fail("the cut sheet is not A4 landscape:\n" + info)
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                          check=True).stdout
    sticks = plan["sticks"]
    expected = ["TUBE 40x4", "top rail", "brace", "bar",
                "LOWER BOUND %d" % plan["lower_bound"], "%d STICKS" % len(sticks)]
    for number, stick in enumerate(sticks, 1):
        expected.append("STICK %d - %d PARTS - REMNANT %s MM"
                        % (number, len(stick["parts"]), decimal(stick["remnant"])))
    # The plasma profile runs the torch on the part line, so the kerf takes half its width off
    # each end, measured square to the cut: at a plane cut of angle a on a tube of radius R the
    # line's slope round the tube is tan(a) sin(t), and the end moves in by 1 mm sqrt(1 + slope^2).
    def shortened(angle):
        steps = 3600
        return sum(math.sqrt(1 + (math.tan(math.radians(angle)) * math.sin(2 * math.pi * k / steps))
                             ** 2) for k in range(steps)) / steps
    own = (3 * (800 - 2 * shortened(45)) + 4 * (640 - 2 * shortened(45))
           + 2 * (1000 - 2 * shortened(0)))
    stock = 3000 * len(sticks)
    expected.append("PARTS %d MM, WASTE %s %%" % (round(own), decimal(100 * (1 - own / stock))))
    # The converter's CUT TIME of each part, once per placement, each rounded to the second.
    seconds = 0
    for file, quantity, _ in rows:
        out = subprocess.run([sys.argv[2], "--machine", "plasma", os.path.join(folder, file),
                              os.path.join(folder, "one.ngc")], capture_output=True, text=True,
                             check=True).stdout
        minutes, rest = re.search(r"CUT TIME (\d+):(\d\d)", out).groups()
        seconds += quantity * (60 * int(minutes) + int(rest))
    shown = re.search(r"CUT TIME (\d+):(\d\d)", text)
    if not shown or abs(60 * int(shown.group(1)) + int(shown.group(2)) - seconds) > sum(q for _, q, _ in rows) / 2:
        fail("the cut sheet's cut time is not the parts' %d s:\n%s" % (seconds, text))
    for line in expected:
        if line not in text:
            fail("the cut sheet lacks %r:\n%s" % (line, text))


def check_scale(folder):
    """Two square 1000 mm bars on a 3000 mm stick, cut on their part lines with a 20 mm kerf:
    each is 980 mm as cut, 20 mm from the next. The stick spans the page's content width, and
    the stick's and each bar's ends cross the band's middle as vertical lines, measured centre
    to centre."""
    project(os.path.join(folder, "bar.kvx"), left=("-500", "40", "0", "0"),
            right=("500", "40", "0", "0"))
    _, pdf = cut_list(folder, ["bar.kvx,2,bar"], "--stock", "3000", "--kerf", "20")
    stem = os.path.join(folder, "page")
    subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-singlefile", pdf, stem], check=True)
    image = Image(stem + ".pgm", DPI)
    # The band's top edge is the longest line on the page; its middle lies 1.5 mm below.
    best = max(((end - start, -y) for y in range(image.height)
                for start, end in runs(image.row(y))), default=(0, 0))
    top = -best[1]
    edges = runs(image.row(top + image.px(1.5)))
    centres = [(a + b - 1) / 2 * image.mm for a, b in edges]
    if len(centres) != 5:
        fail("the band's middle crosses %d lines, not 5" % len(centres))
    scale = CONTENT_WIDTH / 3000
    expect_near("stick", centres[4] - centres[0], 3000 * scale, SCALE_TOLERANCE_MM)
    expect_near("first bar", centres[1] - centres[0], 980 * scale, SCALE_TOLERANCE_MM)
    expect_near("kerf", centres[2] - centres[1], 20 * scale, SCALE_TOLERANCE_MM)
    expect_near("second bar", centres[3] - centres[2], 980 * scale, SCALE_TOLERANCE_MM)


def main():
    with tempfile.TemporaryDirectory(prefix="korvex-cut-sheet-") as folder:
        check_texts(folder)
    with tempfile.TemporaryDirectory(prefix="korvex-cut-sheet-") as folder:
        check_scale(folder)
    print("OK")


if __name__ == "__main__":
    main()
