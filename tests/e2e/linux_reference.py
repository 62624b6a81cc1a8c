"""What the browser's page is compared with, computed from the Linux build at test time:
its start-up pipe transcript, its window title, and its window's frames after scripted
answers and keys, under a private Xvfb server.

Usage: linux_reference.py PROGRAM SCRIPT.json OUTPUT_DIR
SCRIPT is a list of steps: {"answer": "text for the console pipe"} or {"keys": [keysyms]},
and {"frame": "name"} for a screenshot, written as OUTPUT_DIR/name.rgb (top row first).
OUTPUT_DIR/reference.json gets the transcript, the title and the frames' sizes."""

import json
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from xsession import Program, XServer  # noqa: E402

QUIET_SECONDS = 0.7  # no new console output for this long: the program waits


def wait_quiet(program):
    last, since = None, time.monotonic()
    while time.monotonic() - since < QUIET_SECONDS:
        now = program.output()
        if now != last:
            last, since = now, time.monotonic()
        time.sleep(0.05)
    return last


def main(path, script_path, output):
    with open(script_path, encoding="utf-8") as f:
        script = json.load(f)
    server = XServer()
    server.start()
    program = Program(path, server)
    result = {"frames": {}}
    try:
        result["startup"] = wait_quiet(program)
        window = False
        for step in script:
            if "answer" in step:
                program.type(step["answer"])
                wait_quiet(program)
            if "keys" in step:
                if not window:
                    program.wait_window()
                    window = True
                    result["title"] = program.property("_NET_WM_NAME")[1].strip('"')
                for key in step["keys"]:
                    program.press(key)
            if "frame" in step:
                previous = None
                while True:
                    image = program.screenshot()
                    if previous is not None and previous.rgb == image.rgb:
                        break
                    previous = image
                    time.sleep(0.4)
                with open(os.path.join(output, step["frame"] + ".rgb"), "wb") as f:
                    f.write(image.rgb)
                result["frames"][step["frame"]] = [image.width, image.height]
        result["transcript"] = program.output()
    finally:
        program.close()
        server.stop()
    with open(os.path.join(output, "reference.json"), "w", encoding="utf-8") as f:
        json.dump(result, f, ensure_ascii=False)


if __name__ == "__main__":
    main(*sys.argv[1:])
