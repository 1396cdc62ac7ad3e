// Calls the module as a page's worker does, for check_web.py. Reads a JSON
// list of calls on standard input, export files named by path:
//   {"op": "convert", "name", "path", "lastModifiedMs"}
//   {"op": "combine", "names", "paths", "lastModifiedMs"}
//   {"op": "zipReports", "names", "paths"}
//   {"op": "runData", "name", "path", "lastModifiedMs", "format"}
//   {"op": "modes"}, {"op": "modeOf", "name"}
// and writes the list of their outcomes, {"result": ...} or {"thrown": its
// message}, as JSON on standard output, each Uint8Array as {"base64": ...}.
//
// Usage: node core_driver.mjs ORDELIX_CORE_JS < calls.json

import fs from 'node:fs';
import vm from 'node:vm';

// The module runs as a worker's script: importScripts and self are there,
// Node's globals are not. Without fetch, it decodes its WebAssembly itself,
// as it does where a page's fetch of it fails.
const worker = vm.createContext({
  importScripts() {},
  self: { location: { href: 'blob:ordelix-page/worker' } },
  WebAssembly, TextDecoder, Uint8Array, Float64Array, console, performance, atob, setTimeout, clearTimeout,
});
vm.runInContext(fs.readFileSync(process.argv[2], 'utf8'), worker);
const core = await worker.OrdelixCore();

const read = (path) => new Uint8Array(fs.readFileSync(path));
const calls = {
  convert: (c) => core.convert(c.name, read(c.path), c.lastModifiedMs),
  combine: (c) => core.combine(c.names, c.paths.map(read), c.lastModifiedMs),
  zipReports: (c) => core.zipReports(c.names, c.paths.map(read)),
  runData: (c) => core.runData(c.name, read(c.path), c.lastModifiedMs, c.format),
  modes: () => core.modes(),
  modeOf: (c) => core.modeOf(c.name),
};

const outcomes = JSON.parse(fs.readFileSync(0, 'utf8')).map((call) => {
  try {
    return { result: calls[call.op](call) };
  } catch (e) {
    return { thrown: e?.message ?? String(e) };
  }
});
// Bytes as base64, other typed arrays as lists (NaN as null).
const bytesAsBase64 = (key, value) =>
  value instanceof Uint8Array ? { base64: Buffer.from(value).toString('base64') }
    : ArrayBuffer.isView(value) ? Array.from(value) : value;
process.stdout.write(JSON.stringify(outcomes, bytesAsBase64));
