"""Writes the README's screenshot: the window some steps into the run, in a private Xvfb.
Usage: python3 tests/e2e/make_screenshot.py build/agvsim docs/screenshot.png [keys...]"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scene_geometry import is_blue  # noqa: E402
from ximage import write_png  # noqa: E402
from xsession import Program, XServer  # noqa: E402

DEFAULT_KEYS = ["X"] * 8 + ["Y"] * 2 + ["s"] * 40  # the scene moved right and up, 0.8 s in


def main(program_path, out_path, keys):
    server = XServer()
    server.start()
    try:
        program = Program(program_path, server)
        try:
            program.type("0\nn\nn\n")
            program.wait_output("任意キーで描画画面へ")
            program.type("k")
            program.wait_window()
            program.wait_image(lambda image: any(is_blue(p) for _, _, p in
                                                 image.block(60, 320, 180, 400)), "the first frame")
            program.press(*keys)
            image = program.wait_image(lambda image: True, "the frame after the keys")
            write_png(image, out_path)
            program.press_escape()
            program.wait_exit()
        finally:
            program.close()
    finally:
        server.stop()


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:] or DEFAULT_KEYS)
