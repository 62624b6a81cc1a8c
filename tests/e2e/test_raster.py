"""The canvas rasteriser against the real program: the same dialog answers and keys, the
frame drawn without a GL library, and the window under Xvfb with Mesa, pixel for pixel.

Environment: AGV_PROGRAM (the simulator), AGV_RASTER_FRAMES (the program's drawing code
linked to the canvas rasteriser; writes the frame after the keys as a PPM)."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scene_geometry import is_blue  # noqa: E402
from xsession import TIMEOUT, Program, XServer  # noqa: E402

PROGRAM = os.environ.get("AGV_PROGRAM", "")
FRAMES = os.environ.get("AGV_RASTER_FRAMES", "")
# The rule scene's two builds, Mesa's and the canvas rasteriser's, comma-separated.
RULES = os.environ.get("AGV_RASTER_RULES", "")
ANSWERS = "0\nn\nn\n"
FINAL_KEY = "k"
LAST_PROMPT = "任意キーで描画画面へ"

server = None


def setUpModule():
    global server
    if not (PROGRAM and FRAMES):
        raise unittest.SkipTest("AGV_PROGRAM and AGV_RASTER_FRAMES are not set")
    server = XServer()
    server.start()


def tearDownModule():
    if server:
        server.stop()


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    width, height = (int(v) for v in size.split())
    if magic != b"P6" or depth != b"255" or len(pixels) != width * height * 3:
        raise AssertionError("%s is no %dx%d PPM" % (path, width, height))
    return width, height, pixels


def drawn_frame(keys):
    fd, path = tempfile.mkstemp(suffix=".ppm")
    os.close(fd)
    try:
        subprocess.run([FRAMES, path, *keys], input=(ANSWERS + FINAL_KEY).encode(),
                       stdout=subprocess.DEVNULL, check=True, timeout=TIMEOUT)
        return read_ppm(path)
    finally:
        os.unlink(path)


class RasterFrameTest(unittest.TestCase):
    def window_frame(self, keys):
        program = Program(PROGRAM, server)
        self.addCleanup(program.close)
        program.type(ANSWERS)
        program.wait_output(LAST_PROMPT)
        program.type(FINAL_KEY)
        program.wait_window()
        program.wait_image(lambda image: any(is_blue(p) for _, _, p in
                                             image.block(60, 320, 180, 400)), "the first frame")
        if keys:
            program.press(*keys)
        image = program.wait_image(lambda image: True, "the frame after the keys")
        # Gone before the next one starts, whose window would be found behind this one.
        program.close()
        return program, image

    def assert_same_frame(self, keys):
        program, window = self.window_frame(keys)
        width, height, pixels = drawn_frame(keys)
        self.assertEqual((width, height), (window.width, window.height))
        differing = [i // 3 for i in range(0, len(pixels), 3) if pixels[i:i + 3] != window.rgb[i:i + 3]]
        if differing:
            x, y = differing[0] % width, differing[0] // width
            self.fail("%d of %d pixels differ after %s, the first at (%d, %d): %s, window %s "
                      "(window kept in %s)" % (len(differing), width * height, " ".join(keys) or
                                               "no keys", x, y, list(pixels[3 * differing[0]:][:3]),
                                               list(window.rgb[3 * differing[0]:][:3]),
                                               program.keep(window)))

    def test_rule_scene_equals_mesa(self):
        frames = []
        for build in RULES.split(","):
            fd, path = tempfile.mkstemp(suffix=".ppm")
            os.close(fd)
            self.addCleanup(os.unlink, path)
            subprocess.run([build, path], env=server.env(), check=True, timeout=TIMEOUT)
            frames.append(read_ppm(path))
        (width, _, mesa), (_, _, canvas) = frames
        differing = [(i // 3 % width, i // 3 // width) for i in range(0, len(mesa), 3)
                     if mesa[i:i + 3] != canvas[i:i + 3]]
        self.assertEqual(differing, [], "pixels (x, row from the top) that differ from Mesa's")

    def test_frames_equal_the_window_at_start_and_after_keys(self):
        self.assert_same_frame([])
        self.assert_same_frame(["3", "I", *["s"] * 12, "W", "W", "x", "Y", "z"])


if __name__ == "__main__":
    unittest.main()
