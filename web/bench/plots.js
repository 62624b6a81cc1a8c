// The design beside the vehicle: dd and dth against time for the mechanism
// shown, both laws, their design curves dashed and the pinned runs thin grey,
// as one row of agvsim-plot's figure; and the poles of the law shown.
'use strict';

const kLawColours = {P: '#0000ff', PI: '#00ff00'};  // the window's blue and green
const kPinnedColour = '#a0a0a0';
const kSvg = 'http://www.w3.org/2000/svg';

function agvSvg(tag, attributes, parent) {
  const element = document.createElementNS(kSvg, tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  if (parent) parent.appendChild(element);
  return element;
}

const agvBenchPlots = {
  canvas: null,
  poles: null,

  build() {
    const section = document.createElement('section');
    section.id = 'bench-plot';
    section.appendChild(agvBench.heading('plot-title'));
    this.canvas = document.createElement('canvas');
    this.canvas.id = 'bench-plot-canvas';
    this.canvas.width = 460;
    this.canvas.height = 300;
    const pinnedNote = agvBench.heading('plot-pinned', 'p');
    pinnedNote.id = 'bench-plot-pinned';
    section.append(this.canvas, pinnedNote);
    const poles = document.createElement('section');
    poles.id = 'bench-poles';
    poles.appendChild(agvBench.heading('poles-title'));
    this.poles = agvSvg('svg', {id: 'bench-poles-plot', width: 300, height: 220, viewBox: '0 0 300 220'}, poles);
    poles.append(agvBench.heading('poles-legend', 'p'), agvBench.heading('poles-note', 'p'));
    agvBench.element.append(section, poles);
  },

  // The mechanism and law the window shows, as the last callback left them: the
  // program is not to be called while a dialog of its waits.
  shown() {
    return agvBenchLive.shown || {mech: '2DW1C', law: 'P'};
  },

  render() {
    const live = agvBenchLive.result;
    if (!this.canvas || !live) return;
    const shown = this.shown();
    const runsOf = (result) => result.runs.filter((run) => run.mech === shown.mech);
    const pinned = agvBenchFigures.pinned;
    document.getElementById('bench-plot-pinned').hidden = !pinned;
    const curves = (key, designKey) => {
      const list = [];
      if (pinned) for (const run of runsOf(pinned)) list.push({y: run[key], colour: kPinnedColour, width: 0.8});
      for (const run of runsOf(live)) {
        list.push({y: run[designKey], colour: kLawColours[run.law], width: 1, dashed: true});
        list.push({y: run[key], colour: kLawColours[run.law], width: 1.6});
      }
      return list;
    };
    const g = this.canvas.getContext('2d');
    g.clearRect(0, 0, this.canvas.width, this.canvas.height);
    this.panel(g, 0, `${shown.mech} dd [m]`, curves('dd', 'designDd'));
    this.panel(g, 150, `${shown.mech} dth [rad]`, curves('dth', 'designDth'));
    this.renderPoles(live.runs.find((run) => run.mech === shown.mech && run.law === shown.law));
  },

  // One panel, 150 px high from top: the curves against t = 0.02 s per sample.
  panel(g, top, label, curves) {
    const left = 48, right = this.canvas.width - 8, bottom = top + 130, height = 110;
    let low = 0, high = 0, end = 0.02;
    for (const c of curves) {
      end = Math.max(end, 0.02 * (c.y.length - 1));
      for (const v of c.y) {
        if (!Number.isFinite(v)) continue;
        low = Math.min(low, v);
        high = Math.max(high, v);
      }
    }
    if (high - low < 1e-9) high = low + 1e-9;
    const x = (k) => left + (right - left) * (0.02 * k) / end;
    const y = (v) => bottom - height * (v - low) / (high - low);
    g.fillStyle = '#fff';
    g.fillRect(left, bottom - height, right - left, height);
    g.strokeStyle = '#000';
    g.lineWidth = 1;
    g.strokeRect(left, bottom - height, right - left, height);
    g.fillStyle = '#000';
    g.font = '11px sans-serif';
    g.fillText(label, left, top + 12);
    g.fillText(high.toPrecision(2), 2, bottom - height + 8);
    g.fillText(low.toPrecision(2), 2, bottom);
    g.fillText(`${end.toFixed(1)} s`, right - 36, bottom + 12);
    g.strokeStyle = '#ccc';
    g.beginPath();
    g.moveTo(left, y(0));
    g.lineTo(right, y(0));
    g.stroke();
    for (const c of curves) {
      g.strokeStyle = c.colour;
      g.lineWidth = c.width;
      g.setLineDash(c.dashed ? [5, 3] : []);
      g.beginPath();
      c.y.forEach((v, k) => (k === 0 ? g.moveTo(x(k), y(v)) : g.lineTo(x(k), y(v))));
      g.stroke();
    }
    g.setLineDash([]);
  },

  // × the design's roots, ○ the vehicle's, on axes that hold them all.
  renderPoles(run) {
    const svg = this.poles;
    svg.replaceChildren();
    const all = [...run.poles.design, ...run.poles.vehicle];
    const reach = 1.15 * Math.max(1, ...all.map(([re, im]) => Math.max(Math.abs(re), Math.abs(im))));
    const cx = 200, cy = 110, scale = 90 / reach;
    agvSvg('rect', {x: 0, y: 0, width: 300, height: 220, fill: '#fff'}, svg);
    agvSvg('line', {x1: 10, y1: cy, x2: 295, y2: cy, stroke: '#888'}, svg);
    agvSvg('line', {x1: cx, y1: 5, x2: cx, y2: 215, stroke: '#888'}, svg);
    const label = (text, x, y) => Object.assign(agvSvg('text', {x, y, 'font-size': 10}, svg), {textContent: text});
    label('Re', 280, cy - 4);
    label('Im', cx + 4, 12);
    label((-reach).toPrecision(2), 10, cy + 12);
    for (const [re, im] of run.poles.design) {
      const x = cx + scale * re, y = cy - scale * im;
      agvSvg('path', {d: `M${x - 5},${y - 5}L${x + 5},${y + 5}M${x - 5},${y + 5}L${x + 5},${y - 5}`, stroke: '#000',
        'stroke-width': 1.5, class: 'pole-design'}, svg);
    }
    for (const [re, im] of run.poles.vehicle) {
      agvSvg('circle', {cx: cx + scale * re, cy: cy - scale * im, r: 6, fill: 'none', stroke: '#c00',
        'stroke-width': 1.5, class: 'pole-vehicle'}, svg);
    }
    label(`${run.mech} ${run.law}`, 14, 14);
  },
};

agvBenchPlots.build();
