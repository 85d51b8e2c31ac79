#!/usr/bin/python3
"""A stick program of a built-in profile run to its end on LinuxCNC's simulated machine of that
profile (scripts/linuxcnc-sim): it runs without an error, ends at home with the tilt at 0, leaves
the tool table as it was unless the profile writes tool lines, and takes about the CUT TIME
korvex-cli printed for it. Exit 77 when the simulation cannot run here."""
import argparse
import os
import re
import subprocess
import sys
import tempfile

# A 100 mm part with the panel's 45-degree ends on a 12 mm tube in 36 steps: two of it, or
# where the machine tilts one and one with its left end in 3D MODE, make a stick the machine
# cuts in about half a minute.
PART = "[tube]\ndiameter = 12\nwall = 1.5\nsegments = 36\n[right]\ndistance = 50\n" \
       "[left]\ndistance = -50\n"
PARTS = {"part": PART, "bevelled": PART + "mode-3d = true\n"}


def fail(text):
    print("FAILED: " + text)
    sys.exit(1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("machine")
    parser.add_argument("--cli", required=True)
    parser.add_argument("--sim", required=True)
    args = parser.parse_args()
    tilts = args.machine != "plasma"
    with tempfile.TemporaryDirectory(prefix="korvex-sim-check-") as folder:
        names = ["part", "bevelled"] if tilts else ["part", "part"]
        for name in set(names):
            with open(os.path.join(folder, name + ".kvxp"), "w") as out:
                out.write(PARTS[name])
        with open(os.path.join(folder, "list.csv"), "w") as out:
            out.write("file,quantity,name\n" + "".join(
                "%s.kvxp,%d,%s\n" % (name, names.count(name), name) for name in set(names)))
        plan = subprocess.run(
            [args.cli, "--cut-list", os.path.join(folder, "list.csv"), "--stock", "1000",
             "--kerf", "1.5", "--machine", args.machine, "--out-dir",
             os.path.join(folder, "out")], capture_output=True, text=True)
        if plan.returncode != 0:
            fail("korvex-cli: " + plan.stderr)
        estimate = re.search(r"^STICK 1 stick-1\.ngc CUT TIME (\d+):(\d\d)$", plan.stdout, re.M)
        if not estimate:
            fail("no CUT TIME for stick-1.ngc in:\n" + plan.stdout)
        cut_time = 60 * int(estimate.group(1)) + int(estimate.group(2))

        run = subprocess.run(
            [args.sim, "--machine", args.machine, "--timeout", "120",
             os.path.join(folder, "out", "stick-1.ngc")], capture_output=True, text=True)
    print(run.stdout + run.stderr, end="")
    if run.returncode == 77:
        sys.exit(77)
    if run.returncode != 0:
        fail("the simulated machine did not run the program to its end")
    run_time = float(re.search(r"^RUN TIME ([\d.]+) s", run.stdout, re.M).group(1))
    position = re.search(r"^POSITION (.*)$", run.stdout, re.M).group(1).split()
    if any(float(value) != 0 for value in position[1::2]):
        fail("the machine did not end at home with the tilt at 0: " + " ".join(position))
    changed = "TOOL TABLE CHANGED" in run.stdout
    if changed != (args.machine == "described"):
        fail("the tool table was " + ("changed" if changed else "left alone"))
    # The estimate takes the rapids at rapid-feed and no acceleration; the machine's rapids run
    # at its axes' own speeds and every move speeds up and slows down.
    if abs(run_time - cut_time) > max(3, 0.1 * cut_time):
        fail("ran %.1f s where CUT TIME says %d s" % (run_time, cut_time))
    print("CUT TIME %d s, RUN TIME %.1f s" % (cut_time, run_time))


if __name__ == "__main__":
    main()
