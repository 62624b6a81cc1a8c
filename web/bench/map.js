// The settle map: for the mechanism and law shown, the settle time over fn and
// ζ 0.1:2:0.1 at the path, pose and vehicle in force, in agvsim-plot's colours,
// filled in as the workers (one per core) finish cells between live runs. A click on a cell sets fn
// and ζ to its values.
'use strict';

// START + i STEP to 12 significant digits, as agvsim-sweep's ranges give them.
const kMapAxis = Array.from({length: 20}, (_, i) => Number((0.1 + i * 0.1).toPrecision(12)));
const kViridis = ['#440154', '#472d7b', '#3b528b', '#2c728e', '#21918c', '#28ae80', '#5ec962', '#addc30', '#fde725'];
const kAtLimitColour = 'rgb(217,0,217)';  // agvsim-plot's (0.85, 0, 0.85)
const kConvergingColour = 'rgb(153,153,153)';
const kCell = 16;  // px

function agvViridis(share) {
  const rgb = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
  const at = Math.min(0.999999, Math.max(0, share)) * (kViridis.length - 1);
  const i = Math.floor(at), f = at - i;
  const [a, b] = [rgb(kViridis[i]), rgb(kViridis[i + 1])];
  return `rgb(${a.map((v, k) => Math.round(v + f * (b[k] - v))).join(',')})`;
}

const agvBenchMap = {
  queue: [],
  cells: [],         // per cell index (fn row * 20 + zeta column): null or {settle, atLimit, endT}
  rects: [],
  generation: 0,
  chosen: null,      // {mech, law, input} of the map shown
  startedAt: 0,
  finishedMs: null,  // how long the last whole map took

  build() {
    const section = document.createElement('section');
    section.id = 'bench-map';
    section.appendChild(agvBench.heading('map-title'));
    const size = 20 * kCell;
    const svg = agvSvg('svg', {id: 'bench-map-plot', width: size + 40, height: size + 30,
      viewBox: `0 0 ${size + 40} ${size + 30}`}, section);
    kMapAxis.forEach((fn, i) => kMapAxis.forEach((zeta, j) => {
      const rect = agvSvg('rect', {x: 34 + j * kCell, y: (19 - i) * kCell, width: kCell, height: kCell,
        fill: '#fff', stroke: '#eee', 'data-fn': fn, 'data-zeta': zeta}, svg);
      rect.addEventListener('click', () => this.pick(fn, zeta));
      this.rects.push(rect);
    }));
    const label = (text, x, y) => Object.assign(agvSvg('text', {x, y, 'font-size': 10}, svg), {textContent: text});
    label('fn', 2, 10);
    label('2', 20, 12);
    label('0.1', 8, size - 2);
    label('ζ 0.1', 34, size + 12);
    label('2', 34 + size - 10, size + 12);
    this.marker = agvSvg('circle', {r: 5, fill: 'none', stroke: '#fff', 'stroke-width': 2, id: 'bench-map-mark'}, svg);
    const legend = document.createElement('p');
    for (const [colour, key] of [[kAtLimitColour, 'map-limit'], [kConvergingColour, 'map-converging']]) {
      const swatch = document.createElement('span');
      swatch.style.color = colour;
      swatch.textContent = '■ ';
      legend.append(swatch, agvBench.heading(key, 'span'), ' ');
    }
    section.appendChild(legend);
    agvBench.element.appendChild(section);
    agvBenchPool.nextCell = () => this.nextCell();
    agvBenchPool.onCell = (message) => this.answered(message);
  },

  pick(fn, zeta) {
    if (!agvBench.enabled) return;
    agvBench.fields.fn.field.value = String(fn);
    agvBench.fields.zeta.field.value = String(zeta);
    agvBench.texts[1] = String(fn);
    agvBench.texts[2] = String(zeta);
    agvBenchLive.request(agvBench.texts.slice(), [1, 2]);
  },

  // The map of the settings in force, for the mechanism and law shown, from the start.
  restart() {
    const live = agvBenchLive.result;
    if (!live) return;
    const shown = agvBenchPlots.shown();
    this.chosen = {mech: ['2DW1C', '1FDW1FS', '1RDW1FS'].indexOf(shown.mech) + 1, law: shown.law === 'PI' ? 2 : 1,
      input: live.input.slice()};
    this.generation++;
    this.cells = this.rects.map(() => null);
    this.queue = this.rects.map((_, n) => n);
    this.startedAt = performance.now();
    this.finishedMs = null;
    this.paint();
    this.mark();
    agvBenchPool.handOut();
  },

  nextCell() {
    if (this.queue.length === 0) return null;
    const n = this.queue.shift();
    const input = this.chosen.input.slice();
    input[1] = kMapAxis[Math.floor(n / 20)];
    input[2] = kMapAxis[n % 20];
    return {kind: 'cell', id: this.generation, cell: n, input, mechanism: this.chosen.mech, law: this.chosen.law};
  },

  // A cell of an earlier map is dropped.
  answered(message) {
    if (message.id !== this.generation) return;
    this.cells[message.cell] = message.done ? message : {settle: NaN, atLimit: 0, endT: 1};
    if (this.cells.every((cell) => cell !== null)) this.finishedMs = performance.now() - this.startedAt;
    this.paint();
  },

  paint() {
    const settled = this.cells.filter((c) => c && Number.isFinite(c.settle)).map((c) => c.settle);
    const low = Math.min(...settled), high = Math.max(...settled);
    this.cells.forEach((c, n) => {
      let fill = '#fff';
      if (c && Number.isFinite(c.settle)) fill = agvViridis(high > low ? (c.settle - low) / (high - low) : 0.5);
      else if (c) fill = agvNeverKind(c) === 'never-limit' ? kAtLimitColour : kConvergingColour;
      this.rects[n].setAttribute('fill', fill);
    });
  },

  // The (fn, ζ) in force, where it lies on the map's axes.
  mark() {
    const live = agvBenchLive.result;
    if (!live) return;
    const place = (value) => 34 + (value - 0.05) / 0.1 * kCell;
    this.marker.setAttribute('cx', place(live.input[2]));
    this.marker.setAttribute('cy', 20 * kCell - (live.input[1] - 0.05) / 0.1 * kCell);
  },

  // As agvsim.map() gives it: row i for fn[i]; null where never or not done.
  snapshot() {
    const settle = kMapAxis.map((_, i) => kMapAxis.map((__, j) => {
      const c = this.cells[i * 20 + j];
      return c && Number.isFinite(c.settle) ? c.settle : null;
    }));
    return {fn: kMapAxis.slice(), zeta: kMapAxis.slice(), settle,
      done: this.cells.length > 0 && this.cells.every((c) => c !== null)};
  },
};

agvBenchMap.build();
