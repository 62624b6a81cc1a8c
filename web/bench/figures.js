// The figures of all six runs for the settings in force, with the pinned runs'
// figures as a second row of each run, and the pin itself.
'use strict';

// A run that never settles, by why, as the maps tell it: held at the steering
// limit more than a tenth of its time, or still closing in when it ended.
function agvNeverKind(figures) {
  return figures.atLimit > 0.1 * figures.endT ? 'never-limit' : 'never-converging';
}

const agvBenchFigures = {
  pinned: null,  // {words, settings, runs} kept by the pin
  table: null,

  build() {
    const section = document.createElement('section');
    section.id = 'bench-figures';
    section.appendChild(agvBench.heading('figures-title'));
    this.table = document.createElement('table');
    this.table.id = 'bench-figures-table';
    section.appendChild(this.table);
    agvBench.element.appendChild(section);
    document.getElementById('bench-pin').addEventListener('click', () => this.togglePin());
    agvLanguage.onChange(() => this.render());
  },

  togglePin() {
    const live = agvBenchLive.result;
    this.pinned = this.pinned || !live ? null : {words: live.words, settings: agvSettingsOfWords(live.words),
      runs: live.runs};
    const button = document.getElementById('bench-pin');
    button.dataset.text = this.pinned ? 'bench-unpin' : 'bench-pin';
    button.textContent = agvLanguage.text(button.dataset.text);
    this.render();
    agvBenchPlots.render();
  },

  cells(figures) {
    const f = figures;
    // Rounding keeps no sign: -0.0001 m reads 0.000, not -0.000.
    const number = (v, digits) => (v === null ? '–' : (Math.abs(v) < 0.5 * 10 ** -digits ? 0 : v).toFixed(digits));
    const settle = f.settle !== null ? number(f.settle, 2) : agvLanguage.text(agvNeverKind(f));
    return [settle, number(f.designSettle, 2), number(f.overshoot, 3), number(f.finalDd, 3), number(f.iae, 3),
      number(f.atLimit, 2)];
  },

  render() {
    if (!this.table) return;
    const header = ['figures-run', 'figures-settle', 'figures-design', 'figures-overshoot', 'figures-final',
      'figures-iae', 'figures-limit'].map((key) => `<th>${agvLanguage.text(key)}</th>`).join('');
    const rows = [`<tr>${header}</tr>`];
    const live = agvBenchLive.result;
    (live ? live.runs : []).forEach((run, r) => {
      const name = `${run.mech} ${run.law}`;
      const cells = this.cells(run.figures).map((text) => `<td>${text}</td>`).join('');
      rows.push(`<tr data-run="${name}"><th>${name}</th>${cells}</tr>`);
      if (this.pinned) {
        const pinned = this.cells(this.pinned.runs[r].figures).map((text) => `<td>${text}</td>`).join('');
        rows.push(`<tr class="pinned"><th>${agvLanguage.text('figures-pinned')}</th>${pinned}</tr>`);
      }
    });
    this.table.innerHTML = rows.join('');
  },
};

agvBenchFigures.build();
