#!/usr/bin/python3
"""Checks KORVEX's templates and flat patterns with independent readers: pdftoppm/pdfinfo/
pdftotext (poppler), Qt's SVG renderer (svg_render) and ezdxf. Expected values come from the
job's values by hand (pi * D, the 100 mm ruler, page counts) and from the cut's closed form."""
import argparse
import math
import os
import re
import subprocess
import sys
import tempfile

KPI = 3.14159265358979  # pi as the job geometry uses it
SCALE_TOLERANCE_MM = 0.2
POINT_TOLERANCE_MM = 1e-6
DPI = 300


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def project(path, diameter="40", segments="90", left=("-100", "40", "45", "0"),
            right=("100", "40", "45", "0"), checks=(0, 0, 0, 0, 0, 0, 0)):
    """A .kvx project: 12 texts (reserved, N, D, wall, left and right cut), 7 check states."""
    fields = ["", segments, diameter, "4", *left, *right]
    fields += [" %d" % c for c in checks]
    with open(path, "wb") as f:
        f.write("".join(field + "\r\n" for field in fields).encode("latin-1"))


def run_cli(cli, *arguments):
    result = subprocess.run([cli, *arguments], capture_output=True, text=True)
    if result.returncode != 0:
        fail("korvex-cli %s: status %d, %s" % (" ".join(arguments), result.returncode,
                                                result.stderr.strip()))


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    if not header:
        fail("not a binary PGM: " + path)
    width, height = int(header.group(1)), int(header.group(2))
    pixels = data[header.end():header.end() + width * height]
    return width, height, pixels


DARK = bytes(49 if level < 128 else 48 for level in range(256))  # "1" dark, "0" light


def runs(values, offset=0):
    """(start, end) of every dark stretch, end exclusive, counted from offset."""
    return [(m.start() + offset, m.end() + offset) for m in re.finditer(rb"1+", values)]


class Image:
    def __init__(self, path, dpi):
        self.width, self.height, pixels = read_pgm(path)
        self.dark = pixels.translate(DARK)
        self.mm = 25.4 / dpi  # one pixel

    def row(self, y, x0=0, x1=None):
        x1 = self.width if x1 is None else x1
        return self.dark[y * self.width + x0:y * self.width + x1]

    def column(self, x, y0=0, y1=None):
        y1 = self.height if y1 is None else y1
        return self.dark[y0 * self.width + x:y1 * self.width + x:self.width]

    def px(self, mm):
        return int(round(mm / self.mm))


def longest_run(image, horizontal):
    best = (0, 0, 0, 0)  # length, line, start, end
    for line in range(image.height if horizontal else image.width):
        values = image.row(line) if horizontal else image.column(line)
        for start, end in runs(values):
            # Ties go to the first line: the leftmost of equal vertical edges.
            if end - start > best[0] + 2:
                best = (end - start, line, start, end)
    return best


def measure_ruler(image):
    """The ruler's 0 and 100 mm ticks, centre to centre, in mm: the ticks hang below the
    longest horizontal line on the page, the ruler's baseline."""
    _, baseline, x0, x1 = longest_run(image, True)
    below = baseline + image.px(1.0)
    ticks = runs(image.row(below, x0 - image.px(1), x1 + image.px(1)))
    if len(ticks) != 11:
        fail("the ruler shows %d ticks, not 11" % len(ticks))
    centre = lambda run: (run[0] + run[1] - 1) / 2
    return (centre(ticks[-1]) - centre(ticks[0])) * image.mm


def measure_circumference(image):
    """Round the tube from seam to seam, centre to centre, in mm: the seams are the first two
    solid lines below the ruler at least 60 mm long (the left end's band is 80 mm wide)."""
    _, ruler, _, _ = longest_run(image, True)
    rows = [y for y in range(ruler + image.px(5), image.height)
            if any(end - start >= image.px(60) for start, end in runs(image.row(y)))]
    seams = []
    for y in rows:
        if seams and y - seams[-1][-1] <= 1:
            seams[-1].append(y)
        else:
            seams.append([y])
    if len(seams) < 2:
        fail("no two seam lines below the ruler")
    centre = lambda rows: (rows[0] + rows[-1]) / 2
    return (centre(seams[1]) - centre(seams[0])) * image.mm


def expect_near(what, measured, expected, tolerance):
    print("%s: measured %.3f mm, expected %.3f mm" % (what, measured, expected))
    if abs(measured - expected) > tolerance:
        fail("%s is %.3f mm, not %.3f mm within %.1f mm" % (what, measured, expected, tolerance))


def check_scale(image):
    expect_near("ruler", measure_ruler(image), 100.0, SCALE_TOLERANCE_MM)
    expect_near("seam to seam (pi * D)", measure_circumference(image), math.pi * 40,
                SCALE_TOLERANCE_MM)


def pdf_info(pdf):
    return subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout


def page_count(info):
    return int(re.search(r"Pages:\s+(\d+)", info).group(1))


def test_pdf_scale(args, folder, paper, size_pt):
    kvx = os.path.join(folder, "default.kvx")
    project(kvx)
    pdf = os.path.join(folder, "t.pdf")
    run_cli(args.cli, "--template", pdf, "--paper", paper, kvx)
    info = pdf_info(pdf)
    if page_count(info) != 2:
        fail("the default job is not two pages, one per end:\n" + info)
    size = re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", info)
    if abs(float(size.group(1)) - size_pt[0]) > 0.01 or abs(float(size.group(2)) - size_pt[1]) > 0.01:
        fail("page size %s x %s pts, not %s" % (size.group(1), size.group(2), size_pt))
    subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-f", "1", "-l", "1", pdf,
                    os.path.join(folder, "page")], check=True)
    page = [f for f in os.listdir(folder) if f.startswith("page") and f.endswith(".pgm")][0]
    check_scale(Image(os.path.join(folder, page), DPI))


QUARTERS = ("0 DEG TOP - SEAM", "90 DEG SIDE +Y", "180 DEG BOTTOM", "270 DEG SIDE -Y",
            "360 DEG TOP - SEAM")
MARGIN_PT = 10 * 72 / 25.4


def page_words(pdf):
    """Per page: its size in pt and its lines, each a list of (word, xMin, yMin, xMax, yMax),
    as poppler lays the text out with its own Helvetica metrics."""
    import xml.etree.ElementTree as ET
    xhtml = subprocess.run(["pdftotext", "-bbox-layout", pdf, "-"], capture_output=True,
                           text=True, check=True).stdout
    ns = "{http://www.w3.org/1999/xhtml}"
    pages = []
    for page in ET.fromstring(xhtml).iter(ns + "page"):
        lines = [[(w.text, *(float(w.get(k)) for k in ("xMin", "yMin", "xMax", "yMax")))
                  for w in line.iter(ns + "word")] for line in page.iter(ns + "line")]
        pages.append((float(page.get("width")), float(page.get("height")), lines))
    return pages


def check_page_layout(number, width, height, lines):
    words = [w for line in lines for w in line]
    for text, x0, y0, x1, y1 in words:
        if x0 < MARGIN_PT - 0.5 or y0 < MARGIN_PT - 0.5 or x1 > width - MARGIN_PT + 0.5 or \
                y1 > height - MARGIN_PT + 0.5:
            fail("page %d: %r at %.1f,%.1f-%.1f,%.1f pt leaves the printable area"
                 % (number, text, x0, y0, x1, y1))
    for i, a in enumerate(words):
        for b in words[i + 1:]:
            # Glyph boxes share their top and bottom with the next line's, hence the 0.3 pt.
            if a[1] < b[3] - 0.3 and b[1] < a[3] - 0.3 and a[2] < b[4] - 0.3 and b[2] < a[4] - 0.3:
                fail("page %d: %r and %r overlap" % (number, a[0], b[0]))
    # A quarter mark's name is whole: its words in a row, from the number to the side.
    for line in lines:
        texts = [w[0] for w in line]
        for i, word in enumerate(texts):
            if word == "DEG" and i + 1 < len(texts) and texts[i + 1] in ("TOP", "SIDE", "BOTTOM"):
                name = next((q for q in QUARTERS
                             if texts[i - 1:i - 1 + len(q.split())] == q.split()), None)
                if i == 0 or name is None:
                    fail("page %d: a quarter mark's name is cut: %s" % (number, " ".join(texts)))
            if word == "SEAM" and texts[max(0, i - 3):i] not in (["DEG", "TOP", "-"],):
                fail("page %d: a seam's name is cut: %s" % (number, " ".join(texts)))
    # No page of labels or legend alone: each shows the band, where only PART and SCRAP go.
    if not {"PART", "SCRAP"} & {w[0] for w in words}:
        fail("page %d shows no part of the band" % number)


def test_pdf_tiling(args, folder):
    """A 300 mm tube (pages counted in template_test.cpp) under a project name far longer than
    a page: each page read back by poppler is laid out whole."""
    name = "A-TUBE-FRAME-FOR-THE-NORTH-GATE" * 6 + "-END.kvx"
    kvx = os.path.join(folder, name)
    project(kvx, diameter="300")
    for paper in ("a4", "a4-landscape", "letter"):
        pdf = os.path.join(folder, "big-%s.pdf" % paper)
        run_cli(args.cli, "--template", pdf, "--paper", paper, kvx)
        pages = page_words(pdf)
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                              check=True).stdout.split("\f")
        seen = set()
        for number, (width, height, lines) in enumerate(pages, 1):
            label = re.search(r"PAGE (\d+) OF (\d+) - (LEFT|RIGHT) END, ROW (\d+) OF \d+, "
                              r"COLUMN (\d+) OF \d+", text[number - 1])
            if not label or int(label.group(1)) != number or int(label.group(2)) != len(pages):
                fail("%s page %d has no page label" % (paper, number))
            seen.add(label.group(3, 4, 5))
            # The name too long for the page keeps its start and its end round "...".
            shortened = re.search(r"PROJECT (\S+)\.\.\.(\S+) - TUBE D 300.000 WALL 4.000",
                                  text[number - 1])
            if not shortened or not name.startswith(shortened.group(1)) or \
                    not name.endswith(shortened.group(2)) or min(map(len, shortened.groups())) < 20:
                fail("%s page %d: the project name is not shortened in its middle" % (paper, number))
            for needed in ("PRINT AT 100 %, NO SCALING", "ANGLE 45.000 DEG", "CHECK: 0 TO 100 MUST MEASURE 100 MM",
                           "PRINTED FACE OUTWARD", "MACHINE PATH (TORCH)"):
                if needed not in text[number - 1]:
                    fail("%s page %d lacks %r" % (paper, number, needed))
            check_page_layout(number, width, height, lines)
        if len(seen) != len(pages):
            fail("rows and columns repeat: %s" % sorted(seen))
        print("%s: %d pages, each laid out whole" % (paper, len(pages)))


def test_svg_scale(args, folder):
    kvx = os.path.join(folder, "default.kvx")
    project(kvx)
    svg = os.path.join(folder, "t.svg")
    run_cli(args.cli, "--template", svg, kvx)
    with open(svg, encoding="utf-8") as f:
        head = f.read(600)
    match = re.search(r'width="([\d.]+)mm" height="([\d.]+)mm" viewBox="0 0 ([\d.]+) ([\d.]+)"',
                      head)
    if not match or match.group(1) != match.group(3) or match.group(2) != match.group(4):
        fail("width, height and viewBox are not the same mm: " + head)
    pgm = os.path.join(folder, "svg.pgm")
    subprocess.run([args.svg_render, svg, str(DPI), pgm], check=True)
    check_scale(Image(pgm, DPI))
    # Each kind of line of the band is told apart by its look alone.
    with open(svg, encoding="utf-8") as f:
        looks = {}
        for match in re.finditer(r'<polyline class="([a-z-]+)"([^>]*?) points=', f.read()):
            looks.setdefault(match.group(1), set()).add(match.group(2))
    kinds = ("machine-path", "outer", "inner", "seam", "quarter-mark", "reference-edge")
    for kind in kinds:
        if len(looks.get(kind, ())) != 1:
            fail("%s drawn with %d looks" % (kind, len(looks.get(kind, ()))))
    if len({next(iter(looks[kind])) for kind in kinds}) != len(kinds):
        fail("two kinds of line look the same: %s" % looks)


def expected_x(end, steps, i, radius):
    """The cut on a surface of the given radius at step i, closed form of the cut."""
    d, join_radius, angle, turn, oval = end
    theta = 2 * i * KPI / steps + turn
    x = d - radius * math.cos(theta) * math.tan(angle)
    if oval:
        x += math.sqrt(join_radius ** 2 - (radius * math.sin(theta)) ** 2) / math.cos(angle)
    return x


def test_dxf(args, folder):
    import ezdxf
    # Left: a tube joint onto a 50 mm tube at 30 degrees; right: a plane at -20 degrees turned
    # by 30 degrees. 40 x 4 tube, 72 segments.
    kvx = os.path.join(folder, "mixed.kvx")
    project(kvx, segments="72", left=("-100", "50", "30", "0"), right=("100", "40", "-20", "30"),
            checks=(0, 1, 0, 0, 0, 0, 0))
    dxf = os.path.join(folder, "p.dxf")
    run_cli(args.cli, "--dxf", dxf, kvx)
    doc = ezdxf.readfile(dxf)
    if doc.dxfversion != "AC1015" or doc.header.get("$INSUNITS") != 4:
        fail("DXF %s, $INSUNITS %s: not R2000 in mm" % (doc.dxfversion,
                                                       doc.header.get("$INSUNITS")))
    auditor = doc.audit()
    if auditor.has_errors or auditor.has_fixes:
        fail("ezdxf audit: %s %s" % ([str(e) for e in auditor.errors],
                                     [str(f) for f in auditor.fixes]))
    layers = {layer.dxf.name for layer in doc.layers}
    for name in ("MACHINE_PATH", "OUTER", "INNER", "MARKS"):
        if name not in layers:
            fail("no layer " + name)
    msp = doc.modelspace()
    for text in msp.query("TEXT MTEXT"):
        if text.dxf.layer != "MARKS":
            fail("text on layer " + text.dxf.layer)
    if len(msp.query("TEXT")) == 0:
        fail("no texts on the marks layer")
    ends = [(-100, 25, 30 * KPI / 180, 0.0, True), (100, 20, -20 * KPI / 180, 30 * KPI / 180, False)]
    steps, radius, wall = 72, 20, 4
    worst = 0.0
    for layer, surface in (("OUTER", radius), ("INNER", radius - wall), ("MACHINE_PATH", radius)):
        polylines = list(msp.query('LWPOLYLINE[layer=="%s"]' % layer))
        if len(polylines) != 2:
            fail("%d polylines on %s, not one per end" % (len(polylines), layer))
        for polyline, end in zip(polylines, ends):
            if polyline.is_closed:
                fail("an unrolled curve is closed on " + layer)
            points = list(polyline.vertices())
            if len(points) != steps + 1:
                fail("%d points on %s, not N + 1" % (len(points), layer))
            for i, p in enumerate(points):
                x = expected_x(end, steps, i, surface)
                y = radius * (steps / 2 - i) * 2 * KPI / steps
                worst = max(worst, abs(p[0] - x), abs(p[1] - y))
    # Each end's reference edge, the one vertical line on the marks layer, has its name beside it.
    edges = [p for p in msp.query('LWPOLYLINE[layer=="MARKS"]')
             if len(p) == 2 and p[0][0] == p[1][0]]
    names = [t for t in msp.query("TEXT") if "REFERENCE EDGE" in t.dxf.text]
    if len(edges) != 2 or len(names) != 2:
        fail("%d reference edges and %d names, not one per end" % (len(edges), len(names)))
    for edge, name in zip(edges, names):
        x, y = edge[0][0], sorted((edge[0][1], edge[1][1]))
        at = name.dxf.align_point if name.dxf.halign else name.dxf.insert
        if abs(at[0] - x) > 2 or not y[0] < at[1] < y[1]:
            fail("%r at %s, not beside the edge at x %.3f" % (name.dxf.text, at, x))
    print("largest vertex difference %.2e mm" % worst)
    if worst > POINT_TOLERANCE_MM:
        fail("a vertex is %.2e mm from the cut" % worst)


def test_dxf_holes(args, folder):
    """Every vertex of a hole, put back on the header's surface in 3D, lies on the branch's
    bore (set-on) or outside (set-in): 60.3 x 3.9 header, 42.4 x 3.6 branches. The machine path
    of the second hole, in 3D MODE, stands off it on the outer surface, never inside it."""
    import ezdxf
    part = os.path.join(folder, "header.kvxp")
    with open(part, "w") as f:
        f.write('[tube]\ndiameter = 60.3\nwall = 3.9\nsegments = 120\n'
                '[[hole]]\nat = 20\nbranch-diameter = 42.4\nbranch-wall = 3.6\noffset = 8\n'
                '[[hole]]\nat = -40\nturn = 150\nbranch-diameter = 42.4\nbranch-wall = 3.6\n'
                'angle = -45\noffset = -3\nfit = "set-in"\nmode-3d = true\n')
    holes = [(20, 0.0, 0.0, 8, 17.6, False),
             (-40, 150 * KPI / 180, -45 * KPI / 180, -3, 21.2, True)]
    dxf = os.path.join(folder, "h.dxf")
    run_cli(args.cli, "--dxf", dxf, part)
    msp = ezdxf.readfile(dxf).modelspace()
    big, wall = 30.15, 3.9
    worst = 0.0
    for layer, surface in (("OUTER", big), ("INNER", big - wall), ("MACHINE_PATH", big)):
        polylines = list(msp.query('LWPOLYLINE[layer=="%s"]' % layer))
        if len(polylines) != 4:
            fail("%d polylines on %s, not one per end and hole" % (len(polylines), layer))
        for polyline, (at, turn, angle, offset, rho, tilted) in zip(polylines[2:], holes):
            points = list(polyline.vertices())
            if len(points) != 121 or points[0] != points[-1]:
                fail("a hole on %s is not N + 1 points round a closed curve" % layer)
            c = KPI - turn  # the branch's axis points out at this angle round the header
            u, v = (0, math.sin(c), math.cos(c)), (0, math.cos(c), -math.sin(c))
            axis = (math.sin(angle), math.cos(angle) * u[1], math.cos(angle) * u[2])
            origin = (at, offset * v[1], offset * v[2])
            for x, y in points:
                theta = KPI - y / big
                d = (x - origin[0], surface * math.sin(theta) - origin[1],
                     surface * math.cos(theta) - origin[2])
                along = sum(a * b for a, b in zip(d, axis))
                off = math.sqrt(sum(a * a for a in d) - along ** 2) - rho
                worst = max(worst, -off if tilted and layer == "MACHINE_PATH" else abs(off))
    print("largest distance from the branch %.2e mm" % worst)
    if worst > 0.01:
        fail("a hole's vertex is %.4f mm off the branch's surface" % worst)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("check", choices=["pdf-a4", "pdf-letter-landscape", "pdf-tiling",
                                          "svg", "dxf", "dxf-holes"])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--svg-render")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="korvex-template-") as folder:
        if args.check == "pdf-a4":
            test_pdf_scale(args, folder, "a4", (595.276, 841.89))
        elif args.check == "pdf-letter-landscape":
            test_pdf_scale(args, folder, "letter-landscape", (792, 612))
        elif args.check == "pdf-tiling":
            test_pdf_tiling(args, folder)
        elif args.check == "svg":
            test_svg_scale(args, folder)
        elif args.check == "dxf-holes":
            test_dxf_holes(args, folder)
        else:
            test_dxf(args, folder)
    print("OK")


if __name__ == "__main__":
    main()
