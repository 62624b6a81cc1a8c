#!/usr/bin/env python3
"""End-to-end checks of agvsim-export, agvsim-sweep and agvsim-plot: CSV, numbers,
run figures, grids, figures, option errors.

Usage: test_export.py AGVSIM_EXPORT AGVSIM_EXPORT_17_DIGITS AGVSIM_PLOT AGVSIM_SWEEP
"""

import math
import os
import pty
import re
import runpy
import struct
import subprocess
import sys
import tempfile
import unittest

from reference_model import CIRCLE, COLUMNS, DEG_TO_RAD, PI, tracking, wrapped

EXPORT = EXPORT_17_DIGITS = PLOT = SWEEP = None
RUN_ORDER = [(m, l) for m in ("2DW1C", "1FDW1FS", "1RDW1FS") for l in ("P", "PI")]
# lastSample of each run in RUN_ORDER with the start-up settings.
LAST_SAMPLES = {
    "line": [999, 999, 1179, 2999, 999, 999],
    "circle": [999, 999, 1310, 2999, 999, 999],
}


def export(*args):
    return subprocess.run([EXPORT] + list(args), capture_output=True, text=True)


def sweep(*args):
    return subprocess.run([SWEEP] + list(args), capture_output=True, text=True)


def plot(*args, **environment):
    return subprocess.run([PLOT] + list(args), capture_output=True, text=True,
                          env=dict(os.environ, **environment))


def significant_digits(text):
    return re.sub(r"e.*", "", text).replace("-", "").replace(".", "").strip("0")


def table(stdout):
    """Header cells and rows as dicts of the column name to the cell text."""
    lines = stdout.splitlines()
    header = lines[0].split(",")
    return header, [dict(zip(header, line.split(","))) for line in lines[1:]]


def runs(rows):
    """(mech, law) -> list of rows, in the order the runs first appear."""
    grouped = {}
    for row in rows:
        grouped.setdefault((row["mech"], row["law"]), []).append(row)
    return grouped


class StartupSettings(unittest.TestCase):
    """The six runs with the default options on both paths."""

    @classmethod
    def setUpClass(cls):
        cls.results = {"line": export(), "circle": export("--path", "circle")}

    def test_exit_status_and_header(self):
        for path, result in self.results.items():
            with self.subTest(path=path):
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stderr, "")
                header, rows = table(result.stdout)
                self.assertEqual(tuple(header), COLUMNS)
                self.assertTrue(all(len(row) == len(COLUMNS) for row in rows))

    def test_every_sample_up_to_last_sample_in_run_order(self):
        for path, result in self.results.items():
            grouped = runs(table(result.stdout)[1])
            self.assertEqual(list(grouped), RUN_ORDER, path)
            for run, last in zip(RUN_ORDER, LAST_SAMPLES[path]):
                with self.subTest(path=path, run=run):
                    ks = [int(row["k"]) for row in grouped[run]]
                    self.assertEqual(ks, list(range(last + 1)))

    def test_time_column_is_k_times_sample_interval(self):
        for path, result in self.results.items():
            for row in table(result.stdout)[1]:
                self.assertEqual(float(row["t"]), int(row["k"]) * 0.02, (path, row["k"]))

    def test_recorded_heading_error_is_wrapped(self):
        for path, result in self.results.items():
            values = [float(row["errTheta"]) for row in table(result.stdout)[1]]
            self.assertLessEqual(max(abs(v) for v in values), PI, path)
            # The unwrapped heading itself leaves that range on the circle.
            thetas = [float(row["theta"]) for row in table(result.stdout)[1]]
            if path == "circle":
                self.assertGreater(max(thetas), PI)

    def test_mech_and_law_keep_only_the_runs_asked_for_unchanged(self):
        full = runs(table(self.results["circle"].stdout)[1])
        for args, wanted in ((["--mech", "1FDW1FS"], RUN_ORDER[2:4]),
                             (["--law", "PI"], RUN_ORDER[1::2]),
                             (["--law", "P", "--mech", "1RDW1FS"], RUN_ORDER[4:5])):
            with self.subTest(args=args):
                got = runs(table(export("--path", "circle", *args).stdout)[1])
                self.assertEqual(list(got), wanted)
                for run in wanted:
                    self.assertEqual(got[run], full[run])

    def test_sample_zero_is_the_start_pose(self):
        expected = {
            "line": {"x": -2.0, "y": 1.0, "theta": 0.0, "errD": 1.0, "track_pathParam": -2.0,
                     "kappa": 0.0, "track_kappa": 0.0},
            # The state's copies of kappa and pathParam stay 0 until the first step.
            "circle": {"x": -2.0, "y": 1.0, "kappa": 0.0, "pathParam": 0.0,
                       "track_kappa": 0.5, "errD": 2.0 - 5.0 ** 0.5},
        }
        for path, result in self.results.items():
            grouped = runs(table(result.stdout)[1])
            for run in RUN_ORDER:
                first = grouped[run][0]
                for name, value in expected[path].items():
                    self.assertAlmostEqual(float(first[name]), value, 12, (path, run, name))


class Numbers(unittest.TestCase):
    def test_shortest_form_reads_back_as_the_17_digit_form(self):
        args = ("--path", "circle", "--fn", "1.5", "--zeta", "0.6", "--pose", "2.5", "-2", "45")
        shortest, full = ([line.split(",") for line in subprocess.run(
            [program, *args], capture_output=True, text=True).stdout.splitlines()[1:]]
            for program in (EXPORT, EXPORT_17_DIGITS))
        self.assertEqual(shortest[3][3], "0.06")
        self.assertEqual([row[:3] for row in shortest], [row[:3] for row in full])
        numbers = [cell for row in shortest for cell in row[3:]]
        self.assertEqual([float(cell) for cell in numbers],
                         [float(cell) for row in full for cell in row[3:]])
        # Python's repr is the shortest text that reads back.
        self.assertEqual([significant_digits(cell) for cell in numbers],
                         [significant_digits(repr(float(cell))) for cell in numbers])


class Options(unittest.TestCase):
    def test_pose_heading_uses_the_model_degree_factor(self):
        result = export("--pose", "0.5", "-1", "90")
        self.assertEqual(result.returncode, 0, result.stderr)
        first = table(result.stdout)[1][0]
        self.assertEqual(float(first["theta"]), 90 * DEG_TO_RAD)
        self.assertEqual((float(first["x"]), float(first["y"])), (0.5, -1.0))

    def test_help(self):
        result = export("--help")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stderr, "")
        self.assertTrue(result.stdout.startswith("usage: agvsim-export"))
        for option in ("--path", "--fn", "--zeta", "--pose", "--mech", "--law", "plotD"):
            self.assertIn(option, result.stdout)

    def test_bad_options_fail_with_one_line_naming_the_option(self):
        cases = [
            (["--fn"], "--fn"),
            (["--fn", "abc"], "--fn"),
            (["--fn", "1.5x"], "--fn"),
            (["--fn", ""], "--fn"),
            (["--fn", "nan"], "--fn"),
            (["--fn", "inf"], "--fn"),
            (["--fn", "1e999"], "--fn"),
            (["--fn", "0"], "--fn"),
            (["--zeta", "-0.0"], "--zeta"),
            (["--zeta", "0x0"], "--zeta"),
            (["--zeta"], "--zeta"),
            (["--path"], "--path"),
            (["--path", "square"], "--path"),
            (["--pose", "1", "2"], "--pose"),
            (["--pose", "1", "y", "3"], "--pose"),
            (["--pose", "1", "2", "-inf"], "--pose"),
            (["--speed", "2"], "--speed"),
            (["circle"], "circle"),
            (["--fn", "0.5", "--fn", "0"], "--fn"),
            (["--fn", "1e308"], "--fn"), (["--zeta", "0.5", "--fn", "1e-300"], "--fn"),
            (["--zeta", "1e-320"], "--zeta"), (["--mech", "2dw1c"], "--mech"),
            (["--mech", "2DW1C", "--mech", "2DW1C"], "--mech"), (["--law", "PID"], "--law"),
            (["--law"], "--law"), (["--fn", "0.5,1"], "--fn"), (["--pose", "1", "0:1:0.5", "0"], "--pose"),
            (["--design", "--metrics"], "--design and --metrics"),
            (["--pose", "1", "1e308", "0"], "--pose"),
            (["--mech", "2DW1C", "--path", "circle", "--pose", "1e308", "1", "0"], "--pose"),
        ]
        for args, option in cases:
            with self.subTest(args=args):
                result = export(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, "")
                self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
                self.assertTrue(result.stderr.endswith("\n"))
                self.assertIn(option, result.stderr)


def settle_time(ds, thetas):
    """Time of the earliest sample from which every one lies in the band, or None."""
    first = len(ds)
    while first > 0 and abs(ds[first - 1]) <= 0.02 and abs(thetas[first - 1]) <= 0.02:
        first -= 1
    return None if first == len(ds) else first * 0.02


class RunFigures(unittest.TestCase):
    """--metrics against figures worked out here from the --design samples."""

    def test_metrics_follow_from_the_samples(self):
        for path in ("line", "circle"):
            designed = export("--path", path, "--design")
            metrics = export("--path", path, "--metrics")
            self.assertEqual((designed.returncode, metrics.returncode), (0, 0))
            plain = export("--path", path).stdout.splitlines()
            lines = designed.stdout.splitlines()
            self.assertEqual([line.rsplit(",", 2)[0] for line in lines[1:]], plain[1:])
            header, rows = table(metrics.stdout)
            self.assertEqual(header, ["mech", "law", "settle", "designSettle", "overshoot", "finalD",
                                      "iae", "peakPhi", "atLimit", "endT"])
            for (run, samples), row in zip(runs(table(designed.stdout)[1]).items(), rows):
                with self.subTest(path=path, run=run):
                    self.assertEqual((row["mech"], row["law"]), run)
                    col = {name: [float(r[name]) for r in samples] for name in samples[0] if name not in ("mech", "law")}
                    d, phi = col["errD"], [abs(v) for v in col["phi"]]
                    cell = lambda v: "" if v is None else repr(v)
                    self.assertEqual(row["settle"], cell(settle_time(d, col["errTheta"])))
                    self.assertEqual(row["designSettle"], cell(settle_time(col["designD"], col["designTheta"])))
                    side = math.copysign(1.0, d[0])
                    self.assertEqual(float(row["overshoot"]), max(0.0, max(-side * v for v in d)))
                    self.assertEqual(row["finalD"], samples[-1]["errD"])
                    iae = sum((abs(a) + abs(b)) / 2 * 0.02 for a, b in zip(d, d[1:]))
                    self.assertAlmostEqual(float(row["iae"]), iae, 12)
                    self.assertEqual(float(row["peakPhi"]), max(phi))
                    self.assertEqual(float(row["atLimit"]), 0.02 * sum(v >= 1.5 - 1e-6 for v in phi[1:]))
                    self.assertEqual(row["endT"], samples[-1]["t"])
        # The figures a lab report asks for, on the circle.
        circle = {(r["mech"], r["law"]): r for r in rows}
        self.assertAlmostEqual(float(circle["2DW1C", "P"]["finalD"]), -0.0126, 4)
        self.assertEqual(circle["1FDW1FS", "PI"]["settle"], "")
        self.assertEqual(float(circle["1FDW1FS", "PI"]["atLimit"]), 51.5)

    def test_start_on_the_path_has_no_overshoot(self):
        rows = table(export("--pose", "0", "0", "10", "--metrics", "--mech", "2DW1C").stdout)[1]
        self.assertEqual([row["overshoot"] for row in rows], ["", ""])


class Sweep(unittest.TestCase):
    def setUp(self):
        if not SWEEP:  # the Windows build has none: its workers are forked
            self.skipTest("no agvsim-sweep in this build")

    def test_rows_are_the_metrics_of_each_setting_in_grid_order_whatever_the_workers(self):
        args = ["--path", "circle", "--pose", "-1,1.5", "0.5", "-30:30:30", "--law", "PI"]
        one, two = sweep(*args, "-j", "1"), sweep(*args, "-j", "2")
        self.assertEqual((one.returncode, one.stderr), (0, ""))
        self.assertEqual(one.stdout, two.stdout)
        header, rows = table(one.stdout)
        self.assertEqual(header[:3], ["x", "theta", "mech"])
        self.assertEqual([(r["x"], r["theta"]) for r in rows[::3]],
                         [("-1", "-30"), ("-1", "0"), ("-1", "30"), ("1.5", "-30"), ("1.5", "0"), ("1.5", "30")])
        for i in range(0, len(rows), 3):
            typed = export("--path", "circle", "--pose", rows[i]["x"], "0.5", rows[i]["theta"],
                           "--law", "PI", "--metrics")
            expected = typed.stdout.splitlines()[1:]
            self.assertEqual([",".join(list(r.values())[2:]) for r in rows[i:i + 3]], expected)

    def test_a_vehicle_value_is_a_grid_axis_named_as_its_field(self):
        args = ["--fn", "0.5", "--pose", "-2", "0.2", "0", "--input-bias", "0,5", "--delay", "0:0.1:0.1",
                "--mech", "1RDW1FS"]
        result = sweep(*args)
        self.assertEqual((result.returncode, result.stderr), (0, ""))
        header, rows = table(result.stdout)
        self.assertEqual(header[:3], ["inputBias", "delay", "mech"])
        self.assertEqual([(r["inputBias"], r["delay"]) for r in rows[::2]],
                         [("0", "0"), ("0", "0.1"), ("5", "0"), ("5", "0.1")])
        for i in range(0, len(rows), 2):
            typed = export("--fn", "0.5", "--pose", "-2", "0.2", "0", "--input-bias", rows[i]["inputBias"],
                           "--delay", rows[i]["delay"], "--mech", "1RDW1FS", "--metrics")
            self.assertEqual([",".join(list(r.values())[2:]) for r in rows[i:i + 2]], typed.stdout.splitlines()[1:])
        # Every value of a list is checked as the single option is, before anything runs.
        refused = sweep("--seed", "1,2.5")
        self.assertEqual((refused.returncode, refused.stdout), (2, ""))
        self.assertEqual(refused.stderr, "agvsim-sweep: --seed: must be a whole number from 0 to 4294967295\n")

    def test_rows_keep_grid_order_when_settings_finish_out_of_order(self):
        # The slow settings come first: at fn 1.6, and 1FDW1FS under PI at fn 1, runs go on
        # to the 3000-sample bound; the noise shows a run that depends on the one before.
        args = ["--fn", "1.6,0.3,1,0.5", "--zeta", "0.4,0.7", "--noise-d", "0.01"]
        one, three = sweep(*args, "-j", "1"), sweep(*args, "-j", "3")
        self.assertEqual((one.returncode, one.stderr), (0, ""))
        self.assertEqual(one.stdout, three.stdout)
        ends = [row["endT"] for row in table(one.stdout)[1]]
        self.assertTrue(0 < ends.count("59.980000000000004") < len(ends), ends)

    def test_shards_joined_in_order_are_the_whole_sweep(self):
        args = ["--fn", "0.4:1.6:0.2", "--law", "P", "-j", "2"]  # 7 settings
        whole = sweep(*args).stdout
        for count in (1, 2, 3, 7, 10):
            with self.subTest(count=count):
                parts = [sweep(*args, "--shard", f"{k}/{count}") for k in range(1, count + 1)]
                self.assertEqual([(p.returncode, p.stderr) for p in parts], [(0, "")] * count)
                self.assertEqual("".join(p.stdout for p in parts), whole)
                sizes = [(len(p.stdout.splitlines()) - (k == 0)) // 3 for k, p in enumerate(parts)]  # settings
                self.assertLessEqual(max(sizes) - min(sizes), 1, sizes)

    def test_refusal_mid_sweep_keeps_the_rows_before_it(self):
        before = sweep("--pose", "0", "0.5,1", "0", "-j", "1")
        result = sweep("--pose", "0", "0.5,1,1e308,2", "0", "-j", "3")
        self.assertEqual((result.returncode, result.stdout), (2, before.stdout))
        self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
        self.assertIn("--pose", result.stderr)

    def test_a_worker_that_dies_ends_the_sweep_with_whole_rows(self):
        process = subprocess.Popen([SWEEP, "--fn", "0.1:2:0.1", "--zeta", "0.4:1:0.2", "-j", "2"],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        children = f"/proc/{process.pid}/task/{process.pid}/children"
        if not os.path.exists(children):
            process.kill()
            process.communicate()
            self.skipTest("no /proc children list")
        workers = []
        while len(workers) < 2 and process.poll() is None:
            with open(children) as listed:
                workers = listed.read().split()
        os.kill(int(workers[0]), 9)
        stdout, stderr = process.communicate(timeout=60)
        self.assertEqual((process.returncode, stderr), (1, "agvsim-sweep: a worker process ended early\n"))
        self.assertTrue(all(line.count(",") == 11 for line in stdout.splitlines()), stdout)

    def test_range_values_are_rounded_and_reach_stop(self):
        result = sweep("--fn", "0.2:1.0:0.2", "--mech", "2DW1C", "--law", "P")
        self.assertEqual([row["fn"] for row in table(result.stdout)[1]], ["0.2", "0.4", "0.6", "0.8", "1"])

    def test_progress_on_a_terminal_only(self):
        controller, terminal = pty.openpty()
        result = subprocess.run([SWEEP, "--zeta", "0.5,1", "--mech", "2DW1C"], stdout=subprocess.PIPE,
                                stderr=terminal)
        os.close(terminal)
        shown = os.read(controller, 4096).decode()
        os.close(controller)
        self.assertEqual(result.returncode, 0)
        self.assertIn("2 of 2 settings", shown)
        self.assertTrue(result.stdout.startswith(b"zeta,mech,law,"))

    def test_bad_grids_fail_with_one_line_naming_the_option(self):
        for args, expected in [
                (["--fn", "0.5:1:0"], "--fn"), (["--zeta", "1:0.5:0.1"], "--zeta"),
                (["--fn", "1,2", "--zeta", "1,2", "--pose", "0", "0", "0:10:5"], "--pose"),
                (["--fn", "0.001:1000:0.001"], "1000000 settings"), (["--fn", "1e308,1"], "--fn"),
                (["--zeta", "-1:1:0.5"], "--zeta"), (["-j", "0"], "-j"), (["--fn", "1,x"], "--fn"),
                (["--pose", "0", "1e308,1", "0", "-j", "2"], "--pose"),
                (["--shard"], "--shard: missing value"), (["--shard", "2"], "--shard: must be K/N"),
                (["--shard", "1/x"], "--shard: must be K/N"), (["--shard", "1/2/3"], "--shard: must be K/N"),
                (["--shard", "1.5/3"], "--shard: must be K/N"), (["--shard", "-1/3"], "--shard: must be K/N"),
                (["--shard", "0/3"], "--shard: K must"), (["--shard", "4/3"], "--shard: K must"),
                (["--shard", "1/0"], "--shard: N must")]:
            with self.subTest(args=args):
                result = sweep(*args)
                self.assertEqual((result.returncode, result.stdout), (2, ""))
                self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
                self.assertIn(expected, result.stderr)


class Plot(unittest.TestCase):
    """agvsim-plot headless: its figures, their files and its refusals."""

    @staticmethod
    def drawn(*args):
        """(kind, data, figure) as agvsim-plot gathers and draws them for args."""
        tool = runpy.run_path(PLOT)
        export_args, _, given = tool["parse_arguments"](list(args))
        kind, data = tool["gather"](export_args, given)
        return kind, data, tool["draw"](kind, data, tool["import_pyplot"](window=False).figure, given)

    @staticmethod
    def never_kind(row):
        """How the map tells a run that never settles: held at the limit or still converging."""
        if row["settle"] is not None:
            return None
        return "limit" if row["atLimit"] > 0.1 * row["endT"] else "converging"

    def test_each_run_is_plotted_from_its_sample_zero_to_last_sample_on_one_time_axis(self):
        tool = runpy.run_path(PLOT)
        export_args, _, given = tool["parse_arguments"](["--path", "circle"])
        kind, data = tool["gather"](export_args, given)
        self.assertEqual(kind, "single")
        figure = tool["draw"](kind, data, tool["import_pyplot"](window=False).figure, given)
        start = tracking(CIRCLE, 0.0, -2.0, 1.0, 0.0, 0.0)
        first_points = [(-2.0, 1.0), (0.0, start[10]), (0.0, wrapped(start[8])), (0.0, 0.0)]
        for (mech, law), last in zip(RUN_ORDER, LAST_SAMPLES["circle"]):
            panels = figure.axes[4 * (RUN_ORDER.index((mech, law)) // 2):][:4]
            for panel, first in zip(panels, first_points):
                with self.subTest(run=(mech, law), panel=panel.get_title()):
                    line, = [l for l in panel.get_lines() if l.get_label() == law]
                    self.assertEqual(line.get_color(), {"P": (0, 0, 1), "PI": (0, 1, 0)}[law])
                    xs, ys = line.get_xdata(), line.get_ydata()
                    kept = [i for i, y in enumerate(ys) if math.isfinite(y)]
                    self.assertEqual(len(kept), last + 1)
                    self.assertAlmostEqual(xs[0], first[0], 12)
                    self.assertAlmostEqual(ys[0], first[1], 12)
                    if panel is not panels[0]:
                        self.assertEqual(xs[kept[-1]], last * 0.02)
                        self.assertEqual(panel.get_xlim(), (0.0, 2999 * 0.02))
            # The design curve starts from the run's own errors, dashed in its colour.
            for panel, first in zip(panels[1:3], first_points[1:3]):
                design, = [l for l in panel.get_lines() if l.get_label() == law + " design"]
                self.assertEqual((design.get_linestyle(), len(design.get_xdata())), ("--", last + 1))
                self.assertAlmostEqual(design.get_ydata()[0], first[1], 12)
            limits = [list(l.get_ydata()) for l in panels[3].get_lines()
                      if l.get_linestyle() == "--"]
            self.assertEqual(limits, [[1.5, 1.5], [-1.5, -1.5]])
        boxes = [text.get_text() for axes in figure.axes[12:] for text in axes.texts]
        self.assertEqual(len(boxes), 3)
        self.assertIn("settle       never", boxes[1])

    def test_the_path_lies_under_the_runs_in_every_plan_view(self):
        """Drawn first, as in the window, so that runs along it stay visible."""
        tool = runpy.run_path(PLOT)
        pyplot = tool["import_pyplot"](window=False)
        for args in (["--path", "circle"], ["--path", "circle", "--fn", "0.5,1.0"]):
            export_args, _, given = tool["parse_arguments"](args)
            kind, data = tool["gather"](export_args, given)
            figure = tool["draw"](kind, data, pyplot.figure, given)
            plans = [axes for axes in figure.axes if axes.get_title().endswith("plan view")]
            self.assertEqual(len(plans), 3, args)
            for axes in plans:
                self.assertEqual(axes.get_lines()[0].get_color(), (1.0, 0.0, 0.0), (kind, axes.get_title()))
            pyplot.close(figure)

    def test_files_of_each_type_and_the_documented_pixel_size(self):
        with tempfile.TemporaryDirectory() as directory:
            cases = [(["--path", "circle"], "all.png", b"\x89PNG", 3),
                     (["--fn", "0.5,1.0", "--mech", "1FDW1FS"], "compared.png", b"\x89PNG", 1),
                     (["--fn", "0.5:1:0.5", "--zeta", "0.5,1"], "map.png", b"\x89PNG", (1200, 1150)),
                     (["--pose", "-2", "0.5:1:0.5", "0", "--mech", "2DW1C", "--law", "P"], "map1.png",
                      b"\x89PNG", (600, 450)),
                     (["--mech", "2DW1C"], "one.png", b"\x89PNG", 1),
                     (["--mech", "2DW1C", "--law", "P"], "a.pdf", b"%PDF", 0),
                     (["--mech", "2DW1C", "--law", "PI"], "a.svg", b"<?xml", 0)]
            for args, name, start, rows in cases:
                if isinstance(rows, tuple) and not SWEEP:
                    continue  # a map needs agvsim-sweep
                output = os.path.join(directory, name)
                self.assertEqual(plot(*args, "-o", output).returncode, 0)
                with open(output, "rb") as written:
                    head = written.read(24)
                self.assertTrue(head.startswith(start), name)
                size = rows if isinstance(rows, tuple) else (1600, 100 + 350 * rows)
                if rows:
                    self.assertEqual(struct.unpack(">II", head[16:24]), size)

    def test_bad_options_and_missing_matplotlib_fail_with_one_line(self):
        with tempfile.TemporaryDirectory() as shadow:
            with open(os.path.join(shadow, "matplotlib.py"), "w") as module:
                module.write("raise ImportError('no matplotlib here')\n")
            missing = (["-o", os.path.join(shadow, "f.png")], {"PYTHONPATH": shadow},
                       "apt-get install python3-matplotlib")
            for args, environment, expected in [
                    (["-o"], {}, "-o"), (["-o", "f.jpg"], {}, "-o"), (["--speed"], {}, "--speed"),
                    (["-o", "a.png", "-o", "b.png"], {}, "-o"), (["--fn", "x"], {}, "--fn"),
                    (["--mech", "4WD"], {}, "--mech"), (["--fn", "1e308"], {}, "--fn"),
                    (["--fn", "1,2,3", "--zeta", "1,2,3"], {}, "at most 6 settings"),
                    (["--fn", "0.5:1:-1"], {}, "--fn"),
                    (["--pose", "1", "1e308", "0"], {}, "--pose"),
                    # A vehicle value refused alone, in a list and in a range; one left without a
                    # value must not take the --design added behind it.
                    (["--delay", "2"], {}, "--delay: must be from 0 to 1 s"),
                    (["--noise-d", "0.01,-0.01"], {}, "--noise-d"),
                    (["--speed-factor", "0:1:0.5"], {}, "--speed-factor"),
                    (["--fn", "0.5", "--seed"], {}, "--seed: missing value"), missing]:
                if not SWEEP and any(":" in a for a in args):
                    continue  # a range goes to agvsim-sweep, which checks it
                with self.subTest(args=args):
                    result = plot(*args, **environment)
                    self.assertEqual((result.returncode, result.stdout), (2, ""))
                    self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
                    self.assertTrue(result.stderr.startswith("agvsim-plot: "), result.stderr)
                    self.assertIn(expected, result.stderr)
            self.assertFalse(os.path.exists(os.path.join(shadow, "f.png")))

    def test_a_vehicle_value_alone_or_listed_reaches_each_run_and_is_named(self):
        for args, kind, labels in [(["--delay", "0.1"], "single", {"P": "0.1"}),
                                   (["--delay", "0,0.2"], "comparison",
                                    {"P delay = 0 s": "0", "P delay = 0.2 s": "0.2"})]:
            with self.subTest(args=args):
                _, _, figure = self.drawn("--path", "circle", "--mech", "2DW1C", "--law", "P", *args)
                titled = " ".join(text.get_text() for text in figure.texts)
                self.assertIn("vehicle as built: delay = %s s" % args[1], titled)
                dd = next(axes for axes in figure.axes if axes.get_title() == "2DW1C dd(t)")
                for label, delay in labels.items():
                    line, = [l for l in dd.get_lines() if l.get_label() == label]
                    rows = table(export("--path", "circle", "--mech", "2DW1C", "--law", "P",
                                        "--delay", delay).stdout)[1]
                    self.assertEqual(list(line.get_ydata()), [float(r["plotD"]) for r in rows])
        _, _, figure = self.drawn("--mech", "2DW1C", "--speed-factor", "1", "--seed", "1.0")
        self.assertNotIn("vehicle", " ".join(text.get_text() for text in figure.texts))

    def test_a_vehicle_range_maps_the_sweep_over_it_starred_at_the_perfect_vehicle(self):
        if not SWEEP:
            self.skipTest("a map needs agvsim-sweep")
        args = ["--speed-factor", "0.5:1.5:0.5", "--wheelbase", "0.5,2", "--mech", "1FDW1FS", "--law", "P"]
        kind, rows, figure = self.drawn(*args)
        self.assertEqual(kind, "map")
        swept = table(sweep(*args).stdout)[1]
        self.assertEqual([(r["speedFactor"], r["wheelbase"], r["settle"]) for r in rows],
                         [(float(r["speedFactor"]), float(r["wheelbase"]),
                           float(r["settle"]) if r["settle"] else None) for r in swept])
        panel, = [axes for axes in figure.axes if axes.get_title() == "1FDW1FS P"]
        self.assertEqual((panel.get_xlabel(), panel.get_ylabel()), ("wheelbase [m]", "speed factor"))
        star, = [l for l in panel.get_lines() if l.get_label() == "start-up setting"]
        self.assertEqual((list(star.get_xdata()), list(star.get_ydata())), ([1.0], [1.0]))

    def test_runs_that_never_settle_are_told_apart_by_the_steering_limit(self):
        """Pixels of every cell of the map clear of its legend and star; markers on the line plot."""
        if not SWEEP:
            self.skipTest("a map needs agvsim-sweep")
        import numpy
        colours = {"limit": (217, 0, 217), "converging": (153, 153, 153)}
        _, rows, figure = self.drawn("--delay", "0:0.3:0.1", "--fn", "0.5:2:0.5", "--mech", "2DW1C",
                                     "--law", "PI")
        self.assertEqual({self.never_kind(r) for r in rows}, {None, "limit", "converging"})
        panel = figure.axes[0]
        figure.canvas.draw()
        pixels = numpy.asarray(figure.canvas.buffer_rgba())
        legend = panel.get_legend().get_window_extent()
        settled = panel.collections[0]
        labels = [text.get_text() for text in panel.get_legend().get_texts()]
        self.assertIn("never: at the steering limit", labels)
        self.assertIn("never: still converging at the end", labels)
        for row in rows:
            x, y = panel.transData.transform((row["delay"], row["fn"]))
            if legend.contains(x, y) or (row["delay"], row["fn"]) == (0.0, 1.0):
                continue
            kind = self.never_kind(row)
            expected = colours[kind] if kind else settled.to_rgba(row["settle"], bytes=True)[:3]
            got = pixels[pixels.shape[0] - int(y), int(x)][:3]
            for a, b in zip(got, expected):
                self.assertLessEqual(abs(int(a) - int(b)), 2, (row["fn"], row["delay"], kind))
        _, rows, figure = self.drawn("--delay", "0:0.3:0.1", "--fn", "0.5", "--mech", "2DW1C",
                                     "--law", "PI")
        marked = {kind: [l for l in figure.axes[0].get_lines() if l.get_label() == label][0]
                  for kind, label in (("limit", "never: at the steering limit"),
                                      ("converging", "never: still converging at the end"))}
        for kind, line in marked.items():
            self.assertEqual(list(line.get_xdata()), [r["delay"] for r in rows if self.never_kind(r) == kind])
            self.assertTrue(len(line.get_xdata()))

    def test_the_final_dd_in_the_box_has_the_phase_planes_sign(self):
        """On the circle plotD is -errD: the box must not show the metrics' finalD."""
        _, (runs_drawn, figures), figure = self.drawn("--path", "circle")
        boxes = [text.get_text() for axes in figure.axes[12:] for text in axes.texts]
        for mechanism, box in zip(("2DW1C", "1FDW1FS", "1RDW1FS"), boxes):
            shown = re.findall(r"final dd +(\S+) m", box)
            last = ["%.4f" % runs_drawn[mechanism][law]["plotD"][-1] for law in ("P", "PI")]
            self.assertEqual(shown, [v[1:] if v == "-0.0000" else v for v in last], mechanism)
        self.assertIn("final dd     0.0126 m", boxes[0])
        self.assertLess(next(r["finalD"] for r in figures if r["mech"] == "2DW1C"), 0.0)


if __name__ == "__main__":
    EXPORT, EXPORT_17_DIGITS, PLOT, SWEEP = (sys.argv[1:5] + [""])[:4]
    del sys.argv[1:5]
    unittest.main()
