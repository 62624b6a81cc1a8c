"""The Windows build under Wine against the Linux build, on one Xvfb server: the same
console bytes through a pipe, the same window pixels after the same keys, the Japanese
title, and the same exported runs.

Environment: AGV_PROGRAM and AGV_EXPORT (Linux), AGV_WINDOWS_PROGRAM and
AGV_WINDOWS_EXPORT (the .exe files), WINEPREFIX for Wine."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from test_window import DONE, LAST_PROMPT, TITLE  # noqa: E402
from xsession import Program, WineProgram, XServer  # noqa: E402

LINUX = os.environ.get("AGV_PROGRAM", "")
WINDOWS = os.environ.get("AGV_WINDOWS_PROGRAM", "")
LINUX_EXPORT = os.environ.get("AGV_EXPORT", "")
WINDOWS_EXPORT = os.environ.get("AGV_WINDOWS_EXPORT", "")

# Every section of the dialog, with answers it refuses and asks again for.
ANSWERS = "1\ny\n0.5 abc\n0.5 0.7\ny\n1 -0.5\n45\n"
PATH_PROMPT = "のどちらかを選択"
# Mechanism, steps, pan, zoom in (Shift), control law, phase plane.
KEYS = ("2", "s", "s", "s", "s", "s", "X", "W", "W", "I", "s", "z")

server = None


def setUpModule():
    global server
    if not all((LINUX, WINDOWS, LINUX_EXPORT, WINDOWS_EXPORT)):
        raise unittest.SkipTest("the Linux and Windows programs are not all given")
    server = XServer()
    server.start()


def tearDownModule():
    if server:
        server.stop()


class SameAsLinux(unittest.TestCase):
    def run_dialog(self, kind, path):
        program = kind(path, server)
        self.addCleanup(program.close)
        program.type(ANSWERS)
        program.wait_output(LAST_PROMPT)
        return program

    def settled(self, program, before=None):
        """A frame unlike `before` that stays the same for two seconds: software GL
        on a busy machine may take longer than the harness's usual moment per frame."""
        same = 0
        image = None
        while same < 4:
            previous, image = image, program.wait_image(
                lambda im: before is None or im.rgb != before.rgb, "a new frame")
            same = same + 1 if previous is not None and previous.rgb == image.rgb else 0
            time.sleep(0.5)
        return image

    def open_and_press_keys(self, program):
        program.type("k")
        program.wait_window()
        first = self.settled(program)
        program.press(*KEYS)
        return first

    def second_dialog(self, program):
        """'c' in the window, keys pressed there while the console asks, which the
        window must drop, then the dialog answered in CRLF lines."""
        program.press("c")
        program.wait_output(PATH_PROMPT, 2)
        program.press("W", "W", "x")
        time.sleep(1.0)
        program.type("0\r\nn\r\nn\r\n")  # as a Windows editor saves answers
        program.wait_output(LAST_PROMPT, 2)
        program.type("k")

    def assertShows(self, program, frame, reference, what):
        try:
            program.wait_image(lambda image: image.rgb == frame.rgb, "the Linux build's frame " + what)
        except AssertionError as error:
            raise AssertionError("%s; the Linux build's frame is kept in %s"
                                 % (error, reference.keep(frame))) from None

    def test_console_window_and_title(self):
        linux = self.run_dialog(Program, LINUX)
        expected = [self.settled(linux, self.open_and_press_keys(linux))]
        self.second_dialog(linux)
        expected.append(self.settled(linux, expected[0]))
        linux.press_escape()
        self.assertEqual(linux.wait_exit(), 0)

        windows = self.run_dialog(WineProgram, WINDOWS)
        self.open_and_press_keys(windows)
        self.assertShows(windows, expected[0], linux, "after the keys")
        self.second_dialog(windows)
        self.assertShows(windows, expected[1], linux, "after the second dialog")

        # Both dialogs' console bytes, line endings aside.
        self.assertEqual(linux.output().count(DONE), 2)
        self.assertEqual(windows.out.bytes().replace(b"\r\n", b"\n"), linux.out.bytes())
        kind, value = windows.property("_NET_WM_NAME", "8c")
        self.assertEqual(kind, "UTF8_STRING")
        self.assertEqual(bytes(int(b) for b in value.split(",")), TITLE.encode("utf-8"))
        # Closing the window (Alt+F4, as the close button) ends the program as ESC does.
        windows.press("alt+F4")
        self.assertEqual(windows.wait_exit(), 0)

    def test_exported_runs_agree(self):
        # mingw's libm differs from glibc's in the last bits, which the runs carry on
        # (up to 4e-14 measured): a tolerance rather than bit for bit.
        for args in ((), ("--path", "circle", "--fn", "0.5", "--zeta", "0.9", "--pose", "1", "-1", "30")):
            with self.subTest(args=args):
                linux = export([LINUX_EXPORT, *args])
                windows = export(["wine", WINDOWS_EXPORT, *args])
                self.assertEqual(len(windows), len(linux))
                self.assertEqual(windows[0], linux[0])
                for row, (ours, theirs) in enumerate(zip(windows[1:], linux[1:]), 1):
                    ours, theirs = ours.split(","), theirs.split(",")
                    self.assertEqual(ours[:3], theirs[:3], "row %d" % row)
                    for column, (a, b) in enumerate(zip(ours[3:], theirs[3:]), 3):
                        a, b = float(a), float(b)
                        self.assertLessEqual(abs(a - b), 1e-12 * max(1.0, abs(b)),
                                             "row %d column %d: %r and %r" % (row, column, a, b))


def export(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300,
                            check=False)
    if result.returncode != 0:
        raise AssertionError("%s failed: %s" % (command, result.stderr.decode(errors="replace")))
    return result.stdout.decode().splitlines()
