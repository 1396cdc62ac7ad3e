// The conversion worker. It runs in one Blob after the converter core's
// script, which defines OrdelixCore; the page sends it File objects, and it
// alone reads their bytes, so that no file's size weighs on the page. The
// module's arrays are copies of its memory, not views: they go on to the
// page as they are.
"use strict";

let core = null;
let loading = null;

function load() {
  if (!loading) loading = OrdelixCore().then((module) => (core = module));
  return loading;
}

function messageOf(error) {
  return error && error.message ? error.message : String(error);
}

// A scan converted once the core is ready, while nobody waits for it: the
// browser compiles the module quickly and plainly at first, and well only
// the code that has run a while, so that without it the first file picked
// would convert a few times slower than the next.
function warmUp() {
  const points = 4000;
  const lines = ["7", "0", "1", "WARM-UP", "4", "1", "3.0", "0.0", "190", (190 + 0.2 * (points - 1)).toFixed(1),
                 "1", "0", String(points)];
  for (let i = 0; i < points; ++i) lines.push((0.05 + 0.5 * Math.sin(i / 50) ** 2 + (i % 7) / 1000).toFixed(4));
  core.convert("warm-up.WSC", new TextEncoder().encode(lines.join("\r\n") + "\r\n"), 0);
}

// The measurement modes go with the word that the core is ready: the page
// offers their extensions in its file dialog.
load().then(
  () => {
    postMessage({ type: "ready",
                  modes: Array.from(core.modes(), (m) => ({ extension: m.extension, name: m.name })) });
    try {
      warmUp();
    } catch (error) {
      restart();
    }
  },
  (error) => postMessage({ type: "load-failed", error: messageOf(error) }),
);

function readBytes(file) {
  return new Uint8Array(new FileReaderSync().readAsArrayBuffer(file));
}

// What goes to the page without a copy.
function sheetBuffers(sheet) {
  const { cells, charts } = sheet;
  return [cells.rows.buffer, cells.cols.buffer, cells.fonts.buffer, cells.values.numbers.buffer,
          ...charts.flatMap((chart) => [chart.categories.numbers.buffer, chart.values.numbers.buffer])];
}

const FAILED = { ok: false, reportName: null, jsonName: null, csvName: null, warnings: [], xlsx: null,
                 sheet: null, curve: null };

// After an abort the module is spent: a new one takes its place.
async function restart() {
  core = null;
  loading = null;
  await load();
}

// Jobs in groups of small files, whose bytes are read in one go: a read of
// a few megabytes costs the browser what a read of a few bytes does.
const GROUP_BYTES = 4 << 20;
const GROUP_FILES = 256;
function groupsOf(jobs) {
  const groups = [];
  for (let first = 0; first < jobs.length;) {
    let end = first + 1;
    let size = jobs[first].file.size;
    while (end < jobs.length && end - first < GROUP_FILES && size + jobs[end].file.size <= GROUP_BYTES)
      size += jobs[end++].file.size;
    groups.push(jobs.slice(first, end));
    first = end;
  }
  return groups;
}

// Resolves to each file's {bytes} or {error}: when the one read fails, a
// read of each file alone tells which.
function readGroup(jobs) {
  const files = jobs.map((job) => job.file);
  const alone = (file) => file.arrayBuffer().then((buffer) => ({ bytes: new Uint8Array(buffer) }),
                                                  (error) => ({ error }));
  return new Blob(files).arrayBuffer().then((buffer) => {
    let at = 0;
    return files.map((file) => ({ bytes: new Uint8Array(buffer, (at += file.size) - file.size, file.size) }));
  }, () => Promise.all(files.map(alone)));
}

async function convertOne(job, read) {
  if (read.error) return { ...FAILED, error: `the browser could not read the file (${read.error.name})` };
  const bytes = read.bytes;
  try {
    const r = core.convert(job.name, bytes, job.lastModified);
    return {
      ok: Boolean(r.ok),
      reportName: r.reportName || null,
      jsonName: r.jsonName || null,
      csvName: r.csvName || null,
      error: r.error || null,
      warnings: (r.warnings || []).map((w) => ({ line: w.line == null ? null : Number(w.line), text: String(w.text) })),
      xlsx: r.ok ? r.xlsx : null,
      sheet: r.ok ? r.sheet : null,
      curve: r.ok ? r.curve : null,
    };
  } catch (error) {
    await restart();
    return { ...FAILED, error: `the converter stopped: ${messageOf(error)}` };
  }
}

async function handle(message) {
  await load();
  if (message.type === "convert") {
    // Results go in batches of at most 40 ms: ten thousand small files would
    // otherwise flood the page with as many messages.
    let batch = [];
    let transfers = [];
    let posted = 0;
    const flush = () => {
      if (batch.length > 0) postMessage({ type: "converted", results: batch }, transfers);
      batch = [];
      transfers = [];
      posted = performance.now();
    };
    // The next group is read while this one converts.
    const groups = groupsOf(message.jobs);
    let reading = groups.length > 0 ? readGroup(groups[0]) : null;
    for (let g = 0; g < groups.length; ++g) {
      const reads = await reading;
      if (g + 1 < groups.length) reading = readGroup(groups[g + 1]);
      for (const [i, job] of groups[g].entries()) {
        if (performance.now() - posted > 40) {
          flush();
          postMessage({ type: "start", id: job.id });
        }
        const result = await convertOne(job, reads[i]);
        batch.push({ id: job.id, result });
        if (result.xlsx) transfers.push(result.xlsx.buffer);
        if (result.sheet) transfers.push(...sheetBuffers(result.sheet));
        if (result.curve) transfers.push(result.curve.xs.buffer, result.curve.ys.buffer);
      }
    }
    flush();
    postMessage({ type: "done" });
  } else if (message.type === "zip") {
    try {
      const zip = core.zipReports(message.names, message.reports);
      postMessage({ type: "zipped", bytes: zip }, [zip.buffer]);
    } catch (error) {
      await restart();
      postMessage({ type: "failed", error: messageOf(error) });
    }
  } else if (message.type === "data") {
    // The run's data of each file, as ordelix-convert --format json|csv
    // writes it; zipped under the names given when there are several.
    let refused = null;
    let bytes = null;
    try {
      const data = [];
      for (const entry of message.entries) {
        let file;
        try {
          file = readBytes(entry.file);
        } catch (error) {
          refused = `${entry.name}: the browser could not read the file (${error.name})`;
          break;
        }
        const r = core.runData(entry.name, file, entry.lastModified, message.format);
        if (!r.data) {
          refused = `${entry.name}: ${r.error}`;
          break;
        }
        data.push(r.data);
      }
      if (!refused) bytes = message.zipNames ? core.zipReports(message.zipNames, data) : data[0];
    } catch (error) {
      await restart();
      refused = messageOf(error);
    }
    if (refused) postMessage({ type: "failed", error: refused });
    else postMessage({ type: "data", bytes }, [bytes.buffer]);
  } else if (message.type === "export-files") {
    // Which of the names found in a folder the converter would take from it.
    postMessage({ type: "export-files", taken: message.names.map((name) => core.modeOf(name) !== null) });
  } else if (message.type === "combine") {
    try {
      const files = [];
      for (const entry of message.entries) files.push(readBytes(entry.file));
      const r = core.combine(message.entries.map((e) => e.name), files,
                             message.entries.map((e) => e.lastModified));
      const xlsx = r.xlsx || null;
      postMessage({ type: "combined", xlsx, error: r.error || null, sheetNames: r.sheetNames || [],
                    failed: (r.failed || []).map((f) => ({ name: f.name, error: f.error })) },
                  xlsx ? [xlsx.buffer] : []);
    } catch (error) {
      await restart();
      postMessage({ type: "failed", error: messageOf(error) });
    }
  }
}

let queue = Promise.resolve();
onmessage = (event) => {
  queue = queue.then(() => handle(event.data)).catch((error) =>
    postMessage({ type: "failed", error: messageOf(error) }));
};
