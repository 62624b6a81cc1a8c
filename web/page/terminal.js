// The terminal beside the window: a POSIX terminal's rules for the program's
// reads (single keys without echo; lines echoed and edited with backspace;
// Ctrl-D ends the input) and the transcript of everything it showed.
'use strict';

function agvColumns(codePoint) {
  // East Asian wide and full-width characters take two columns.
  return (codePoint >= 0x1100 && codePoint <= 0x115f) || (codePoint >= 0x2e80 && codePoint <= 0xa4cf) ||
    (codePoint >= 0xac00 && codePoint <= 0xd7a3) || (codePoint >= 0xf900 && codePoint <= 0xfaff) ||
    (codePoint >= 0xfe30 && codePoint <= 0xfe4f) || (codePoint >= 0xff00 && codePoint <= 0xff60) ||
    (codePoint >= 0xffe0 && codePoint <= 0xffe6) ? 2 : 1;
}

// As many columns and rows as the box holds, now and whenever the box or the
// cell changes (a font loading late). The cell's size is the rows' drawn size over
// their count; the vertical scroll bar takes its width from the box.
function agvFitTerminal(term, element) {
  const screen = element.querySelector('.xterm-screen');
  const viewport = element.querySelector('.xterm-viewport');
  function fit() {
    const drawn = screen.getBoundingClientRect();
    const cellWidth = drawn.width / term.cols;
    const cellHeight = drawn.height / term.rows;
    if (!(cellWidth > 0 && cellHeight > 0)) return;  // not laid out (hidden)
    const style = getComputedStyle(element);
    const width = element.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) -
      (viewport.offsetWidth - viewport.clientWidth);
    const height = element.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom);
    // A hair of slack for sizes that are fractions of a pixel.
    const cols = Math.max(2, Math.floor(width / cellWidth + 0.01));
    const rows = Math.max(1, Math.floor(height / cellHeight + 0.01));
    if (cols !== term.cols || rows !== term.rows) term.resize(cols, rows);
  }
  // In the next frame, not inside the observer's own notification.
  let pending = false;
  const observer = new ResizeObserver(() => {
    if (pending) return;
    pending = true;
    requestAnimationFrame(() => {
      pending = false;
      fit();
    });
  });
  observer.observe(element);
  observer.observe(screen);
  fit();
}

function agvCreateTerminal(element, onReadStart) {
  const term = new Terminal({convertEol: true, cursorBlink: true, scrollback: 5000, fontSize: 14,
    fontFamily: '"MS Gothic", "Osaka-Mono", "Hiragino Kaku Gothic ProN", "Noto Sans Mono CJK JP", ' +
      '"IPAGothic", "VL Gothic", "Takao Gothic", monospace'});
  term.open(element);
  agvFitTerminal(term, element);
  const encoder = new TextEncoder();
  const state = {
    transcript: '',
    line: '',            // the line being edited
    completed: new Uint8Array(0),  // finished lines not read yet
    endOfInput: false,   // a Ctrl-D on an empty line
    reader: null,        // {kind: 'key', enterAnswers, done} or {kind: 'line', capacity, done}
    acceptsInput: () => false,
    onLine: () => {},
  };

  function write(text) {
    state.transcript += text.replace(/\r/g, '');
    term.write(text);
  }

  function append(bytes) {
    const joined = new Uint8Array(state.completed.length + bytes.length);
    joined.set(state.completed);
    joined.set(bytes, state.completed.length);
    state.completed = joined;
  }

  function deliverLine() {
    const reader = state.reader;
    if (!reader || reader.kind !== 'line') return;
    if (state.completed.length === 0 && !state.endOfInput) return;
    state.reader = null;
    const n = Math.min(reader.capacity, state.completed.length);
    const bytes = state.completed.slice(0, n);
    state.completed = state.completed.slice(n);
    if (n === 0) state.endOfInput = false;
    reader.done(bytes);
  }

  function erase() {
    const characters = Array.from(state.line);
    if (characters.length === 0) return;
    const last = characters.pop();
    state.line = characters.join('');
    state.transcript = state.transcript.slice(0, state.transcript.length - last.length);
    const columns = agvColumns(last.codePointAt(0));
    term.write('\b \b'.repeat(columns));
  }

  function typeIntoLine(character) {
    if (character === '\r' || character === '\n') {
      state.onLine(state.line);
      append(encoder.encode(state.line + '\n'));
      state.line = '';
      write('\n');
    } else if (character === '\x7f' || character === '\b') {
      erase();
    } else if (character === '\x04') {
      if (state.line === '') state.endOfInput = true;
      else {
        state.onLine(state.line);
        append(encoder.encode(state.line));
      }
      state.line = '';
    } else if (character >= ' ') {
      state.line += character;
      write(character);
    }
    deliverLine();
  }

  function answerKey(character) {
    const reader = state.reader;
    const key = character === '\r' ? '\n' : character;
    if (key === '\n' && !reader.enterAnswers) return;
    state.reader = null;
    // The first byte, as a terminal sends it.
    reader.done(encoder.encode(key)[0]);
  }

  function type(data) {
    for (const character of data) {
      if (state.reader && state.reader.kind === 'key') answerKey(character);
      else if (state.reader || state.acceptsInput()) typeIntoLine(character);
    }
  }
  term.onData(type);

  return {
    term,
    type,
    write,
    transcript: () => state.transcript,
    waiting: () => state.reader !== null,
    waitingFor: () => (state.reader ? state.reader.kind : null),
    setAcceptsInput: (accepts) => { state.acceptsInput = accepts; },
    setLineListener: (listener) => { state.onLine = listener; },
    discardInput() {
      state.line = '';
      state.completed = new Uint8Array(0);
      state.endOfInput = false;
    },
    readKey(enterAnswers, done) {
      this.discardInput();
      state.reader = {kind: 'key', enterAnswers, done};
      onReadStart('key');
    },
    readBytes(capacity, done) {
      state.reader = {kind: 'line', capacity, done};
      if (state.completed.length === 0 && !state.endOfInput) onReadStart('line');
      deliverLine();
    },
  };
}
