#!/usr/bin/env python3
"""End-to-end checks of agvsim-export: CSV layout, run lengths and option errors.

Usage: test_export.py PATH_TO_AGVSIM_EXPORT
"""

import subprocess
import sys
import unittest

from reference_model import COLUMNS, DEG_TO_RAD, PI

EXPORT = None
RUN_ORDER = [(m, l) for m in ("2DW1C", "1FDW1FS", "1RDW1FS") for l in ("P", "PI")]
# lastSample of each run in RUN_ORDER with the start-up settings.
LAST_SAMPLES = {
    "line": [999, 999, 1179, 2999, 999, 999],
    "circle": [999, 999, 1310, 2999, 999, 999],
}


def export(*args):
    return subprocess.run([EXPORT] + list(args), capture_output=True, text=True)


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
        for option in ("--path", "--fn", "--zeta", "--pose", "2DW1C", "1RDW1FS"):
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
        ]
        for args, option in cases:
            with self.subTest(args=args):
                result = export(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, "")
                self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
                self.assertTrue(result.stderr.endswith("\n"))
                self.assertIn(option, result.stderr)


if __name__ == "__main__":
    EXPORT = sys.argv.pop(1)
    unittest.main()
