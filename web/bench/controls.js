// The bench's controls: the path, fn and ζ, the pose and the vehicle as built,
// each a number field kept as typed (most with a slider beside it). A change
// goes to the live runs at once; a refused value shows its reason beside its
// control and changes nothing. Disabled while the console dialog waits.
'use strict';

// The input order of the bench's simulation (web/bench/bench_run.h), from the path on.
const kBenchPath = 0;
const kBenchVehicleFrom = 6;

// Every number control: its input index, the dialog entry it belongs to (the
// fields typed together there) and its slider, if any; fn's slider is logarithmic.
const agvBenchFields = [
  {name: 'fn', input: 1, entry: 'design', slider: {min: 0.05, max: 2, log: true}},
  {name: 'zeta', input: 2, entry: 'design', slider: {min: 0.1, max: 2, step: 0.01}},
  {name: 'x', input: 3, entry: 'pose', slider: {min: -5, max: 5, step: 0.05}},
  {name: 'y', input: 4, entry: 'pose', slider: {min: -5, max: 5, step: 0.05}},
  {name: 'theta', input: 5, entry: 'pose', slider: {min: -180, max: 180, step: 1}},
  {name: 'speedFactor', input: 6, entry: 'vehicle0', slider: {min: 0.5, max: 1.5, step: 0.01}},
  {name: 'wheelbase', input: 7, entry: 'vehicle0', slider: {min: 0.5, max: 1.5, step: 0.01}},
  {name: 'inputBias', input: 8, entry: 'vehicle1', slider: {min: -10, max: 10, step: 0.1}},
  {name: 'steerOffset', input: 9, entry: 'vehicle1', slider: {min: -5, max: 5, step: 0.1}},
  {name: 'drift', input: 10, entry: 'vehicle1', slider: {min: -0.2, max: 0.2, step: 0.005}},
  {name: 'noiseD', input: 11, entry: 'vehicle2', slider: {min: 0, max: 0.05, step: 0.001}},
  {name: 'noiseTheta', input: 12, entry: 'vehicle2', slider: {min: 0, max: 5, step: 0.1}},
  {name: 'seed', input: 13, entry: 'vehicle2'},
  {name: 'delay', input: 14, entry: 'vehicle3', slider: {min: 0, max: 0.5, step: 0.005}},
];
const kLogSteps = 1000;

// A number as the dialog reads one: decimal, or inf / nan, which it refuses as not finite.
function agvParseNumber(text) {
  const t = text.trim();
  if (/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(t)) return Number(t);
  if (/^[+-]?(inf|infinity)$/i.test(t)) return t.startsWith('-') ? -Infinity : Infinity;
  if (/^[+-]?nan$/i.test(t)) return NaN;
  return undefined;
}

const agvBench = {
  element: document.getElementById('bench'),
  fields: {},        // name -> {field, slider, reason, setting}
  texts: [],         // the words asked for, by input index, as typed
  defaults: [],      // the vehicle's default values, as the program gives them after a dialog
  enabled: true,

  build() {
    const controls = document.createElement('section');
    controls.id = 'bench-controls';
    controls.appendChild(this.pathRow());
    for (const setting of agvBenchFields) {
      if (setting.name === 'speedFactor') controls.appendChild(this.heading('bench-vehicle'));
      controls.appendChild(this.numberRow(setting));
    }
    const buttons = document.createElement('div');
    buttons.className = 'bench-buttons';
    buttons.append(this.button('bench-perfect', 'bench-perfect'), this.button('bench-pin', 'bench-pin'));
    controls.appendChild(buttons);
    const waiting = this.heading('bench-waiting');
    waiting.id = 'bench-waiting';
    this.element.append(this.heading('bench-title', 'h2'), waiting, controls);
    document.getElementById('bench-perfect').addEventListener('click', () => this.perfectVehicle());
    this.setEnabled(false);
  },

  // An element showing one of the page's texts, kept up when the language switches.
  textElement(tag, key) {
    const element = document.createElement(tag);
    element.dataset.text = key;
    element.textContent = agvLanguage.text(key);
    return element;
  },

  heading(key, tag = 'h3') {
    return this.textElement(tag, key);
  },

  button(id, key) {
    const button = this.textElement('button', key);
    button.type = 'button';
    button.id = id;
    return button;
  },

  row(labelKey, control) {
    const row = document.createElement('div');
    row.className = 'bench-row';
    const label = this.textElement('label', labelKey);
    label.htmlFor = control.id;
    row.append(label, control);
    return row;
  },

  pathRow() {
    const select = document.createElement('select');
    select.id = 'bench-path';
    for (const [value, key] of [['line', 'bench-line'], ['circle', 'bench-circle']]) {
      const option = this.textElement('option', key);
      option.value = value;
      select.appendChild(option);
    }
    select.addEventListener('input', () => this.changed(kBenchPath, select.value === 'circle' ? '1' : '0'));
    const row = this.row('bench-path', select);
    row.appendChild(this.reasonFor('path'));
    return row;
  },

  reasonFor(name) {
    const reason = document.createElement('span');
    reason.className = 'bench-reason';
    reason.id = `bench-${name}-reason`;
    this.fields[name] = Object.assign(this.fields[name] || {}, {reason});
    return reason;
  },

  numberRow(setting) {
    const field = document.createElement('input');
    field.type = 'text';
    field.inputMode = 'decimal';
    field.id = `bench-${setting.name}`;
    field.size = 7;
    const row = this.row(`bench-${setting.name}`, field);
    let slider = null;
    if (setting.slider) {
      slider = document.createElement('input');
      slider.type = 'range';
      slider.id = `bench-${setting.name}-slider`;
      const s = setting.slider;
      slider.min = s.log ? 0 : s.min;
      slider.max = s.log ? kLogSteps : s.max;
      slider.step = s.log ? 1 : s.step;
      slider.addEventListener('input', () => {
        field.value = this.sliderText(setting, Number(slider.value));
        this.changed(setting.input, field.value);
      });
      row.insertBefore(slider, field);
    }
    field.addEventListener('input', () => {
      this.placeSlider(setting, slider, agvParseNumber(field.value));
      this.changed(setting.input, field.value);
    });
    if (setting.input >= kBenchVehicleFrom) {
      const note = document.createElement('span');
      note.className = 'bench-default';
      note.id = `bench-${setting.name}-default`;
      row.appendChild(note);
    }
    this.fields[setting.name] = {field, slider, setting};
    row.appendChild(this.reasonFor(setting.name));
    return row;
  },

  // The slider's value as the text of a number field: three significant digits.
  sliderText(setting, position) {
    const s = setting.slider;
    const value = s.log ? s.min * Math.pow(s.max / s.min, position / kLogSteps) : position;
    return String(Number(value.toPrecision(s.log ? 3 : 6)));
  },

  placeSlider(setting, slider, value) {
    if (!slider || value === undefined || !Number.isFinite(value)) return;
    const s = setting.slider;
    const clamped = Math.min(s.max, Math.max(s.min, value));
    slider.value = s.log ? Math.round(kLogSteps * Math.log(clamped / s.min) / Math.log(s.max / s.min)) : clamped;
  },

  // Shows the words in force. After a dialog every control takes them; after a
  // bench change a control keeps its text while it reads the same, or while it
  // shows why it was refused.
  show(words, fromDialog) {
    this.texts = words.slice();
    document.getElementById('bench-path').value = words[kBenchPath] === '1' ? 'circle' : 'line';
    for (const setting of agvBenchFields) {
      const f = this.fields[setting.name];
      const keep = !fromDialog && (f.reason.textContent !== '' || agvParseNumber(f.field.value) === Number(words[setting.input]));
      if (!keep) {
        f.field.value = words[setting.input];
        this.placeSlider(setting, f.slider, Number(words[setting.input]));
      }
    }
    this.showDefaults();
    if (fromDialog) for (const name of Object.keys(this.fields)) this.showReason(name, null);
  },

  // "(default 1)" beside each of the vehicle's values.
  showDefaults() {
    if (this.defaults.length === 0) return;
    agvBenchFields.filter((setting) => setting.input >= kBenchVehicleFrom).forEach((setting) => {
      document.getElementById(`bench-${setting.name}-default`).textContent =
        `(${agvLanguage.text('bench-default')} ${this.defaults[setting.input - kBenchVehicleFrom]})`;
    });
  },

  showReason(name, key) {
    const f = this.fields[name];
    f.reason.dataset.text = key || '';
    f.reason.textContent = key ? agvLanguage.text(key) : '';
  },

  nameOf(input) {
    if (input === kBenchPath) return 'path';
    return agvBenchFields.find((setting) => setting.input === input).name;
  },

  // One control's new text: parsed as the dialog would, then asked for.
  changed(input, text) {
    if (!this.enabled) return;
    const name = this.nameOf(input);
    const value = input === kBenchPath ? Number(text) : agvParseNumber(text);
    if (value === undefined) {
      this.showReason(name, 'refused-text');
      return;
    }
    this.showReason(name, null);
    this.texts[input] = text.trim();
    agvBenchLive.request(this.texts.slice(), [input]);
  },

  // A refused value changes nothing: what is asked for next starts from the value in force.
  refused(input, key, inForce) {
    this.showReason(this.nameOf(input), key);
    this.texts[input] = inForce;
  },

  perfectVehicle() {
    if (!this.enabled) return;
    const words = this.texts;
    const changed = [];
    agvBenchFields.filter((setting) => setting.input >= kBenchVehicleFrom).forEach((setting) => {
      const fallback = String(this.defaults[setting.input - kBenchVehicleFrom]);
      if (words[setting.input] !== fallback) changed.push(setting.input);
      words[setting.input] = fallback;
    });
    if (changed.length > 0) agvBenchLive.request(words.slice(), changed);
  },

  setEnabled(enabled) {
    this.enabled = enabled;
    for (const control of this.element.querySelectorAll('#bench-controls input, #bench-controls select, ' +
      '#bench-controls button')) {
      control.disabled = !enabled;
    }
    document.getElementById('bench-waiting').hidden = enabled;
  },
};

agvBench.build();
agvLanguage.onChange(() => agvBench.showDefaults());
