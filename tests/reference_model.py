#!/usr/bin/env python3
"""A second, independent computation of the six simulated runs.

Written separately from the C++ model so that agvsim-export can be checked
against it value by value. Python floats are IEEE doubles and the math module
calls the same C library, so keeping the model's order of operations gives
agreement far below the comparison tolerance.

Usage: reference_model.py EXPORT [--path line|circle] [--fn HZ] [--zeta Z]
                                 [--pose X Y THETA_DEG] [the vehicle's options]
runs EXPORT with the same options and compares its CSV with this model.
"""

import argparse
import math
import subprocess
import sys

PI = 3.14159265358979
TWO_PI = 2.0 * PI
HALF_PI = 1.5707963267948
DEG_TO_RAD = 0.0174532925

V = 1.0            # drive speed, m/s
L = 1.0            # wheel base, m
MAX_RATE = 3.0     # steering rate limit, rad/s
MAX_STEER = 1.5    # steering angle limit, rad
RADIUS = 2.0       # circular path radius, m
CURVATURE = 0.5    # circular path curvature, 1/m
SAMPLE_INTERVAL = 0.02
SUBSTEPS = 40
RUN_DISTANCE = 20.0
MAX_SAMPLES = 3000
GILL = (0.5, 0.292893219, 1.70710678, 0.16666667)

LINE, CIRCLE = 0, 1
MECH_NAMES = ("2DW1C", "1FDW1FS", "1RDW1FS")
LAW_NAMES = ("P", "PI")
STATE_FIELDS = ("dist", "theta", "x", "y", "phi", "kappa", "pathParam")
TRACK_FIELDS = ("refArc", "refTheta", "refX", "refY", "refPhi", "track_kappa",
                "track_pathParam", "errD", "errTheta", "errPhi", "plotD")
COLUMNS = ("mech", "law", "k", "t") + STATE_FIELDS + TRACK_FIELDS


def design_gains(fn, zeta):
    """(kD, kTheta, kPhi, kI) per (mechanism 1..3, law 1..2)."""
    w = TWO_PI * fn
    gains = {(1, 1): (w * w / V, 2 * zeta * w, 0.0, 0.0)}
    alpha = w / (4 * zeta)
    k_theta = 2 * zeta * w + alpha
    k_d = (2 * zeta * alpha + w) * w / (2 * V)
    gains[(1, 2)] = (k_d, k_theta, 0.0, w * w * alpha / (k_d * V))
    steered_p = (w * w * w * L / (V * V), (w * w + 2 * zeta * w * w) * L / V,
                 2 * zeta * w + w, 0.0)
    steered_pi = (2 * zeta * w * w * w * L / (V * V), 4 * zeta * zeta * w * w * L / V,
                  4 * zeta * w, w / (2 * zeta))
    for mech in (2, 3):
        gains[(mech, 1)] = steered_p
        gains[(mech, 2)] = steered_pi
    return gains


def tracking(path, theta, x, y, phi, prev_param):
    """The eleven tracking values, unwrapped against prev_param on the circle."""
    if path != CIRCLE:
        return (x, 0.0, x, 0.0, 0.0, 0.0, x, y, theta, phi, y)
    r = math.sqrt(x * x + y * y)
    e = r - RADIUS
    u = math.atan2(y, x)
    while u - prev_param <= -PI:
        u += TWO_PI
    while u - prev_param >= PI:
        u -= TWO_PI
    ref_theta = u + HALF_PI
    ref_phi = math.atan(L * CURVATURE)
    return (RADIUS * u, ref_theta, RADIUS * math.cos(u), RADIUS * math.sin(u), ref_phi,
            CURVATURE, u, -e, theta - ref_theta, phi - ref_phi, e)


def control(mech, law, gains, err_d, err_theta, err_phi, ints):
    k_d, k_theta, k_phi, k_i = gains
    if mech == 1:
        if law == 1:
            return -k_d * err_d - k_theta * err_theta
        return (-(k_d * err_d + k_theta * err_theta)
                - k_i * (k_d * ints[0] + k_theta * ints[1]))
    p = -(k_d * err_d + k_theta * err_theta + k_phi * err_phi)
    if law == 1:
        return p
    return p - k_i * (k_d * ints[0] + k_theta * ints[1] + k_phi * ints[2])


# The vehicle as built, by its option names; the defaults are the perfect vehicle.
PERFECT = {"speed_factor": 1.0, "wheelbase": 1.0, "input_bias": 0.0, "steer_offset": 0.0,
           "drift": 0.0, "noise_d": 0.0, "noise_theta": 0.0, "seed": 1, "delay": 0.0}
MASK64 = (1 << 64) - 1


def splitmix64(state):
    """(next state, 64 random bits)."""
    state = (state + 0x9E3779B97F4A7C15) & MASK64
    z = state
    z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
    z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
    return state, z ^ (z >> 31)


def gaussian_pair(state):
    state, a = splitmix64(state)
    state, b = splitmix64(state)
    u1 = ((a >> 11) + 1) * 2.0 ** -53
    u2 = ((b >> 11) + 1) * 2.0 ** -53
    r = math.sqrt(-2.0 * math.log(u1))
    return state, (r * math.cos(TWO_PI * u2), r * math.sin(TWO_PI * u2))


def derivative(mech, theta, phi, u, vehicle=PERFECT):
    speed = V * vehicle["speed_factor"]
    base = vehicle["wheelbase"]
    wheel = phi + vehicle["steer_offset"] * DEG_TO_RAD if vehicle["steer_offset"] != 0.0 else phi
    if mech == 1:
        v, rate, steer = speed, u, 0.0
    else:
        v = speed * math.cos(wheel) if mech == 2 else speed
        rate = speed * math.sin(wheel) / base if mech == 2 else speed * math.tan(wheel) / base
        steer = MAX_RATE if u > MAX_RATE else (-MAX_RATE if u < -MAX_RATE else u)
    dx, dy = v * math.cos(theta), v * math.sin(theta)
    w = vehicle["drift"]
    if w != 0.0:
        dx -= w * math.sin(theta)
        dy += w * math.cos(theta)
    return (v, rate, dx, dy, steer)


class Loop:
    """The run's disturbances: noise held for a sample, the inputs of n steps ago."""

    def __init__(self, vehicle, h):
        self.vehicle = vehicle
        self.state = int(vehicle["seed"])
        self.noise = (0.0, 0.0)
        self.delay = int(math.floor(vehicle["delay"] / h + 0.5))
        self.past = [[0.0] * 4 for _ in range(self.delay)]

    def begin_step(self, j):
        if (self.vehicle["noise_d"] != 0.0 or self.vehicle["noise_theta"] != 0.0) and j % SUBSTEPS == 0:
            self.state, self.noise = gaussian_pair(self.state)

    def measured(self, err_d, err_theta):
        if self.vehicle["noise_d"] != 0.0:
            err_d += self.vehicle["noise_d"] * self.noise[0]
        sigma_theta = self.vehicle["noise_theta"] * DEG_TO_RAD
        if sigma_theta != 0.0:
            err_theta += sigma_theta * self.noise[1]
        return err_d, err_theta

    def applied(self, j, stage, u):
        if self.delay > 0:
            slot = self.past[j % self.delay]
            slot[stage - 1], u = u, slot[stage - 1]
        bias = self.vehicle["input_bias"]
        return u + bias * DEG_TO_RAD if bias != 0.0 else u


def gill(stage, h, a, y, f, q):
    k = h * f
    r = a * (k - 2.0 * q) if stage == 4 else a * (k - q)
    return y + r, q + 3.0 * r - a * k


def integrate_step(path, mech, law, gains, state, track, ints, h, loop, j):
    """One step: returns the new 5-element state and tracking sample."""
    y = list(state)
    q = [0.0] * 5
    qi = [0.0] * 3
    loop.begin_step(j)
    for stage in range(1, 5):
        a = GILL[stage - 1]
        err_d, err_theta = loop.measured(track[7], track[8])
        u = control(mech, law, gains, err_d, err_theta, track[9], ints)
        f = derivative(mech, y[1], y[4], loop.applied(j, stage, u), loop.vehicle)
        for i in range(5):
            y[i], q[i] = gill(stage, h, a, y[i], f[i], q[i])
        if mech == 1:
            y[4] = math.atan(L * f[1] / f[0])
        if y[4] >= MAX_STEER:
            y[4] = MAX_STEER
        elif y[4] <= -MAX_STEER:
            y[4] = -MAX_STEER
        if path == LINE and law == 1:
            if y[1] > PI:
                y[1] -= TWO_PI
            if y[1] < -PI:
                y[1] += TWO_PI
        track = tracking(path, y[1], y[2], y[3], y[4], track[6])
        errors = loop.measured(track[7], track[8]) + (track[9],)
        for i in range(3):
            ints[i], qi[i] = gill(stage, h, a, ints[i], errors[i], qi[i])
    return y, track


def wrapped(w):
    while not (-PI <= w <= PI):
        if w > PI:
            w -= TWO_PI
        if w < -PI:
            w += TWO_PI
    return w


def sample(state, track):
    """The recorded form: 7 state values with kappa/pathParam, 11 tracking values."""
    stored = list(track)
    stored[8] = wrapped(track[8])
    return list(state) + stored


def run(path, mech, law, gains, pose, vehicle=PERFECT):
    """The recorded samples 0..lastSample of one run."""
    x0, y0, theta0 = pose
    state = [0.0, theta0, x0, y0, 0.0]
    track = tracking(path, theta0, x0, y0, 0.0, 0.0)
    samples = [sample(state + [0.0, 0.0], track)]
    ints = [0.0, 0.0, 0.0]
    h = SAMPLE_INTERVAL / SUBSTEPS
    j = 0
    count = 0
    loop = Loop(vehicle, h)
    while True:
        if j == 0:
            ints = [0.0, 0.0, 0.0]
        state, track = integrate_step(path, mech, law, gains, state, track, ints, h, loop, j)
        j += 1
        if j % SUBSTEPS == 0:
            count += 1
            if count == MAX_SAMPLES:
                break
            samples.append(sample(state + [track[5], track[6]], track))
        if state[0] >= RUN_DISTANCE:
            break
    return samples[:count]  # lastSample = count - 1


def simulate(path, fn, zeta, pose_deg, vehicle=PERFECT):
    """Rows (mech name, law name, k, values...) of all six runs in record order."""
    gains = design_gains(fn, zeta)
    pose = (pose_deg[0], pose_deg[1], pose_deg[2] * DEG_TO_RAD)
    rows = []
    for mech in (1, 2, 3):
        for law in (1, 2):
            for k, values in enumerate(run(path, mech, law, gains[(mech, law)], pose, vehicle)):
                rows.append((MECH_NAMES[mech - 1], LAW_NAMES[law - 1], k, values))
    return rows


def parse_export(text):
    lines = text.splitlines()
    if not lines or tuple(lines[0].split(",")) != COLUMNS:
        raise ValueError("unexpected header: %r" % (lines[0] if lines else ""))
    rows = []
    for line in lines[1:]:
        cells = line.split(",")
        rows.append((cells[0], cells[1], int(cells[2]), [float(c) for c in cells[4:]]))
    return rows


def last_samples(rows):
    last = {}
    for mech, law, k, _ in rows:
        last[(mech, law)] = k
    return last


def compare(expected, actual, tolerance=1e-9):
    """Problems found, at most a few of them, as text lines."""
    if last_samples(expected) != last_samples(actual):
        return ["lastSample differs: reference %s, export %s"
                % (last_samples(expected), last_samples(actual))]
    problems = []
    for want, got in zip(expected, actual):
        if want[:3] != got[:3]:
            return problems + ["row order differs: %s vs %s" % (want[:3], got[:3])]
        for name, a, b in zip(STATE_FIELDS + TRACK_FIELDS, want[3], got[3]):
            if not abs(a - b) <= tolerance * max(1.0, abs(a)):
                problems.append("%s %s k=%d %s: reference %.17g, export %.17g"
                                % (want[0], want[1], want[2], name, a, b))
                if len(problems) >= 10:
                    return problems
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("export")
    parser.add_argument("--path", choices=("line", "circle"), default="line")
    parser.add_argument("--fn", type=float, default=1.0)
    parser.add_argument("--zeta", type=float, default=0.7)
    parser.add_argument("--pose", type=float, nargs=3, default=(-2.0, 1.0, 0.0))
    for name, default in PERFECT.items():
        parser.add_argument("--" + name.replace("_", "-"), type=type(default), default=default)
    args = parser.parse_args()
    vehicle = {name: getattr(args, name) for name in PERFECT}
    command = [args.export, "--path", args.path, "--fn", repr(args.fn),
               "--zeta", repr(args.zeta), "--pose"] + [repr(v) for v in args.pose]
    for name, value in vehicle.items():
        if value != PERFECT[name]:
            command += ["--" + name.replace("_", "-"), repr(value)]
    output = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    path = CIRCLE if args.path == "circle" else LINE
    expected = simulate(path, args.fn, args.zeta, args.pose, vehicle)
    problems = compare(expected, parse_export(output))
    for problem in problems:
        print(problem)
    print("%s: %d rows, lastSample %s" % (" ".join(command[1:]), len(expected),
                                          sorted(last_samples(expected).items())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
