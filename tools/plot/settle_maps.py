"""agvsim-plot's maps: the settle time of every mechanism and law over one or
two varied values, from agvsim-sweep's rows."""

import math

from run_figures import COLOURS, DPI, ROW_HEIGHT, TITLE_HEIGHT

MAP_WIDTH = 6.0      # inches per law
NEVER_SETTLES_COLOUR = (0.85, 0.0, 0.85)
AXIS_LABELS = {"fn": "fn [Hz]", "zeta": "\u03b6", "x": "x [m]", "y": "y [m]", "theta": "\u03b8 [\u00b0]"}


def cell_edges(values):
    """Edges of the cells centred on the sorted values."""
    if len(values) == 1:
        return [values[0] - 0.5, values[0] + 0.5]
    middles = [(a + b) / 2 for a, b in zip(values, values[1:])]
    return [2 * values[0] - middles[0]] + middles + [2 * values[-1] - middles[-1]]


def draw_map(new_figure, rows, settings, columns, startup):
    """Settle time of every run over the varied columns; rows as agvsim-sweep writes them,
    startup the start-up value of every column."""
    mechanisms = list(dict.fromkeys(row["mech"] for row in rows))
    laws = list(dict.fromkeys(row["law"] for row in rows))
    figure = new_figure(figsize=(MAP_WIDTH * len(laws), TITLE_HEIGHT + ROW_HEIGHT * len(mechanisms)), dpi=DPI,
                        layout="constrained")
    figure.suptitle("Settle time (|dd| \u2264 0.02 m, |dth| \u2264 0.02 rad) on the %s over %s"
                    % (settings["--path"][0], " and ".join(AXIS_LABELS[c] for c in columns)))
    grid = figure.subplots(len(mechanisms), len(laws), squeeze=False)
    panels = [(panel, mechanism, law) for row_axes, mechanism in zip(grid, mechanisms)
              for panel, law in zip(row_axes, laws)]
    for panel, mechanism, law in panels:
        mine = [row for row in rows if (row["mech"], row["law"]) == (mechanism, law)]
        panel.set_title("%s %s" % (mechanism, law))
        if len(columns) == 2:
            draw_heat_map(figure, panel, mine, columns, startup)
        else:
            draw_settle_curves(panel, mine, columns[0], law, startup)
    return figure


def draw_heat_map(figure, panel, rows, columns, startup):
    import matplotlib
    import numpy
    slow, fast = columns
    ys = sorted(set(row[slow] for row in rows))
    xs = sorted(set(row[fast] for row in rows))
    where = {(row[slow], row[fast]): row["settle"] for row in rows}
    values = numpy.ma.masked_invalid([[where[(y, x)] if where[(y, x)] is not None else math.nan
                                       for x in xs] for y in ys])
    colours = matplotlib.colormaps["viridis"].with_extremes(bad=NEVER_SETTLES_COLOUR)
    mesh = panel.pcolormesh(cell_edges(xs), cell_edges(ys), values, cmap=colours, shading="flat")
    figure.colorbar(mesh, ax=panel, label="settle [s]")
    panel.plot([startup[fast]], [startup[slow]], marker="*", markersize=14, color="white",
               markeredgecolor="black", linestyle="none", label="start-up setting")
    panel.plot([], [], marker="s", color=NEVER_SETTLES_COLOUR, linestyle="none",
               label="never settles")
    panel.set_xlim(cell_edges(xs)[0], cell_edges(xs)[-1])
    panel.set_ylim(cell_edges(ys)[0], cell_edges(ys)[-1])
    panel.set_xlabel(AXIS_LABELS[fast])
    panel.set_ylabel(AXIS_LABELS[slow])
    panel.legend(loc="upper right", fontsize="x-small")


def draw_settle_curves(panel, rows, column, law, startup):
    xs = [row[column] for row in rows]
    nan = math.nan
    panel.plot(xs, [nan if r["settle"] is None else r["settle"] for r in rows],
               color=COLOURS[law], marker=".", label="settle")
    panel.plot(xs, [nan if r["designSettle"] is None else r["designSettle"] for r in rows],
               color=COLOURS[law], linestyle="--", linewidth=1, label="design settle")
    never = [x for x, r in zip(xs, rows) if r["settle"] is None]
    panel.plot(never, [0.0] * len(never), marker="x", color=NEVER_SETTLES_COLOUR,
               linestyle="none", label="never settles")
    panel.axvline(startup[column], color="black", linewidth=0.8, linestyle=":",
                  label="start-up setting")
    panel.set_xlabel(AXIS_LABELS[column])
    panel.set_ylabel("settle [s]")
    panel.legend(loc="best", fontsize="x-small")
