"""Runs a window test module; reports a skip (status 77) when the X tools are missing."""

import os
import shutil
import sys
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean

TOOLS = ("Xvfb", "xdotool", "xwd", "xprop", "xwininfo")

if __name__ == "__main__":
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped: missing " + " ".join(missing) + " (tools/install-deps.sh test installs them)")
        sys.exit(77)
    path = os.path.abspath(sys.argv[1])
    sys.path.insert(0, os.path.dirname(path))
    module = __import__(os.path.splitext(os.path.basename(path))[0])
    suite = unittest.defaultTestLoader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
