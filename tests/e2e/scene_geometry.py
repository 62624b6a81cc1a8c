"""Where the simulator must draw things in its 800 x 800 window, and what colour a pixel is."""

import math
import subprocess

PIXELS_PER_UNIT = 400.0


class View:
    """Zoom, pan and phase-plane place, as the keys leave them."""

    def __init__(self, zoom=0.2, pan_x=0.0, pan_y=0.0, phase_x=0.6, phase_y=0.55):
        self.zoom, self.pan_x, self.pan_y = zoom, pan_x, pan_y
        self.phase_x, self.phase_y = phase_x, phase_y

    def window(self, x, y):
        return (x - 2.0) * self.zoom + self.pan_x, (y - 0.5) * self.zoom + self.pan_y

    def pixel(self, x, y):
        """World metres to (column, row) in pixels, fractional."""
        return unit_pixel(*self.window(x, y))

    def metres_per_pixel(self):
        return 1.0 / (self.zoom * PIXELS_PER_UNIT)

    def on_grid(self, column, row):
        """True near a grid line; lines are drawn every metre through the world origin."""
        ox, oy = unit_pixel(*self.window(0.0, 0.0))
        step = self.zoom * PIXELS_PER_UNIT
        return (_near_multiple(column + 0.5 - ox, step, 2.5)
                or _near_multiple(row + 0.5 - oy, step, 2.5))


def unit_pixel(x, y):
    """Window units to (column, row) in pixels, fractional; rows run down from the top."""
    return (x + 1.0) * PIXELS_PER_UNIT, (1.0 - y) * PIXELS_PER_UNIT


def _near_multiple(offset, step, margin):
    k = round(offset / step)
    return abs(offset - k * step) <= margin


def body_point(pose, u, v):
    """The world point u metres ahead of and v metres left of a pose (x, y, heading)."""
    x, y, theta = pose
    c, s = math.cos(theta), math.sin(theta)
    return x + u * c - v * s, y + u * s + v * c


# Pixel classes. The program draws pure colours without blending or anti-aliasing.
def is_white(p):
    return min(p) >= 235


def is_red(p):
    return p[0] >= 200 and p[1] <= 60 and p[2] <= 60


def is_green(p):
    return p[1] >= 200 and p[0] <= 60 and p[2] <= 60


def is_blue(p):
    return p[2] >= 200 and p[0] <= 60 and p[1] <= 60


def is_black(p):
    return max(p) <= 40


def is_dark(p):
    return max(p) <= 80


class Sample:
    def __init__(self, fields):
        self.mechanism, self.law, self.index, self.last = (int(f) for f in fields[:4])
        (self.x, self.y, self.theta, self.phi, self.ref_x, self.ref_y, self.plot_d,
         self.err_theta) = (float(f) for f in fields[4:12])

    @property
    def pose(self):
        return self.x, self.y, self.theta


def probe(program, queries, path_kind=0, pose=None):
    """Recorded samples of the runs the simulator computes for the same settings."""
    args = [program] + (["--pose", *map(str, pose)] if pose else []) + [str(path_kind), *queries]
    out = subprocess.run(args, stdout=subprocess.PIPE, check=True, timeout=120).stdout.decode()
    return [Sample(line.split()[1:]) for line in out.splitlines() if line.startswith("sample ")]


def clear_of(points, x, y, distance):
    return all(math.hypot(x - px, y - py) > distance for px, py in points)
