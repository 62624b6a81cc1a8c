// The bench's workers, one per core, each the program's simulation in a
// WebAssembly instance of its own. The live runs go first; map cells fill the
// time between.
'use strict';

function agvStartBenchWorker() {
  return new Worker(URL.createObjectURL(new Blob([agvBenchWorkerSource], {type: 'text/javascript'})));
}

const agvBenchPool = {
  idle: [],
  urgent: [],           // {message, resolve}: the live runs' jobs
  nextCell: () => null,  // the map's next cell message, or null
  onCell: () => {},      // the map's answer

  start() {
    const cores = Math.max(1, Math.min(8, navigator.hardwareConcurrency || 2));
    for (let w = 0; w < cores; w++) {
      const worker = agvStartBenchWorker();
      worker.onmessage = (event) => this.answered(worker, event.data);
      this.idle.push(worker);
    }
  },

  // A live job: its answer, as soon as a worker is free.
  run(message) {
    return new Promise((resolve) => {
      this.urgent.push({message, resolve});
      this.handOut();
    });
  },

  handOut() {
    while (this.idle.length > 0) {
      const worker = this.idle.pop();
      const job = this.urgent.shift();
      const message = job ? job.message : this.nextCell();
      if (!message) {
        this.idle.push(worker);
        return;
      }
      worker.job = job;
      worker.postMessage(message);
    }
  },

  answered(worker, message) {
    const job = worker.job;
    worker.job = null;
    this.idle.push(worker);
    if (job) job.resolve(message);
    else this.onCell(message);
    this.handOut();
  },
};

agvBenchPool.start();
