// The bench worker's side of its messages (emcc --pre-js): the page posts
// {kind: 'runs', id, input, mechanism} or {kind: 'cell', id, cell, input,
// mechanism, law}; the worker answers each in turn.
'use strict';

const agvWaiting = [];
let agvReady = false;

var Module = {
  onRuntimeInitialized() {
    agvReady = true;
    agvWaiting.splice(0).forEach(agvAnswer);
  },
};

self.onmessage = (event) => (agvReady ? agvAnswer(event.data) : agvWaiting.push(event.data));

function agvSetInput(values) {
  HEAPF64.set(values, Module._agvBenchInput() >> 3);
}

function agvAnswer(message) {
  agvSetInput(message.input);
  const scratch = Module._malloc(3 * 8);
  try {
    if (message.kind === 'runs') {
      const refusal = Module._agvBenchRun(message.mechanism, scratch);
      if (refusal !== 0) {
        self.postMessage({kind: 'refused', id: message.id, refusal, input: HEAP32[scratch >> 2]});
        return;
      }
      const at = Module._agvBenchPacked(scratch) >> 3;
      const packed = HEAPF64.slice(at, at + HEAP32[scratch >> 2]);
      self.postMessage({kind: 'runs', id: message.id, packed}, [packed.buffer]);
    } else if (message.kind === 'cell') {
      const done = Module._agvBenchCell(message.mechanism, message.law, scratch);
      const out = HEAPF64.subarray(scratch >> 3, (scratch >> 3) + 3);
      self.postMessage({kind: 'cell', id: message.id, cell: message.cell, done: done === 1,
        settle: out[0], atLimit: out[1], endT: out[2]});
    }
  } finally {
    Module._free(scratch);
  }
}
