"""agvsim-plot's figures of runs: each mechanism's row of plan view, dd, dth and
phi over time, for one setting or several compared. settings: every option's
values as typed, agvsim-export's defaults filled in."""

import math

COLOURS = {"P": (0.0, 0.0, 1.0), "PI": (0.0, 1.0, 0.0)}
PATH_COLOUR = (1.0, 0.0, 0.0)
PATH_RADIUS = 2.0    # m
STEER_LIMIT = 1.5    # rad
MODEL_PI = 3.14159265358979
DPI = 100
WIDTH = 16.0         # inches
TITLE_HEIGHT = 1.0   # inches
ROW_HEIGHT = 3.5     # inches

# The vehicle as built: (sweep column, option, words, unit, default), in the
# sweep's grid order. Defaults are agvsim-export's: the perfect vehicle.
VEHICLE = (("speedFactor", "--speed-factor", "speed factor", "", "1"),
           ("wheelbase", "--wheelbase", "wheelbase", "m", "1"),
           ("inputBias", "--input-bias", "input bias", "\u00b0/s", "0"),
           ("steerOffset", "--steer-offset", "steer offset", "\u00b0", "0"),
           ("drift", "--drift", "drift", "m/s", "0"),
           ("noiseD", "--noise-d", "noise dd", "m", "0"),
           ("noiseTheta", "--noise-theta", "noise dth", "\u00b0", "0"),
           ("seed", "--seed", "seed", "", "1"),
           ("delay", "--delay", "delay", "s", "0"))


def number(text):
    try:
        return "%.10g" % float(text)
    except ValueError:
        return text


def with_unit(text, unit):
    """Degrees hug the number, as in 30\u00b0; other units stand apart."""
    if not unit or unit.startswith("\u00b0"):
        return text + unit
    return text + " " + unit


def vehicle_value(column, text):
    """"delay = 0.1 s": a vehicle value as typed, in words and with its unit."""
    words, unit = next((w, u) for c, _, w, u, _ in VEHICLE if c == column)
    return "%s = %s" % (words, with_unit(number(text), unit))


def at_default(text, default):
    try:
        return float(text) == float(default)
    except ValueError:
        return False


def vehicle_text(settings):
    """The vehicle's values off their defaults, or "" for the perfect vehicle."""
    return ", ".join(vehicle_value(column, settings[option][0])
                     for column, option, _, _, default in VEHICLE
                     if not at_default(settings[option][0], default))


def title(settings):
    x, y, theta = (number(v) for v in settings["--pose"])
    text = ("AGV path following on the %s: fn = %s Hz, \u03b6 = %s, start pose x = %s m, "
            "y = %s m, \u03b8 = %s\u00b0" % (settings["--path"][0], number(settings["--fn"][0]),
                                              number(settings["--zeta"][0]), x, y, theta))
    vehicle = vehicle_text(settings)
    return text + ("\nvehicle as built: " + vehicle if vehicle else "")


def broken_at_wraps(times, angles):
    """The series with a gap wherever the wrapped angle jumps by pi or more, as in the window."""
    xs, ys = [times[0]], [angles[0]]
    for k in range(1, len(angles)):
        if abs(angles[k] - angles[k - 1]) >= MODEL_PI:
            xs.append(times[k])
            ys.append(math.nan)
        xs.append(times[k])
        ys.append(angles[k])
    return xs, ys


def start_plan(axes, path):
    """The path first, so that trajectories on it stay visible, as in the window."""
    if path == "circle":
        angles = [2 * math.pi * i / 360 for i in range(361)]
        axes.plot([PATH_RADIUS * math.cos(a) for a in angles],
                  [PATH_RADIUS * math.sin(a) for a in angles],
                  color=PATH_COLOUR, linewidth=1, label="reference path")
    else:
        axes.axhline(0.0, color=PATH_COLOUR, linewidth=1, label="reference path")
    axes.set_aspect("equal", adjustable="datalim")
    axes.set_xlabel("x [m]")
    axes.set_ylabel("y [m]")


def draw_plan(axes, runs):
    for law, run in runs.items():
        axes.plot(run["x"], run["y"], color=COLOURS[law], label=law)
    first = next(iter(runs.values()))
    axes.plot(first["x"][:1], first["y"][:1], "ko", label="start")


def dd_sign(path):
    """plotD is errD on the line and -errD on the circle; designD is errD's."""
    return -1.0 if path == "circle" else 1.0


def draw_over_time(axes, runs, path, labels=None, colours=None):
    dd, dth, phi = axes
    for law, run in runs.items():
        colour = (colours or COLOURS)[law]
        style = {"color": colour, "label": (labels or {}).get(law, law)}
        dd.plot(run["t"], run["plotD"], **style)
        dth.plot(*broken_at_wraps(run["t"], run["errTheta"]), **style)
        phi.plot(run["t"], run["phi"], **style)
        if "designD" in run:
            design = {"color": colour, "linestyle": "--", "linewidth": 0.8, "label": law + " design"}
            dd.plot(run["t"], [dd_sign(path) * d for d in run["designD"]], **design)
            dth.plot(run["t"], run["designTheta"], **design)
    for limit, label in ((STEER_LIMIT, "steering limit"), (-STEER_LIMIT, "_nolegend_")):
        phi.axhline(limit, color="black", linestyle="--", linewidth=1, label=label)
    dd.set_ylabel("dd [m]")
    dth.set_ylabel("dth [rad]")
    phi.set_ylabel("\u03c6 [rad]")


def seconds(value):
    return "never" if value is None else "%.2f s" % value


def metres(value):
    """Four decimals, without the minus sign of a value that rounds to zero."""
    text = "%.4f" % value
    return text[1:] if text == "-0.0000" else text


def figures_text(mechanism, figures, runs):
    """The run figures of one mechanism's runs, one block per law; runs: {law: columns}.
    The final dd is the last plotD, the phase plane's sign, not finalD's."""
    lines = []
    for row in figures:
        if row["mech"] != mechanism:
            continue
        overshoot = "-" if row["overshoot"] is None else "%s m" % metres(row["overshoot"])
        lines += ["%s" % row["law"],
                  "  settle       %s" % seconds(row["settle"]),
                  "  design       %s" % seconds(row["designSettle"]),
                  "  overshoot    %s" % overshoot,
                  "  final dd     %s m" % metres(runs[row["law"]]["plotD"][-1]),
                  "  at limit     %.2f s" % row["atLimit"], ""]
    return "\n".join(lines)


def run_grid(figure, rows, text_column):
    """Axes [row][column]: four plot columns, then (after every plot axes) a text column."""
    columns = 5 if text_column else 4
    ratios = [1.0, 1.0, 1.0, 1.0, 0.55][:columns]
    cells = figure.add_gridspec(rows, columns, width_ratios=ratios)
    grid = [[figure.add_subplot(cells[r, c]) for c in range(4)] for r in range(rows)]
    if text_column:
        for r in range(rows):
            grid[r].append(figure.add_subplot(cells[r, 4]))
    return grid


def draw_rows(figure, runs, path, text_column):
    """The axes of every mechanism's row, titled, the path already in each plan view."""
    grid = run_grid(figure, len(runs), text_column)
    for row, mechanism in zip(grid, runs):
        start_plan(row[0], path)
        for axes, name in zip(row, ("plan view", "dd(t)", "dth(t)", "\u03c6(t)")):
            axes.set_title("%s %s" % (mechanism, name))
    time_axes = [axes for row in grid for axes in row[1:4]]
    for axes in time_axes[1:]:
        axes.sharex(time_axes[0])
    end = max(run["t"][-1] for laws in runs.values() for run in laws.values())
    for axes in grid[-1][1:4]:
        axes.set_xlabel("t [s]")
    time_axes[0].set_xlim(0.0, end)
    return grid


def draw_figure(new_figure, runs, settings, figures=None):
    """A figure made by new_figure (pyplot.figure or a Figure class) holding every run."""
    size = (WIDTH, TITLE_HEIGHT + ROW_HEIGHT * len(runs))
    figure = new_figure(figsize=size, dpi=DPI, layout="constrained")
    figure.suptitle(title(settings))
    path = settings["--path"][0]
    grid = draw_rows(figure, runs, path, figures is not None)
    for row, (mechanism, laws) in zip(grid, runs.items()):
        draw_plan(row[0], laws)
        draw_over_time(row[1:4], laws, path)
        if figures is not None:
            row[4].axis("off")
            row[4].set_title("%s run figures" % mechanism)
            row[4].text(0.0, 1.0, figures_text(mechanism, figures, laws), va="top",
                        family="monospace", fontsize="small", transform=row[4].transAxes)
    grid[0][0].legend(loc="best", fontsize="small")
    grid[0][3].legend(loc="best", fontsize="small")
    grid[0][1].legend(loc="best", fontsize="x-small")
    return figure


def shade(colour, i, count):
    """The i-th of count shades of colour, from dark to light."""
    if count == 1:
        return colour
    t = i / (count - 1.0) - 0.5
    if t < 0:
        return tuple(c * (1 + t) for c in colour)
    return tuple(c + (1 - c) * t for c in colour)


def draw_comparison(new_figure, compared, settings):
    """compared: [(label, runs)]; every setting's runs in shades of the law's colour."""
    mechanisms = list(compared[0][1])
    size = (WIDTH, TITLE_HEIGHT + ROW_HEIGHT * len(mechanisms))
    figure = new_figure(figsize=size, dpi=DPI, layout="constrained")
    figure.suptitle("Comparison: " + title(settings))
    path = settings["--path"][0]
    grid = draw_rows(figure, compared[0][1], path, False)
    for i, (label, runs) in enumerate(compared):
        colours = {law: shade(colour, i, len(compared)) for law, colour in COLOURS.items()}
        labels = {law: "%s %s" % (law, label) for law in COLOURS}
        for row, mechanism in zip(grid, mechanisms):
            draw_over_time(row[1:4], runs[mechanism], path, labels, colours)
            for law, run in runs[mechanism].items():
                row[0].plot(run["x"], run["y"], color=colours[law], label=labels[law])
    grid[0][1].legend(loc="best", fontsize="x-small")
    return figure
