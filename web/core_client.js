// The page's side of the conversion worker. A page opened from file:// may
// not start a worker from a file, so the worker is a Blob of the core's
// script and the worker script, both carried in the page as text.
(function (root) {
  "use strict";

  // A long batch is shared with helpers: workers of their own, each loading
  // a core of its own, which repays its second or so only over hundreds of
  // files. They take it in slices, each the next as it finishes one.
  const SHARED_FILES = 400;
  const SLICE_FILES = 64;
  const MAX_HELPERS = 3;

  class CoreClient {
    constructor(coreSource, workerSource) {
      this.url = URL.createObjectURL(
        new Blob([coreSource, "\n;\n", workerSource], { type: "text/javascript" }));
      this.operation = null;
      this.onstate = () => {};
      // The measurement modes, [{extension, name}], once the core is ready.
      this.modes = null;
      this.helpers = [];
      this.shared = null;  // the batch being shared, while it is
      // How many workers converted the last batch.
      this.workersUsed = 0;
      this.start();
    }

    start() {
      this.ready = false;
      this.loadError = null;
      try {
        this.worker = new Worker(this.url);
      } catch (error) {
        // A browser that forbids workers from Blobs: the page says so.
        this.loadError = `this browser allows no worker here (${error.message})`;
        this.worker = { postMessage: () => this.fail(`the converter could not start: ${this.loadError}`),
                        terminate: () => {} };
        return;
      }
      this.worker.onmessage = (event) => this.receive(event.data, this.worker);
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.fail(`the converter stopped: ${event.message || "an error in its worker"}`);
      };
    }

    receive(message, from) {
      if (message.type === "ready") {
        this.ready = true;
        this.modes = message.modes;
        this.onstate();
        return;
      }
      if (message.type === "load-failed") {
        this.loadError = message.error;
        this.onstate();
        this.fail(`the converter could not start: ${message.error}`);
        return;
      }
      if (this.operation) this.operation.receive(message, from);
    }

    fail(error) {
      const operation = this.operation;
      this.operation = null;
      if (operation) operation.reject(new Error(error));
    }

    // Runs one operation at a time; `receive` gets its messages and ends it
    // by calling finish or reject. A cancelled one resolves to `cancelled`.
    run(message, receive, cancelled) {
      if (this.operation) return Promise.reject(new Error("the converter is busy"));
      return new Promise((resolve, reject) => {
        const finish = (value) => {
          this.operation = null;
          resolve(value);
        };
        // A failed operation is over too: the next one may start.
        const fail = (error) => {
          this.operation = null;
          reject(error);
        };
        this.operation = {
          receive: (m, from) => receive(m, finish, fail, from),
          finish,
          reject: fail,
          cancel: () => resolve(cancelled),
        };
        this.worker.postMessage(message);
      });
    }

    // jobs: [{id, file, name, lastModified}]. onStart(id) and
    // onResult(id, result) follow the workers, in the order they finish;
    // resolves true when every job is done, false when cancelled. A short
    // batch goes to the worker whole. A long one is sliced: the worker takes
    // the first slice, and helpers join once its first results are back, so
    // that the first report shown is the first file's.
    convert(jobs, onStart, onResult) {
      if (this.operation) return Promise.reject(new Error("the converter is busy"));
      const helpers = jobs.length >= SHARED_FILES
        ? Math.min(MAX_HELPERS, (root.navigator.hardwareConcurrency || 1) - 1) : 0;
      const size = helpers > 0 ? SLICE_FILES : Math.max(jobs.length, 1);
      const slices = [];
      for (let first = 0; first < jobs.length; first += size) slices.push(jobs.slice(first, first + size));
      if (slices.length === 0) slices.push([]);
      let next = 0;
      let busy = 0;
      let joined = false;
      const used = new Set();
      const take = (worker, finish) => {
        if (next < slices.length) {
          ++busy;
          used.add(worker);
          worker.postMessage({ type: "convert", jobs: slices[next++] });
        } else if (busy === 0) {
          this.workersUsed = used.size;
          finish(true);
        }
      };
      const promise = this.run({ type: "convert", jobs: slices[next++] }, (m, finish, reject, from) => {
        if (m.type === "start") {
          onStart(m.id);
        } else if (m.type === "converted") {
          for (const r of m.results) onResult(r.id, r.result);
          if (!joined && from === this.worker) {
            joined = true;
            for (const helper of this.helpers) if (helper.ready) take(helper.worker, finish);
          }
        } else if (m.type === "done") {
          --busy;
          take(from, finish);
        } else if (m.type === "failed") {
          // The others' slices go too: no message of theirs is left to come.
          if (used.size > 1) this.stopAll();
          reject(new Error(m.error));
        }
      }, false);
      ++busy;
      used.add(this.worker);
      this.shared = { join: (helper) => joined && take(helper.worker, this.operation.finish) };
      promise.then(() => (this.shared = null), () => (this.shared = null));
      while (this.helpers.length < helpers) this.startHelper();
      return promise;
    }

    startHelper() {
      let worker;
      try {
        worker = new Worker(this.url);
      } catch (error) {
        return;  // the worker alone converts
      }
      const helper = { worker, ready: false };
      this.helpers.push(helper);
      const drop = () => {
        worker.terminate();
        this.helpers = this.helpers.filter((h) => h !== helper);
      };
      worker.onmessage = (event) => {
        const m = event.data;
        if (m.type === "ready") {
          helper.ready = true;
          if (this.shared) this.shared.join(helper);
        } else if (m.type === "load-failed") {
          drop();
        } else if (this.operation) {
          this.operation.receive(m, worker);
        }
      };
      // A helper that stops takes the batch with it, as the worker would:
      // all start afresh, and what was converted stays.
      worker.onerror = (event) => {
        event.preventDefault();
        const operation = this.operation;
        if (!this.shared || !operation) return drop();
        this.stopAll();
        operation.reject(new Error(`the converter stopped: ${event.message || "an error in its worker"}`));
      };
    }

    zip(names, reports) {
      return this.run({ type: "zip", names, reports }, (m, finish, reject) => {
        if (m.type === "zipped") finish(m.bytes);
        else if (m.type === "failed") reject(new Error(m.error));
      }, null);
    }

    // The run's data of entries [{file, name, lastModified}] in `format`,
    // "json" or "csv": one file's bytes, or with zipNames, a zip of each
    // under its name.
    data(entries, format, zipNames = null) {
      return this.run({ type: "data", entries, format, zipNames }, (m, finish, reject) => {
        if (m.type === "data") finish(m.bytes);
        else if (m.type === "failed") reject(new Error(m.error));
      }, null);
    }

    // Resolves to whether the converter takes each of the names (paths
    // found in a folder) for an export file, as it takes a folder's files.
    exportFiles(names) {
      return this.run({ type: "export-files", names }, (m, finish, reject) => {
        if (m.type === "export-files") finish(m.taken);
        else if (m.type === "failed") reject(new Error(m.error));
      }, null);
    }

    combine(entries) {
      return this.run({ type: "combine", entries }, (m, finish, reject) => {
        if (m.type === "combined") finish(m);
        else if (m.type === "failed") reject(new Error(m.error));
      }, null);
    }

    // Stops the worker and its helpers at once, whatever they are doing;
    // what they sent stays. A new worker takes its place for what comes
    // next, and new helpers for the next long batch.
    cancel() {
      const operation = this.operation;
      this.stopAll();
      if (operation) operation.cancel();
    }

    stopAll() {
      this.operation = null;
      this.shared = null;
      for (const helper of this.helpers) helper.worker.terminate();
      this.helpers = [];
      this.worker.terminate();
      this.start();
      this.onstate();
    }
  }

  root.OrdelixCoreClient = CoreClient;
})(globalThis);
