// The page's side of the conversion worker. A page opened from file:// may
// not start a worker from a file, so the worker is a Blob of the core's
// script and the worker script, both carried in the page as text.
(function (root) {
  "use strict";

  class CoreClient {
    constructor(coreSource, workerSource) {
      this.url = URL.createObjectURL(
        new Blob([coreSource, "\n;\n", workerSource], { type: "text/javascript" }));
      this.operation = null;
      this.onstate = () => {};
      // The measurement modes, [{extension, name}], once the core is ready.
      this.modes = null;
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
      this.worker.onmessage = (event) => this.receive(event.data);
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.fail(`the converter stopped: ${event.message || "an error in its worker"}`);
      };
    }

    receive(message) {
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
      if (this.operation) this.operation.receive(message);
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
          receive: (m) => receive(m, finish, fail),
          reject: fail,
          cancel: () => resolve(cancelled),
        };
        this.worker.postMessage(message);
      });
    }

    // jobs: [{id, file, name, lastModified}]. onStart(id) and
    // onResult(id, result) follow the worker; resolves true when every job
    // is done, false when cancelled.
    convert(jobs, onStart, onResult) {
      return this.run({ type: "convert", jobs }, (m, finish, reject) => {
        if (m.type === "start") onStart(m.id);
        else if (m.type === "converted") for (const r of m.results) onResult(r.id, r.result);
        else if (m.type === "done") finish(true);
        else if (m.type === "failed") reject(new Error(m.error));
      }, false);
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

    // Stops the worker at once, whatever it is doing; what it sent stays.
    // A new worker takes its place for what comes next.
    cancel() {
      const operation = this.operation;
      this.operation = null;
      this.worker.terminate();
      this.start();
      this.onstate();
      if (operation) operation.cancel();
    }
  }

  root.OrdelixCoreClient = CoreClient;
})(globalThis);
