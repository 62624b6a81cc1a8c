// The page around the program: the window canvas and its GLUT events, the
// terminal, the hooks for tests and scripts, the link and the downloads.
'use strict';

const agvCanvas = document.getElementById('window');
const agvStart = performance.now();

// One callback at a time, each to its end, a dialog inside it included;
// what falls due meanwhile waits, keys for the window are dropped.
const agvDispatch = {
  running: true,         // main runs first, its dialog included
  windowOpen: false,
  reshapePending: false,
  redisplayPending: false,
  dueTimers: [],
  dialogSeen: false,
  typing: false,         // the page types a link's answers
  scheduled: false,
  onSettled: [],
};

function agvRun(name, types, args) {
  agvDispatch.running = true;
  let result;
  try {
    result = Module.ccall(name, null, types, args, {async: true});
  } catch (e) {
    agvStopped(e);
    return;
  }
  Promise.resolve(result).then(agvCallbackReturned, agvStopped);
}

function agvStopped(e) {
  agvDispatch.running = true;
  agvDispatch.windowOpen = false;
  if (!(e && e.name === 'ExitStatus')) console.error(e);
  agvCanvas.classList.add('ended');
}

function agvCallbackReturned() {
  agvDispatch.running = false;
  if (agvDispatch.dialogSeen) {
    agvDispatch.dialogSeen = false;
    agvPage.afterDialog();
    agvFocusWhereKeysGo();
  }
  agvBenchLive.afterCallback();
  agvRunPending();
}

// The keys go to the waiting dialog, else to the window.
function agvFocusWhereKeysGo() {
  if (agvTerminal.waiting()) agvTerminal.term.focus();
  else if (agvDispatch.windowOpen) agvCanvas.focus();
}

function agvRunPending() {
  agvDispatch.scheduled = false;
  if (agvDispatch.running || !agvDispatch.windowOpen) return;
  if (agvDispatch.reshapePending) {
    agvDispatch.reshapePending = false;
    agvRun('agvGlutReshape', ['number', 'number'], [agvCanvas.width, agvCanvas.height]);
  } else if (agvDispatch.dueTimers.length > 0) {
    agvRun('agvGlutTimer', ['number'], [agvDispatch.dueTimers.shift()]);
  } else if (agvDispatch.redisplayPending) {
    agvDispatch.redisplayPending = false;
    agvRun('agvGlutDisplay', [], []);
  } else {
    const waiting = agvDispatch.onSettled;
    agvDispatch.onSettled = [];
    waiting.forEach((f) => f());
  }
}

function agvSchedule() {
  if (agvDispatch.scheduled || agvDispatch.running) return;
  agvDispatch.scheduled = true;
  setTimeout(agvRunPending, 0);
}

// GLUT's key codes for what a key press types.
function agvGlutKey(event) {
  if (event.altKey || event.metaKey) return -1;
  const named = {Enter: 13, Escape: 27, Backspace: 8, Tab: 9, Delete: 127};
  if (event.key in named) return named[event.key];
  if (event.key.length !== 1) return -1;
  const code = event.key.charCodeAt(0);
  if (event.ctrlKey) return /[a-z@\[\\\]^_]/i.test(event.key) ? code & 0x1f : -1;
  return code < 256 ? code : -1;
}

// The window takes a key only between callbacks, as GLUT's loop would.
function agvWindowWaits() {
  const d = agvDispatch;
  return !d.running && d.windowOpen && !d.reshapePending && !d.redisplayPending && d.dueTimers.length === 0;
}

function agvPressWindowKey(key) {
  if (agvDispatch.running || !agvDispatch.windowOpen) return;
  agvRun('agvGlutKeyboard', ['number'], [key]);
}

// A key the person gives the window, typed or from a key button; not while the page types.
function agvWindowKeyFromPerson(key) {
  if (!agvDispatch.typing) agvPressWindowKey(key);
}

agvCanvas.addEventListener('keydown', (event) => {
  const key = agvGlutKey(event);
  if (key < 0) return;
  event.preventDefault();
  agvWindowKeyFromPerson(key);
});
agvCanvas.addEventListener('mousedown', () => agvCanvas.focus());

const agvTerminal = agvCreateTerminal(document.getElementById('terminal'), () => {
  agvDispatch.dialogSeen = true;
  agvBench.setEnabled(false);
  if (!agvDispatch.typing) agvTerminal.term.focus();
});
// A click anywhere in the terminal's area selects it, below its last row too; on
// mouseup, since a mousedown outside the rows would move the focus to the body after us.
document.getElementById('terminal').addEventListener('mouseup', () => agvTerminal.term.focus());
// A key that ends a dialog moves the focus to the window before its keypress is over; the
// keypress's own action would then be the page's, and a space bar's scrolls it.
document.getElementById('terminal').addEventListener('keypress', (event) => {
  if (document.activeElement !== agvTerminal.term.textarea) event.preventDefault();
});
// A button keeps no focus.
for (const id of ['copy-link', 'download-csv', 'language']) {
  document.getElementById(id).addEventListener('click', agvFocusWhereKeysGo);
}
// Typed ahead while the program works, as into a terminal; not while the window waits.
agvTerminal.setAcceptsInput(() => agvDispatch.running);

const agvPage = {
  createWindow(title, width, height) {
    document.title = title;
    agvCanvas.width = width;
    agvCanvas.height = height;
  },
  requestedRaster() {
    return new URLSearchParams(location.search).get('raster') === 'exact' ? 0 : 1;
  },
  postRedisplay() {
    agvDispatch.redisplayPending = true;
    agvSchedule();
  },
  armTimer(slot, milliseconds) {
    setTimeout(() => {
      agvDispatch.dueTimers.push(slot);
      agvSchedule();
    }, milliseconds);
  },
  elapsedMilliseconds() {
    return Math.floor(performance.now() - agvStart);
  },
  startWindow() {
    agvDispatch.windowOpen = true;
    agvDispatch.reshapePending = true;
    agvDispatch.redisplayPending = true;
  },
  terminalWrite: (text) => agvTerminal.write(text),
  discardInput: () => agvTerminal.discardInput(),
  readKey: (enterAnswers, done) => agvTerminal.readKey(enterAnswers, done),
  readBytes: (capacity, done) => agvTerminal.readBytes(capacity, done),
  afterDialog() {
    agvLink.recordSettings();
    agvBenchLive.afterDialog();
  },
};

window.agvsim = {
  state() {
    if (agvDispatch.typing || agvBenchLive.busy()) return 'busy';
    if (agvTerminal.waiting()) return 'dialog';
    return agvWindowWaits() ? 'window' : 'busy';
  },
  transcript: () => agvTerminal.transcript(),
  view() {
    const v = Module.ccall('agvWebView', 'number', [], []) >> 2;
    const playing = Module.HEAP32[v + 4] !== 0;
    return {mechanism: Module.HEAP32[v], controlLaw: Module.HEAP32[v + 1], animIndexP: Module.HEAP32[v + 2],
      animIndexPI: Module.HEAP32[v + 3], playing};
  },
};

var Module = {
  noInitialRun: true,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  onRuntimeInitialized() {
    agvLink.start();
    agvRun('main', ['number', 'number'], [0, 0]);
  },
};
