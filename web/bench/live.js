// The live runs: every bench change goes to a worker that runs the program's own
// simulation; its result, if still the newest, goes into the program between
// callbacks as a dialog's would (the terminal gets one line, the address
// follows), and the figures, plots, poles, goals and map follow it.
'use strict';

// The vehicle section's four entries, by the input indices they take.
const kBenchEntries = {design: [1, 2], pose: [3, 4, 5], vehicle0: [6, 7], vehicle1: [8, 9, 10],
  vehicle2: [11, 12, 13], vehicle3: [14]};
const kRefusalKeys = {1: 'refused-not-finite', 2: 'refused-zero', 3: 'refused-gains', 4: 'refused-runs',
  11: 'refused-not-finite', 12: 'refused-positive', 13: 'refused-speed', 14: 'refused-negative',
  15: 'refused-delay', 16: 'refused-seed'};

// The three mechanisms' packed blocks (web/bench/bench_run.h), joined, as runs
// with their figures, poles and curves.
function agvDecodeBench(packed) {
  const kFigures = 10, kPoles = 9, kSample = 18;
  const names = ['settle', 'designSettle', 'overshoot', 'finalD', 'iae', 'peakPhi', 'atLimit', 'endT', 'finalDd',
    'lastSample'];
  const poleSet = (at) => {
    const roots = [];
    for (let k = 0; k < packed[at]; k++) roots.push([packed[at + 1 + 2 * k], packed[at + 2 + 2 * k]]);
    return roots;
  };
  const runs = [];
  let at = 0;
  for (const mech of ['2DW1C', '1FDW1FS', '1RDW1FS']) {
    const pair = ['P', 'PI'].map((law) => {
      const figures = {};
      names.forEach((name, i) => {
        const v = packed[at + i];
        figures[name] = Number.isNaN(v) ? null : v;
      });
      at += kFigures;
      return {mech, law, figures};
    });
    for (const run of pair) {
      run.poles = {design: poleSet(at), vehicle: poleSet(at + kPoles)};
      at += 2 * kPoles;
    }
    for (const run of pair) {
      const n = run.figures.lastSample + 1;
      run.dd = new Float64Array(n);
      run.dth = new Float64Array(n);
      for (let k = 0; k < n; k++) {
        run.dd[k] = packed[at + k * kSample + 7 + 10];  // plotD
        run.dth[k] = packed[at + k * kSample + 7 + 8];  // errTheta, wrapped
      }
      at += n * kSample;
    }
    for (const run of pair) {
      const n = run.figures.lastSample + 1;
      run.designDd = new Float64Array(n);
      run.designDth = new Float64Array(n);
      for (let k = 0; k < n; k++) {
        run.designDd[k] = packed[at + 2 * k];
        run.designDth[k] = packed[at + 2 * k + 1];
      }
      at += 2 * n;
    }
    runs.push(...pair);
  }
  return runs;
}

// The program's settings in force as the bench's fifteen words, as typed.
function agvWordsInForce() {
  const t = agvLink.typedSettings();
  return [t.path === 'circle' ? '1' : '0', t.fn, t.zeta, ...t.pose, ...t.vehicle.map((field) => field.word)]
    .map(String);
}

const agvBenchLive = {
  lastId: 0,
  inFlight: null,   // the request the worker is on
  pending: null,    // the newest request since, sent when the worker is free
  applying: false,  // a result waits for the window to take it
  result: null,     // {words, input, runs} shown
  shown: null,      // {mech, law} the window shows
  inForce: [],      // the words of the settings in force, as typed

  busy() {
    return Boolean(this.inFlight || this.pending || this.applying);
  },

  // words: the fifteen inputs as typed; changed: the inputs the person changed,
  // none for a refresh after a dialog, whose runs the program already has.
  request(words, changed) {
    const request = {id: ++this.lastId, words, changed, input: words.map(Number)};
    if (this.inFlight) this.pending = request;
    else this.send(request);
  },

  // One job per mechanism, so that the workers share the runs; the longest
  // runs are 1FDW1FS's, which go first.
  send(request) {
    this.inFlight = request;
    const jobs = [1, 0, 2].map((mechanism) =>
      agvBenchPool.run({kind: 'runs', id: request.id, input: request.input, mechanism}));
    Promise.all(jobs).then((answers) => this.answered(request, [answers[1], answers[0], answers[2]]));
  },

  answered(request, answers) {
    this.inFlight = null;
    if (this.pending) {
      // A newer setting is waiting: this one is already out of date.
      const next = this.pending;
      this.pending = null;
      this.send(next);
      return;
    }
    const refused = answers.find((answer) => answer.kind === 'refused');
    if (refused) {
      this.refused(request, refused);
      return;
    }
    const packed = new Float64Array(answers.reduce((n, answer) => n + answer.packed.length, 0));
    let at = 0;
    for (const answer of answers) {
      packed.set(answer.packed, at);
      at += answer.packed.length;
    }
    this.take(request, agvDecodeBench(packed), packed);
  },

  // The reason goes beside the control changed; nothing else changes.
  refused(request, message) {
    const key = kRefusalKeys[message.refusal] || 'refused-runs';
    const input = request.changed.includes(message.input) ? message.input : request.changed[0];
    if (input !== undefined) agvBench.refused(input, key, this.inForce[input]);
  },

  take(request, runs, packed) {
    if (request.changed.length === 0) {
      this.show(request, runs);
      return;
    }
    this.applying = true;
    const apply = () => {
      if (this.lastId !== request.id || !agvBench.enabled) {
        this.applying = false;  // a dialog or a newer change came first
        return;
      }
      if (!agvWindowWaits()) {
        setTimeout(apply, 5);
        return;
      }
      this.applying = false;
      this.intoProgram(request, packed);
      this.show(request, runs);
    };
    apply();
  },

  intoProgram(request, packed) {
    const bytes = 8 * (request.input.length + packed.length);
    const at = Module._malloc(bytes);
    Module.HEAPF64.set(request.input, at >> 3);
    Module.HEAPF64.set(packed, (at >> 3) + request.input.length);
    Module.ccall('agvWebBenchApply', 'number', ['number', 'number'], [at, at + 8 * request.input.length]);
    Module._free(at);
    agvSchedule();
    const entries = new Set(request.changed.map((input) =>
      Object.keys(kBenchEntries).find((name) => kBenchEntries[name].includes(input))));
    for (const entry of entries) {
      if (entry) agvLink.noteEntry(kBenchEntries[entry].map((input) => request.words[input]));
    }
    agvTerminal.write('\n' + agvLanguage.text('bench-line-prefix') + this.describe(request));
    agvLink.recordSettings();
  },

  describe(request) {
    return request.changed.map((input) => {
      if (input === kBenchPath) return request.words[input] === '1' ? 'path = circle' : 'path = line';
      return `${agvBench.nameOf(input)} = ${request.words[input]}`;
    }).join(', ');
  },

  show(request, runs) {
    const before = this.result;
    this.result = {words: request.words, input: request.input, runs};
    this.inForce = request.words;
    agvBench.show(request.words, request.changed.length === 0);
    agvBenchFigures.render();
    agvBenchPlots.render();
    agvBenchGoals.render();
    // fn and zeta are the map's own axes; anything else makes it another map.
    const same = (i) => before && before.input[i] === request.input[i];
    const mapInputs = [0, 3, 4, 5, ...kBenchEntries.vehicle0, ...kBenchEntries.vehicle1,
      ...kBenchEntries.vehicle2, ...kBenchEntries.vehicle3];
    if (mapInputs.every(same)) agvBenchMap.mark();
    else agvBenchMap.restart();
  },

  // After every callback: a key may have chosen another mechanism or law to show.
  afterCallback() {
    const view = window.agvsim.view();
    const shown = {mech: ['2DW1C', '1FDW1FS', '1RDW1FS'][view.mechanism - 1], law: view.controlLaw === 2 ? 'PI' : 'P'};
    if (this.shown && shown.mech === this.shown.mech && shown.law === this.shown.law) return;
    this.shown = shown;
    if (!this.result) return;
    agvBenchPlots.render();
    agvBenchMap.restart();
  },

  // After every dialog: the bench shows its values and works out their figures.
  afterDialog() {
    agvBench.defaults = agvLink.typedSettings().vehicle.map((field) => field.defaultValue);
    const words = agvWordsInForce();
    agvBench.show(words, true);
    agvBench.setEnabled(true);
    this.inForce = words;
    this.request(words, []);
  },
};
