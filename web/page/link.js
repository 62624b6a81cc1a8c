// The link for a setting: the answers it stands for typed into the start-up
// dialog (and the vehicle's values into the 'd' section after it), the address
// kept up to date after every dialog, Copy link, and the runs of the settings
// in force as CSV.
'use strict';

const kDegToRad = 0.0174532925;  // the program's own constant
const kTypingDelayMs = 40;
// The vehicle section's four entries, by how many of its values each takes.
const kVehicleEntrySizes = [2, 3, 3, 1];
// What the dialog says when it asks for an entry again.
const kAskedAgain = 'もう一度入力してください';

// The link's goal= text, as it stood in the address, or null.
function agvGoalInAddress() {
  const goal = /(?:^#|&)goal=([^&]*)/.exec(location.hash);
  return goal ? goal[1] : null;
}

const agvLink = {
  lines: [],  // the lines the dialogs were answered with, latest last
  goal: agvGoalInAddress(),

  // The vehicle's values as [{name, value, defaultValue}], in entry order.
  settings() {
    const p = Module.ccall('agvWebSettings', 'number', [], []) >> 3;
    const d = Module.HEAPF64;
    this.vehicleNames = this.vehicleNames || Module.ccall('agvWebVehicleNames', 'string', [], []).split(',');
    const count = this.vehicleNames.length;
    const vehicle = this.vehicleNames.map((name, i) => ({name, value: d[p + 6 + i], defaultValue: d[p + 6 + count + i]}));
    return {path: d[p] === 1 ? 'circle' : 'line', fn: d[p + 1], zeta: d[p + 2], x: d[p + 3], y: d[p + 4],
      theta: d[p + 5], vehicle};
  },

  // The words of the latest line that reads as these values, else the values' own shortest text.
  enteredWords(matches, fallback) {
    for (let i = this.lines.length - 1; i >= 0; --i) {
      const words = this.lines[i].trim().split(/\s+/);
      if (words.length === fallback.length && matches(words.map(Number))) return words;
    }
    return fallback.map(String);
  },

  // The settings in force as the words they were typed as: {path, fn, zeta, pose: [x, y, θ°],
  // vehicle: [{name, word, value, defaultValue}]}.
  typedSettings() {
    const s = this.settings();
    const design = this.enteredWords((v) => v[0] === s.fn && v[1] === s.zeta, [s.fn, s.zeta]);
    const pose = this.enteredWords((v) => v[0] === s.x && v[1] === s.y && v[2] * kDegToRad === s.theta,
      [s.x, s.y, s.theta === 0 ? 0 : s.theta / kDegToRad]);
    const vehicle = [];
    let first = 0;
    for (const size of kVehicleEntrySizes) {
      const entry = s.vehicle.slice(first, first + size);
      first += size;
      const words = this.enteredWords((v) => v.every((value, i) => value === entry[i].value),
        entry.map((field) => field.value));
      entry.forEach((field, i) => vehicle.push({name: field.name, word: words[i], value: field.value,
        defaultValue: field.defaultValue}));
    }
    return {path: s.path, fn: design[0], zeta: design[1], pose, vehicle};
  },

  // An entry the bench made, as if typed into the dialog.
  noteEntry(words) {
    this.lines.push(words.join(' '));
  },

  recordSettings() {
    const t = this.typedSettings();
    let hash = `path=${t.path}&fn=${t.fn}&zeta=${t.zeta}&pose=${t.pose.join(',')}`;
    for (const field of t.vehicle) {
      if (field.value !== field.defaultValue) hash += `&${field.name}=${field.word}`;
    }
    // A teacher's goals stay in the address, as the link gave them.
    if (this.goal !== null) hash += `&goal=${this.goal}`;
    history.replaceState(null, '', '#' + hash);
  },

  // The keys and lines the start-up dialog is to be answered with, each with the read it answers.
  answers(hash) {
    const params = new URLSearchParams(hash.replace(/^#/, ''));
    const start = this.settings();
    const vehicleGiven = start.vehicle.some((field) => params.has(field.name));
    if (!vehicleGiven && !['path', 'fn', 'zeta', 'pose'].some((name) => params.has(name))) return null;
    const steps = [{read: 'key', text: params.get('path') === 'circle' ? '1' : '0'}];
    if (params.has('fn') || params.has('zeta')) {
      steps.push({read: 'key', text: 'y'});
      const fn = params.get('fn') || String(start.fn);
      const zeta = params.get('zeta') || String(start.zeta);
      steps.push({read: 'line', text: `${fn} ${zeta}\r`});
    } else {
      steps.push({read: 'key', text: 'n'});
    }
    if (params.has('pose')) {
      steps.push({read: 'key', text: 'y'});
      steps.push({read: 'line', text: params.get('pose').split(',').join(' ') + '\r'});
    } else {
      steps.push({read: 'key', text: 'n'});
    }
    steps.push({read: 'key', text: ' '});
    if (vehicleGiven) steps.push(...this.vehicleAnswers(params, start.vehicle));
    return steps;
  },

  // 'd' in the window, yes, then the four entries: the values given, the others as they are.
  vehicleAnswers(params, vehicle) {
    const steps = [{read: 'window', text: 'd'}, {read: 'key', text: 'y'}];
    let first = 0;
    for (const size of kVehicleEntrySizes) {
      const words = vehicle.slice(first, first + size).map((field) =>
        (params.has(field.name) ? params.get(field.name) : String(field.value)));
      first += size;
      steps.push({read: 'line', text: words.join(' ') + '\r'});
    }
    steps.push({read: 'key', text: ' '});
    return steps;
  },

  // One character at a time, each step only once the dialog waits for its kind of answer
  // (or, for a window key, once the window waits); a refused value leaves the dialog to
  // the person.
  async type(steps) {
    const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    agvDispatch.typing = true;
    try {
      let heard = agvTerminal.transcript().length;
      for (const step of steps) {
        if (step.read === 'window') {
          while (!agvWindowWaits()) await pause(10);
          await pause(kTypingDelayMs);
          agvPressWindowKey(step.text.charCodeAt(0));
        } else {
          while (!agvTerminal.waiting()) await pause(10);
          if (agvTerminal.waitingFor() !== step.read) return;
          if (agvTerminal.transcript().slice(heard).includes(kAskedAgain)) return;
          heard = agvTerminal.transcript().length;
          for (const character of step.text) {
            await pause(kTypingDelayMs);
            agvTerminal.type(character);
          }
        }
      }
    } finally {
      agvDispatch.typing = false;
      agvFocusWhereKeysGo();
    }
  },

  start() {
    agvTerminal.setLineListener((line) => this.lines.push(line));
    const steps = this.answers(location.hash);
    if (steps) this.type(steps);
  },

  copy() {
    const address = location.href;
    if (navigator.clipboard && window.isSecureContext) return navigator.clipboard.writeText(address);
    const field = document.createElement('textarea');
    field.value = address;
    document.body.appendChild(field);
    field.select();
    document.execCommand('copy');
    field.remove();
    return Promise.resolve();
  },

  // Between callbacks only, as the rows come from the program's own records.
  downloadCsv() {
    const save = () => {
      const lengthAt = Module._malloc(4);
      const text = Module.ccall('agvWebCsv', 'number', ['number'], [lengthAt]);
      const length = Module.HEAP32[lengthAt >> 2];
      Module._free(lengthAt);
      const blob = new Blob([Module.HEAPU8.slice(text, text + length)], {type: 'text/csv'});
      const anchor = document.createElement('a');
      anchor.href = URL.createObjectURL(blob);
      anchor.download = 'agvsim-runs.csv';
      document.body.appendChild(anchor);
      anchor.click();
      anchor.remove();
      setTimeout(() => URL.revokeObjectURL(anchor.href), 10000);
    };
    if (window.agvsim.state() === 'window') save();
    else agvDispatch.onSettled.push(save);
  },
};

document.getElementById('copy-link').addEventListener('click', () => agvLink.copy());
document.getElementById('download-csv').addEventListener('click', () => agvLink.downloadCsv());
