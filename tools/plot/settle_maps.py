"""agvsim-plot's maps: the settle time of every mechanism and law over one or
two varied values, from agvsim-sweep's rows."""

import math
import re

from run_figures import COLOURS, DPI, ROW_HEIGHT, TITLE_HEIGHT, VEHICLE, title, with_unit

MAP_WIDTH = 6.0      # inches per law
TITLE_CHARACTERS = 14  # per inch of the map's width, at the title's size
# Runs that never settle, by why: held at the steering limit, the loop has
# lost its authority; otherwise it was still closing in (a standing offset
# from a drift, a slow loop) when the run ended.
AT_LIMIT_COLOUR = (0.85, 0.0, 0.85)
CONVERGING_COLOUR = (0.6, 0.6, 0.6)
AT_LIMIT_LABEL = "never: at the steering limit"
CONVERGING_LABEL = "never: still converging at the end"
AT_LIMIT_SHARE = 0.1  # of the run's time, more than which counts as held there
AXIS_LABELS = dict({"fn": "fn [Hz]", "zeta": "\u03b6", "x": "x [m]", "y": "y [m]",
                    "theta": "\u03b8 [\u00b0]"},
                   **{column: words + (" [%s]" % unit if unit else "")
                      for column, _, words, unit, _ in VEHICLE})


def cell_edges(values):
    """Edges of the cells centred on the sorted values."""
    if len(values) == 1:
        return [values[0] - 0.5, values[0] + 0.5]
    middles = [(a + b) / 2 for a, b in zip(values, values[1:])]
    return [2 * values[0] - middles[0]] + middles + [2 * values[-1] - middles[-1]]


def wrapped_title(text, width):
    """Each line of text broken after a comma or colon where it would pass width characters."""
    lines = []
    for line in text.split("\n"):
        pieces = re.split(r"(?<=[,:]) ", line)
        lines.append(pieces[0])
        for piece in pieces[1:]:
            if len(lines[-1]) + 1 + len(piece) > width:
                lines.append(piece)
            else:
                lines[-1] += " " + piece
    return "\n".join(lines)


def held_at_limit(row):
    return row["atLimit"] > AT_LIMIT_SHARE * row["endT"]


def draw_map(new_figure, rows, settings, columns, startup):
    """Settle time of every run over the varied columns; rows as agvsim-sweep writes them,
    startup the start-up value of every column."""
    mechanisms = list(dict.fromkeys(row["mech"] for row in rows))
    laws = list(dict.fromkeys(row["law"] for row in rows))
    figure = new_figure(figsize=(MAP_WIDTH * len(laws), TITLE_HEIGHT + ROW_HEIGHT * len(mechanisms)), dpi=DPI,
                        layout="constrained")
    text = ("Settle time (|dd| \u2264 0.02 m, |dth| \u2264 0.02 rad) over %s\n%s"
            % (" and ".join(AXIS_LABELS[c] for c in columns), title(settings)))
    figure.suptitle(wrapped_title(text, int(TITLE_CHARACTERS * MAP_WIDTH * len(laws))), fontsize="medium")
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
    import matplotlib.colors
    import numpy
    slow, fast = columns
    ys = sorted(set(row[slow] for row in rows))
    xs = sorted(set(row[fast] for row in rows))
    where = {(row[slow], row[fast]): row for row in rows}
    grid = [[where[(y, x)] for x in xs] for y in ys]
    settled = numpy.ma.masked_invalid([[math.nan if r["settle"] is None else r["settle"] for r in line]
                                       for line in grid])
    # 0 for the limit's colour, 1 for the converging one; settled cells left to the other mesh.
    never = numpy.ma.masked_invalid([[math.nan if r["settle"] is not None else float(not held_at_limit(r))
                                      for r in line] for line in grid])
    edges = cell_edges(xs), cell_edges(ys)
    mesh = panel.pcolormesh(*edges, settled, cmap="viridis", shading="flat")
    never_colours = matplotlib.colors.ListedColormap([AT_LIMIT_COLOUR, CONVERGING_COLOUR])
    panel.pcolormesh(*edges, never, cmap=never_colours, vmin=0.0, vmax=1.0, shading="flat")
    figure.colorbar(mesh, ax=panel, label="settle [s]")
    panel.plot([startup[fast]], [startup[slow]], marker="*", markersize=14, color="white",
               markeredgecolor="black", linestyle="none", label="start-up setting")
    for colour, label in ((AT_LIMIT_COLOUR, AT_LIMIT_LABEL), (CONVERGING_COLOUR, CONVERGING_LABEL)):
        panel.plot([], [], marker="s", color=colour, linestyle="none", label=label)
    panel.set_xlim(edges[0][0], edges[0][-1])
    panel.set_ylim(edges[1][0], edges[1][-1])
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
    # On the value axis, where the settle curve has its gaps.
    for limited, colour, marker, label in ((True, AT_LIMIT_COLOUR, "x", AT_LIMIT_LABEL),
                                           (False, CONVERGING_COLOUR, "o", CONVERGING_LABEL)):
        never = [x for x, r in zip(xs, rows) if r["settle"] is None and held_at_limit(r) == limited]
        panel.plot(never, [0.0] * len(never), marker=marker, color=colour, linestyle="none",
                   label=label)
    panel.axvline(startup[column], color="black", linewidth=0.8, linestyle=":",
                  label="start-up setting")
    panel.set_xlabel(AXIS_LABELS[column])
    panel.set_ylabel("settle [s]")
    panel.legend(loc="best", fontsize="x-small")
