"""The simulator used as a person uses it: the dialog answered on its console, keys pressed
in its window, the window read back pixel by pixel, all in a private Xvfb server.

Environment: AGV_PROGRAM (the simulator), AGV_RECORD_PROBE (prints the recorded runs),
AGV_VIDEO (agvsim-video, whose pictures and videos must equal the window's frames).
Pixel checks sit where line rounding cannot move them: inside shapes, a few pixels from
any edge, away from the 1-pixel grid lines and from everything drawn later."""

import math
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import termios
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scene_geometry import (View, body_point, clear_of, is_black, is_blue, is_dark,  # noqa: E402
                            is_green, is_red, is_white, probe, unit_pixel)
from xsession import TIMEOUT, Program, XServer  # noqa: E402

PROGRAM = os.environ.get("AGV_PROGRAM", "")
PROBE = os.environ.get("AGV_RECORD_PROBE", "")
VIDEO = os.environ.get("AGV_VIDEO", "")

TITLE = ("1,2,3:機構選択, c:経路変更，h:初期状態変更，f:系のfn変更，P,I:P,PI制御，"
         "W,w:画面拡大縮小，x,X,y,Y:画面移動，z,Z:位相面移動，0:初期へ，s:継続，スペース:再生/停止，t:情報表示，d:外乱")
LAST_PROMPT = "任意キーで描画画面へ"
DONE = "計算終了"
P, PI = 1, 2

server = None


def setUpModule():
    global server
    if not (PROGRAM and PROBE):
        raise unittest.SkipTest("AGV_PROGRAM and AGV_RECORD_PROBE are not set")
    server = XServer()
    server.start()


def tearDownModule():
    if server:
        server.stop()


def text_pixels(image, views, left, top, right, bottom):
    """Dark pixels of a rectangle that no grid line of the given views can explain."""
    return {(x, y) for x, y, p in image.block(left, top, right, bottom)
            if is_dark(p) and not any(v.on_grid(x, y) for v in views)}


def text_line(image, view, baseline_y):
    """Columns of the dark pixels of the corner text line whose baseline is at baseline_y
    window units; only the rows above the baseline, which no other line reaches."""
    row = int(unit_pixel(0.0, baseline_y)[1])
    pixels = text_pixels(image, [view], 0, row - 13, 470, row - 1)
    return sorted({x for x, _ in pixels})


def inside_figure(pose, x, y, margin=0.15):
    """Whether a world point may be covered by a vehicle figure standing at pose."""
    c, s = math.cos(pose[2]), math.sin(pose[2])
    u = (x - pose[0]) * c + (y - pose[1]) * s
    v = -(x - pose[0]) * s + (y - pose[1]) * c
    return -0.38 - margin < u < 1.3 + margin and abs(v) < 0.66 + margin


class WindowTestCase(unittest.TestCase):
    """Starts the simulator, answers the start-up dialog and waits for the first frame."""

    def open_window(self, answers, final_key="k"):
        self.program = Program(PROGRAM, server)
        self.addCleanup(self.program.close)
        self.program.type(answers)
        self.program.wait_output(LAST_PROMPT)
        self.program.type(final_key)
        self.program.wait_window()
        self.view = View()

    def start(self, answers="0\nn\nn\n", final_key="k"):
        self.open_window(answers, final_key)
        sample = self.start_sample()
        return self.wait_frame(lambda image: self.is_body_at(image, sample, is_blue),
                               "the first frame")

    def start_sample(self, mechanism=1, law=P, index=0):
        return probe(PROBE, ["%d:%d:%d" % (mechanism, law, index)])[0]

    def wait_frame(self, condition, what):
        return self.program.wait_image(condition, what)

    def px(self, x, y, view=None):
        column, row = (view or self.view).pixel(x, y)
        return int(math.floor(column)), int(math.floor(row))

    def is_body_at(self, image, sample, colour, view=None):
        """Body interior away from wheels, boxes, caster and reference dot has the colour."""
        points = [(0.4, 0.0), (0.45, 0.3), (0.45, -0.3), (-0.1, 0.15)]
        return all(self.block_is(image, body_point(sample.pose, u, v), colour, view)
                   for u, v in points)

    def block_is(self, image, world, colour, view=None, radius=1):
        column, row = self.px(*world, view=view)
        return all(colour(p) for _, _, p in
                   image.block(column - radius, row - radius, column + radius, row + radius))

    def near(self, image, world, colour, view=None, radius=2):
        """Some pixel within radius of the world point has the colour: for lines, which
        the rasteriser may shift by a pixel."""
        column, row = self.px(*world, view=view)
        return any(colour(p) for _, _, p in
                   image.block(column - radius, row - radius, column + radius, row + radius))

    def assertPixel(self, image, world, colour, what, view=None):
        column, row = self.px(*world, view=view)
        if not self.block_is(image, world, colour, view):
            self.fail("%s: pixel (%d, %d) is %s (screenshot %s)"
                      % (what, column, row, image.pixel(column, row), self.program.keep(image)))

    def assertPhaseFrame(self, image, view):
        """The black frame lines of the phase plane at rows and columns away from labels."""
        left, top = unit_pixel(view.phase_x - 0.3, view.phase_y + 0.3)
        right, bottom = unit_pixel(view.phase_x + 0.3, view.phase_y - 0.3)
        inner_column = int((left + right) / 2 - 40)
        inner_row = int((top + bottom) / 2 - 80)
        for name, column, row, across in (("top", inner_column, top, "row"),
                                          ("bottom", inner_column, bottom, "row"),
                                          ("left", left, inner_row, "column"),
                                          ("right", right, inner_row, "column")):
            column, row = int(column), int(row)
            if across == "row":
                line = [image.pixel(column, r) for r in range(row - 3, row + 3)]
                beside = [image.pixel(column, r) for r in (row - 7, row + 4)]
            else:
                line = [image.pixel(c, row) for c in range(column - 3, column + 3)]
                beside = [image.pixel(c, row) for c in (column - 7, column + 4)]
            # The screenshot is kept only for a failure, so passing runs leave no files.
            if not (any(is_black(p) for p in line) and all(is_white(p) for p in beside)):
                self.fail("phase frame %s edge near (%d, %d): %s, beside %s (screenshot %s)"
                          % (name, column, row, line, beside, self.program.keep(image)))

    def shows_notice(self, image):
        """The box of the console note: its top edge black all along."""
        left, row = unit_pixel(-0.3, 0.06)
        right, _ = unit_pixel(0.3, 0.06)
        return all(any(is_black(image.pixel(column, r)) for r in range(int(row) - 2, int(row) + 3))
                   for column in range(int(left), int(right), 8))

    def press_and_exit(self):
        self.program.press_escape()
        status = self.program.wait_exit()
        self.assertEqual(status, 0, "ESC ended with status %d; stderr:\n%s"
                         % (status, self.program.err.bytes().decode(errors="replace")[-3000:]))


class StartUpTest(WindowTestCase):
    def test_window_opens_after_dialog_with_title_and_first_frame(self):
        self.program = Program(PROGRAM, server)
        self.addCleanup(self.program.close)
        self.program.type("0\nn\nn\n")
        self.program.wait_output(LAST_PROMPT)
        out = self.program.output()
        self.assertLess(out.index("gain()"), out.index("移動ロボット"), "gains first, then dialog")
        time.sleep(1.0)
        self.assertIsNone(self.program.find_window(), "no window before the dialog's last key")

        self.program.type("k")
        self.program.wait_window()
        self.view = View()
        sample = self.start_sample()
        image = self.wait_frame(lambda im: self.is_body_at(im, sample, is_blue), "the first frame")

        with self.subTest("window"):
            self.assertEqual(self.program.geometry(), (800, 800))
            kind, value = self.program.property("_NET_WM_NAME", "8c")
            self.assertEqual(kind, "UTF8_STRING")
            self.assertEqual(bytes(int(b) for b in value.split(",")), TITLE.encode("utf-8"))
            for name in ("WM_NAME", "WM_ICON_NAME", "_NET_WM_ICON_NAME"):
                self.assertEqual(self.program.property(name)[1], '"%s"' % TITLE, name)
            self.assertEqual(self.program.property("WM_CLASS")[1], '"agvsim", "Agvsim"')
            self.assertEqual(self.program.property("_NET_WM_PID")[1], str(self.program.proc.pid))

        with self.subTest("white background between grid lines"):
            for world in ((0.5, -1.5), (5.5, -2.5), (-2.5, -3.5), (-2.5, 2.5)):
                self.assertPixel(image, world, is_white, "background at %s" % (world,))
            # The phase plane's white background hides the grid line at x = 4 m.
            column = self.px(4.0, 0.0)[0]
            self.assertTrue(all(is_white(p) for _, _, p in image.block(column - 2, 80, column + 2, 170)))

        with self.subTest("red path beside the trajectories that lie on it"):
            for x in (2.5, 3.5, 5.5, 6.5):
                column, row = self.px(x, 0.0)
                band = [image.pixel(column, r) for r in range(row - 5, row + 5)]
                self.assertTrue(any(is_red(p) for p in band), "path at x=%s: %s" % (x, band))
                self.assertTrue(is_white(image.pixel(column, row - 9)))
                self.assertTrue(is_white(image.pixel(column, row + 9)))

        with self.subTest("blue P body at the start pose"):
            self.assertEqual(sample.pose, (-2.0, 1.0, 0.0))
            for u, v in ((0.4, 0.0), (0.45, 0.3), (0.45, -0.3), (0.8, 0.35), (0.1, 0.6)):
                self.assertPixel(image, body_point(sample.pose, u, v), is_blue,
                                 "body or wheel at (%s, %s)" % (u, v))
            # White drive boxes of 2DW1C and the red reference disc below the start.
            for v in (0.3, -0.3):
                self.assertPixel(image, body_point(sample.pose, 0.0, v), is_white, "drive box")
            self.assertPixel(image, (sample.ref_x, sample.ref_y), is_red, "reference disc")

        with self.subTest("black phase-plane frame"):
            self.assertPhaseFrame(image, self.view)

        with self.subTest("dark title text on the first frame"):
            title = text_pixels(image, [self.view], 0, 5, 320, 22)
            self.assertGreater(len(title), 100, "dark title pixels: %d" % len(title))
        self.press_and_exit()


class KeyTest(WindowTestCase):
    def test_step_moves_figure_and_zero_returns_it(self):
        self.start()
        start = self.start_sample()
        later = self.start_sample(index=200)
        runs = probe(PROBE, ["1:1:*", "1:2:*"])
        self.program.press(*["s"] * 100)
        image = self.wait_frame(lambda im: self.is_body_at(im, later, is_blue),
                                "the figure at sample 200 after 100 's'")
        self.assertPixel(image, (later.ref_x, later.ref_y), is_red, "reference disc at sample 200")
        # Where the start body was, nothing blue is left, unless a trajectory passes there.
        traced = [(s.x, s.y) for s in runs]
        vacated = [body_point(start.pose, u, v) for u in (-0.1, 0.2, 0.5, 0.8)
                   for v in (-0.4, -0.2, 0.0, 0.2, 0.4)]
        vacated = [w for w in vacated if clear_of(traced, *w, 0.1)
                   and not inside_figure(later.pose, *w)
                   and not self.view.on_grid(*self.px(*w))]
        self.assertGreaterEqual(len(vacated), 3)
        for world in vacated:
            self.assertFalse(is_blue(image.pixel(*self.px(*world))), "still blue at %s" % (world,))

        self.program.press("0")
        self.wait_frame(lambda im: self.is_body_at(im, start, is_blue), "the start pose after '0'")
        self.press_and_exit()

    def test_mechanism_and_law_keys_change_figure_and_texts(self):
        image = self.start()
        start = self.start_sample()
        mechanism_text = text_line(image, self.view, 0.90)
        law_text = text_line(image, self.view, 0.85)
        front_box = body_point(start.pose, 1.0, 0.2)
        self.assertPixel(image, front_box, is_blue, "2DW1C body beside the caster")
        self.assertPixel(image, body_point(start.pose, 0.0, 0.3), is_white, "2DW1C drive box")

        self.program.press(*["s"] * 5, "2")
        second = self.start_sample(mechanism=2)
        box = body_point((second.x, second.y, second.theta + second.phi), 0.0, 0.2)
        front_box = (box[0] + math.cos(second.theta), box[1] + math.sin(second.theta))
        image = self.wait_frame(lambda im: self.block_is(im, front_box, is_white)
                                and self.is_body_at(im, second, is_blue),
                                "the 1FDW1FS figure at its start after '2'")
        self.assertPixel(image, body_point(second.pose, 0.0, 0.3), is_blue, "1FDW1FS body")
        text = text_line(image, self.view, 0.90)
        self.assertLessEqual(abs(text[0] - mechanism_text[0]), 3, "mechanism text moved")
        self.assertGreater(text[-1], mechanism_text[-1] + 10, "mechanism text not replaced")

        self.program.press("I")
        second_pi = self.start_sample(mechanism=2, law=PI)
        image = self.wait_frame(lambda im: self.is_body_at(im, second_pi, is_green),
                                "the green PI figure after 'I'")
        text = text_line(image, self.view, 0.85)
        self.assertLessEqual(abs(text[0] - law_text[0]), 3, "law text moved")
        self.assertLess(text[-1], law_text[-1] - 30, "law text not replaced")
        self.press_and_exit()

    def test_pan_and_zoom_move_the_scene_but_not_texts_or_phase_plane(self):
        before = self.start()
        start = self.start_sample()
        runs = probe(PROBE, ["1:1:*", "1:2:*"])
        traced = [(s.x, s.y) for s in runs]
        old_view = self.view
        self.view = View(zoom=0.2 * 0.9 ** 5, pan_x=-0.15)
        self.program.press(*["x"] * 3, *["w"] * 5)
        after = self.wait_frame(lambda im: self.is_body_at(im, start, is_blue),
                                "the figure moved left and shrunk")
        self.assertFalse(self.is_body_at(after, start, is_blue, old_view), "figure did not move")
        self.assertTrue(self.near(after, (start.ref_x, start.ref_y), is_red, radius=1),
                        "reference disc not where the pan and zoom put it")
        # Pixels inside the old body, at the same offset from the new reference point, now
        # lie outside the smaller body.
        o_old, o_new = old_view.pixel(*start.pose[:2]), self.view.pixel(*start.pose[:2])
        checked = 0
        for u, v in ((0.5, 0.45), (0.5, -0.45), (0.2, 0.45), (0.8, 0.4)):
            p_old = old_view.pixel(*body_point(start.pose, u, v))
            column = int(o_new[0] + p_old[0] - o_old[0])
            row = int(o_new[1] + p_old[1] - o_old[1])
            world = (start.x + (column - o_new[0]) * self.view.metres_per_pixel(),
                     start.y - (row - o_new[1]) * self.view.metres_per_pixel())
            if clear_of(traced, *world, 0.15) and not self.view.on_grid(column, row):
                self.assertFalse(is_blue(after.pixel(column, row)), "not shrunk at %s" % (world,))
                checked += 1
        self.assertGreaterEqual(checked, 2)

        views = [old_view, self.view]
        texts_before = text_pixels(before, views, 0, 5, 470, 165)
        texts_after = text_pixels(after, views, 0, 5, 470, 165)
        self.assertGreater(len(texts_before), 500)
        self.assertGreater(len(texts_before & texts_after),
                           0.95 * len(texts_before | texts_after), "corner texts moved")
        self.assertPhaseFrame(after, self.view)

        # Far out, the path runs on alone to x = 30 m, 5.2 pixels wide.
        self.view = View(zoom=0.2 * 0.9 ** 16, pan_x=-0.15)
        self.program.press(*["w"] * 11)
        end = max(x for x, _ in traced)
        xs = [x + 0.5 for x in range(int(end) + 2, 30)]
        self.assertGreaterEqual(len(xs), 3)
        image = self.wait_frame(lambda im: all(self.block_is(im, (x, 0.0), is_red, radius=0)
                                               for x in xs), "the far end of the path")
        for x in xs:
            column, row = self.px(x, 0.0)
            self.assertTrue(is_red(image.pixel(column, row - 1)), "path width at x=%s" % x)
        column, row = self.px(31.5, 0.0)
        self.assertFalse(any(is_red(image.pixel(column, r)) for r in range(row - 4, row + 4)),
                         "the path goes past 30 m")
        self.press_and_exit()

    def test_phase_plane_key_moves_only_the_plot(self):
        self.start()
        self.view = View(phase_x=0.65)
        self.program.press("Z")
        left_edge = unit_pixel(0.35, 0.75)

        def moved(image):
            column, row = int(left_edge[0]), int(left_edge[1])
            return any(is_black(image.pixel(c, row)) for c in range(column - 3, column + 3))

        image = self.wait_frame(moved, "the phase frame moved right")
        self.assertPhaseFrame(image, self.view)
        old_left = unit_pixel(0.3, 0.75)
        self.assertTrue(all(is_white(image.pixel(c, int(old_left[1])))
                            for c in range(int(old_left[0]) - 3, int(old_left[0]) + 3)),
                        "the old frame edge is still drawn")
        self.assertTrue(self.is_body_at(image, self.start_sample(), is_blue), "scene moved")
        self.press_and_exit()


class ResizeTest(WindowTestCase):
    def test_a_wide_window_keeps_the_circle_round_between_white_margins(self):
        self.open_window("1\nn\ny\n4 0 90\n")
        self.program.resize(1000, 800)
        margin = 100  # (1000 - 800) / 2

        def reds(image):
            """Columns and rows of the red pixels around the circle x^2 + y^2 = 4."""
            left, top = self.px(-2.6, 2.6)
            right, bottom = self.px(2.6, -2.6)
            return [(c, r) for c, r, p in image.block(left + margin, top, right + margin, bottom)
                    if is_red(p)]

        # Nothing past the square's edge, not even half of a wide line across it.
        def letterboxed(image):
            return (image.width, image.height) == (1000, 800) and len(reds(image)) > 100 and all(
                is_white(p) for _, _, p in image.block(0, 0, margin - 1, 799))

        image = self.wait_frame(letterboxed, "the picture in a centred square")
        columns = [c for c, _ in reds(image)]
        rows = [r for _, r in reds(image)]
        across, down = max(columns) - min(columns), max(rows) - min(rows)
        self.assertLessEqual(abs(across - down), 1, "the circle is %d x %d pixels" % (across, down))
        self.assertAlmostEqual(across, 4.0 / self.view.metres_per_pixel(), delta=4)
        self.assertTrue(all(is_white(p) for _, _, p in image.block(900, 0, 999, 799)))
        self.press_and_exit()


class PlaybackTest(WindowTestCase):
    def test_space_plays_then_pauses_without_using_the_cpu(self):
        self.start()
        self.program.press("space")
        playing = time.monotonic()
        time.sleep(1.0)
        self.assertFalse(self.is_body_at(self.program.screenshot(), self.start_sample(), is_blue))
        self.program.press("space")
        self.wait_frame(lambda im: True, "the picture at rest")
        self.assertLess(time.monotonic() - playing, 12.0)  # unpaused, it rests at the end, 20 s on
        before, cpu = self.program.screenshot(), self.program.cpu_seconds()
        time.sleep(0.5)
        self.assertEqual(self.program.screenshot().rgb, before.rgb, "moved while paused")
        # One clock tick of slack for the accounting.
        self.assertLessEqual(self.program.cpu_seconds() - cpu, 0.011, "CPU used while paused")
        self.press_and_exit()

    def test_window_destroyed_from_outside_ends_with_status_0(self):
        for end in ("destroy_window", "kill_window"):
            with self.subTest(end):
                self.start()
                getattr(self.program, end)()
                self.assertEqual(self.program.wait_exit(), 0)


class DialogAgainTest(WindowTestCase):
    POSE = (4.0, 0.0, 90.0)

    def test_c_runs_the_dialog_again_and_the_window_shows_the_new_path(self):
        image = self.start()
        path_text = text_line(image, self.view, 0.75)
        self.program.press("c")
        self.program.wait_output("直線=0，円弧=1", 2)
        self.wait_frame(self.shows_notice, "the note that the console waits")
        self.program.type("1\nn\ny\n%g %g %g\n" % self.POSE)
        self.program.wait_output(LAST_PROMPT, 2)
        out = self.program.output()
        self.assertIn("円弧(x^2+y^2=4)を選択した", out)
        self.program.type("k")

        runs = probe(PROBE, ["1:1:*", "1:2:*"], path_kind=1, pose=self.POSE)
        first = runs[0]
        traced = [(s.x, s.y) for s in runs]
        free = []
        for degree in range(0, 360, 5):
            a = math.radians(degree)
            point = (2.0 * math.cos(a), 2.0 * math.sin(a))
            if (clear_of(traced, *point, 0.15) and clear_of([first.pose[:2]], *point, 1.7)
                    and not self.view.on_grid(*self.px(*point))):
                free.append(point)
        self.assertGreaterEqual(len(free), 10, "the trajectories hide the circle")

        image = self.wait_frame(lambda im: all(self.near(im, p, is_red) for p in free),
                                "the red circle after 'c'")
        # The straight line is gone, trajectories and grid apart.
        for x in (4.5, 5.5, 6.5):
            column, row = self.px(x, 0.0)
            if clear_of(traced, x, 0.0, 0.15):
                self.assertFalse(any(is_red(image.pixel(column, r))
                                     for r in range(row - 4, row + 4)), "line still at x=%s" % x)
        text = text_line(image, self.view, 0.75)
        self.assertLessEqual(abs(text[0] - path_text[0]), 3)
        self.assertLess(text[-1], path_text[-1] - 30, "path text not replaced")
        self.assertTrue(self.is_body_at(image, first, is_blue), "figure not at the new start")
        self.assertFalse(self.shows_notice(image))
        self.press_and_exit()

    def test_d_changes_the_vehicle_and_a_line_under_the_corner_texts_names_it(self):
        image = self.start()
        self.assertEqual(text_line(image, self.view, 0.55), [], "a vehicle line for the perfect vehicle")
        self.program.press("d")
        self.program.wait_output("車両の誤差・外乱を変更する", 1)
        self.program.type("y1.1 1\n0 0 0\n0 0 1\n0.1\n")
        self.program.wait_output(LAST_PROMPT, 2)
        self.assertIn("むだ時間= 0.100[s]", self.program.output())
        self.program.type("k")
        # "Vehicle: speed x1.10, delay 0.10 s" spans some 280 pixels.
        self.wait_frame(lambda im: len(text_line(im, self.view, 0.55)) > 150, "the vehicle line")
        self.press_and_exit()

    def test_keys_pressed_during_the_dialog_are_dropped(self):
        self.start()
        self.program.press("c")
        self.program.wait_output("直線=0，円弧=1", 2)
        self.program.press(*["s"] * 5, "c")
        self.program.type("1nnk")
        first = probe(PROBE, ["1:1:0"], path_kind=1)[0]
        # Had the keys acted, the figure and its reference point would stand 0.2 m on.
        self.wait_frame(lambda im: self.is_body_at(im, first, is_blue)
                        and self.block_is(im, (first.ref_x, first.ref_y), is_red),
                        "the circle runs at sample 0")
        self.assertEqual(self.program.output().count("直線=0，円弧=1"), 2, "the dialog ran again")
        self.press_and_exit()


def frame_hashes(path):
    """MD5 of every decoded frame as 24-bit RGB."""
    out = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-pix_fmt", "rgb24", "-f",
                          "framemd5", "-"], stdout=subprocess.PIPE, check=True).stdout.decode()
    return [line.split(",")[-1].strip() for line in out.splitlines() if not line.startswith("#")]


@unittest.skipUnless(VIDEO and shutil.which("ffprobe"), "AGV_VIDEO or ffmpeg missing")
class VideoTest(WindowTestCase):
    def video(self, *args, env=None):
        return subprocess.run([VIDEO, *args], env=env or server.env(), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=10 * TIMEOUT, check=False)

    def output(self, name):
        folder = tempfile.mkdtemp(prefix="agvsim-video-")
        self.addCleanup(shutil.rmtree, folder)
        return os.path.join(folder, name)

    def picture(self, until):
        path = self.output("at %s.png" % until)
        result = self.video("--until", until, "-o", path)
        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
        return path

    def assertSamePicture(self, path, image):
        rgb = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt",
                              "rgb24", "-"], stdout=subprocess.PIPE, check=True).stdout
        if rgb != image.rgb:
            self.fail("%s is not the window (screenshot %s)" % (path, self.program.keep(image)))

    def test_pictures_equal_the_window_after_as_many_steps(self):
        first, later = self.picture("0"), self.picture("2")
        self.assertSamePicture(first, self.start())
        self.program.press(*["s"] * 50)
        sample = self.start_sample(index=100)
        image = self.wait_frame(lambda im: self.is_body_at(im, sample, is_blue), "sample 100")
        self.assertSamePicture(later, image)
        self.press_and_exit()

    def test_one_second_clip_plays_26_frames_then_holds_the_last_for_a_second(self):
        for suffix in ("mp4", "gif"):
            path = self.output("clip." + suffix)
            result = self.video("--until", "1", "-o", path)
            self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
            probe_out = subprocess.run(
                ["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0",
                 "-show_entries", "stream=width,height,nb_read_frames,r_frame_rate", "-of",
                 "csv=p=0", path], stdout=subprocess.PIPE, check=True).stdout.decode()
            self.assertEqual(probe_out.strip(), "800,800,25/1,51", suffix)
        # The GIF keeps every colour: its frames are the pictures themselves.
        frames = frame_hashes(path)
        self.assertEqual(frames[0], frame_hashes(self.picture("0"))[0])
        self.assertEqual(frames[1], frame_hashes(self.picture("0.04"))[0])
        self.assertEqual(frames[25:], frame_hashes(self.picture("1")) * 26)

    def test_refusals_are_one_line_naming_the_option_or_the_remedy(self):
        path = self.output("my run.png")
        no_display = {k: v for k, v in server.env().items() if k != "DISPLAY"}
        no_ffmpeg = dict(server.env(), PATH="/nonexistent")
        hint = "xvfb-run -a -s '-screen 0 1024x1024x24' " + shlex.join([VIDEO, "--until", "0",
                                                                       "-o", path])
        for args, env, text in ((["--mech", "4WD", "-o", path], None, "--mech"),
                                (["--law", "PD", "-o", path], None, "--law"),
                                (["--until", "-1", "-o", path], None, "--until"),
                                (["--pose", "1", "2", "-o", path], None, "--pose"),
                                (["-o", path[:-4] + ".avi"], None, "-o"),
                                (["--until", "1"], None, "-o"),
                                (["--fn", "1e300", "-o", path], None, "--fn"),
                                (["--pose", "1", "1e308", "0", "-o", path], None, "--pose"),
                                (["--until", "0", "-o", path], no_display, hint),
                                (["-o", path], no_ffmpeg, "apt-get install ffmpeg")):
            with self.subTest(args=args):
                result = self.video(*args, env=env)
                lines = result.stderr.decode().splitlines()
                self.assertEqual(result.returncode, 2)
                self.assertEqual(len(lines), 1, lines)
                self.assertIn(text, lines[0])
                self.assertFalse(os.path.exists(path))
        # The command the message gives works as given.
        result = subprocess.run(hint, shell=True, env=no_display, stderr=subprocess.PIPE,
                                timeout=10 * TIMEOUT, check=False)
        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
        self.assertTrue(os.path.exists(path))


class StartAndEndTest(WindowTestCase):
    def test_closed_stdin_or_stdout_still_runs_a_c_dialog(self):
        """The X connection must not take the closed descriptor and get the console text."""
        for closed, answers in ((0, ""), (1, "0\nn\nn\nk" "1\nn\nn\nk")):
            with self.subTest(closed=closed):
                self.program = Program(PROGRAM, server, closed=(closed,))
                self.addCleanup(self.program.close)
                self.program.type(answers)
                self.program.wait_window()
                self.view = View()
                sample = self.start_sample()
                first = self.wait_frame(lambda image: self.is_body_at(image, sample, is_blue), "the first frame")
                # Taken only once the steps show: a picture of sample 0 would equal the new runs'.
                self.program.press("s", "s", "s")
                moved = self.program.wait_image(lambda image: image.rgb != first.rgb, "the figure moved on")
                # Keys pressed during the dialog are dropped: ESC waits for its end, which
                # shows the new runs at sample 0 again.
                self.program.press("c")
                self.program.wait_image(lambda image: image.rgb != moved.rgb
                                        and not self.shows_notice(image), "the new runs")
                self.press_and_exit()
                self.assertEqual(self.program.output().count(LAST_PROMPT), 2 - 2 * closed)

    def test_terminal_is_quiet_while_the_window_has_the_keys(self):
        """No echo in the window phase; a dialog gets the echo back and none of what was
        typed meanwhile; ESC leaves nothing for the shell and ends the line."""
        self.program = Program(PROGRAM, server, terminal=True)
        self.addCleanup(self.program.close)
        for prompt, count in (("I= ", 1), ("入力 ", 1), ("入力 ", 2), (LAST_PROMPT, 1)):
            self.program.wait_output(prompt, count)
            self.program.wait_key_mode()
            self.program.type("n")
        self.program.wait_window()
        self.assertFalse(termios.tcgetattr(self.program.terminal)[3] & termios.ECHO)
        self.program.type("typed meanwhile\n")
        self.program.press("h")
        self.program.wait_output("x y θ=")
        self.assertTrue(termios.tcgetattr(self.program.terminal)[3] & termios.ECHO)
        self.program.type("1 0 0\n")
        self.program.wait_output(LAST_PROMPT, 2)
        self.program.wait_key_mode()
        self.program.type("n")
        # The key read has echo off too: wait for line editing back on, echo off.
        deadline = time.monotonic() + TIMEOUT
        while termios.tcgetattr(self.program.terminal)[3] & (termios.ECHO | termios.ICANON) \
                != termios.ICANON:
            self.assertLess(time.monotonic(), deadline, "echo still on after the dialog")
            time.sleep(0.02)
        self.program.type("and")
        self.press_and_exit()
        unread, output = self.program.end_terminal()
        self.assertEqual(unread, 0, "typed input left for the shell")
        self.assertNotIn(b"meanwhile", output)
        self.assertNotIn(b"and", output[-40:])
        self.assertIn("x y θ=1 0 0\r\n".encode(), output)
        self.assertTrue(output.endswith(b"\r\n"), output[-40:])


if __name__ == "__main__":
    unittest.main(verbosity=2)
