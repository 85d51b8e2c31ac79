#!/usr/bin/python3
"""Reads the frame sheet of korvex-cli --frame back with poppler (pdftotext, pdftoppm): its
members table and fit-up order against lengths worked out by hand, and its views' scale."""
import math
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_outputs import DPI, Image, expect_near, fail, pdf_info, runs

# A 60.3 x 3.2 bar 1000 mm long with a 48.3 x 3.2 post standing on its middle, 600 mm up.
FRAME = """name = "stand"

[[tube]]
name = "bar"
diameter = 60.3
wall = 3.2

[[tube]]
name = "post"
diameter = 48.3
wall = 3.2

[[node]]
name = "a"
at = [0, 0, 0]

[[node]]
name = "b"
at = [1000, 0, 0]

[[node]]
name = "m"
at = [500, 0, 0]

[[node]]
name = "top"
at = [500, 0, 600]

[[member]]
name = "bar"
from = "a"
to = "b"
tube = "bar"

[[member]]
name = "post"
from = "m"
to = "top"
tube = "post"
"""


def main():
    with tempfile.TemporaryDirectory(prefix="korvex-frame-sheet-") as folder:
        path = os.path.join(folder, "stand.kvxf")
        with open(path, "w") as f:
            f.write(FRAME)
        out = os.path.join(folder, "out")
        result = subprocess.run([sys.argv[2], "--frame", path, "--stock", "6000", "--out-dir", out],
                                capture_output=True, text=True)
        if result.returncode != 0:
            fail("korvex-cli: " + result.stderr)
        pdf = os.path.join(out, "frame-sheet.pdf")
        if "841.89 x 595.276" not in pdf_info(pdf):
            fail("the frame sheet is not A4 landscape")
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                              check=True).stdout
        # With compensation the post's foot is cut where its bore (radius 24.15 - 3.2) meets
        # the bar: at its sides sqrt(30.15^2 - 20.95^2) above the bar's axis.
        post = 600 - math.sqrt(30.15 ** 2 - 20.95 ** 2)
        rows = [r"bar\s+bar\.kvxp\s+60\.3x3\.2\s+1000 MM\s+1",
                r"post\s+post\.kvxp\s+48\.3x3\.2\s+%s MM\s+1" % re.escape("%.1f" % post),
                r"NODE m: bar \(THROUGH\), post"]
        for view in ("FRONT", "TOP", "SIDE", "PICTORIAL"):
            rows.append(view)
        for row in rows:
            if not re.search(row, text):
                fail("the frame sheet lacks %r:\n%s" % (row, text))
        scale = re.search(r"FRONT .* SCALE 1:(\d+)", text)
        if not scale:
            fail("the front view gives no scale:\n" + text)
        # The bar's outline, node to node, is the longest line on the first page, in the front
        # and the top view alike.
        stem = os.path.join(folder, "page")
        subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-singlefile", "-f", "1", "-l", "1",
                        pdf, stem], check=True)
        image = Image(stem + ".pgm", DPI)
        longest = max((end - start for y in range(image.height)
                       for start, end in runs(image.row(y))), default=0)
        expect_near("bar", longest * image.mm, 1000 / int(scale.group(1)), 0.3)
    print("OK")


if __name__ == "__main__":
    main()
