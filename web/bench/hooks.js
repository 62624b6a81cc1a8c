// The bench's hooks on window.agvsim, beside the page's own, for scripts and tests.
'use strict';

// The settings object the hooks give: {path, fn, zeta, pose: [x, y, θ°], and the vehicle's values}.
function agvSettingsOfWords(words) {
  const settings = {path: words[kBenchPath] === '1' ? 'circle' : 'line', fn: Number(words[1]),
    zeta: Number(words[2]), pose: [3, 4, 5].map((i) => Number(words[i]))};
  agvBenchFields.filter((setting) => setting.input >= kBenchVehicleFrom).forEach((setting) => {
    settings[setting.name] = Number(words[setting.input]);
  });
  return settings;
}

Object.assign(window.agvsim, {
  settings: () => agvSettingsOfWords(agvWordsInForce()),
  // The six rows of agvsim-export --metrics, for the settings in force.
  figures() {
    const live = agvBenchLive.result;
    if (!live) return [];
    return live.runs.map((run) => {
      const row = {mech: run.mech, law: run.law};
      for (const name of ['settle', 'designSettle', 'overshoot', 'finalD', 'iae', 'peakPhi', 'atLimit', 'endT']) {
        row[name] = run.figures[name];
      }
      return row;
    });
  },
  poles() {
    const live = agvBenchLive.result;
    if (!live) return null;
    const shown = agvBenchPlots.shown();
    return live.runs.find((run) => run.mech === shown.mech && run.law === shown.law).poles;
  },
  map: () => agvBenchMap.snapshot(),
  goals: () => agvBenchGoals.evaluate().map(({text, value, met}) => ({text, value, met})),
  pinned: () => (agvBenchFigures.pinned ? agvBenchFigures.pinned.settings : null),
});

