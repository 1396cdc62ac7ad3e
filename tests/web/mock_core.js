// TEST DOUBLE of the converter core's module, never shipped: the page's
// tests bundle it in the core's place to check the page on its own. Its
// reports are not the converter's; its file format is its own:
//   a line "MOCK-REFUSE reason" first: no report, the reason as the error;
//   "MOCK-WARN text": a warning on that line;
//   "MOCK-SLOW ms": the conversion takes that long;
//   "MOCK-THROW": the conversion throws, as an aborted module does;
//   any other line: a value of the data table (numbers plotted).
// Its workbook is a text naming the file, its time and its value count, its
// data (runData) a text naming the format, the file and its value count; its zip is a real one, stored.
// Its modes are the converter's extensions, named by its own words; a name
// calls for one as the core's does (".PRO", a hidden file, calls for none).
var OrdelixCore = function () {
  "use strict";
  const EXTENSIONS = ["PRO", "NUC", "CON", "PHT", "OD", "TSC", "TM", "WSC"];
  const modes = () => EXTENSIONS.map((extension) => ({ extension, name: `mock ${extension}` }));
  function modeOf(path) {
    const name = path.slice(path.lastIndexOf("/") + 1);
    const dot = name.lastIndexOf(".");
    const ext = dot <= 0 ? "" : name.slice(dot + 1).toUpperCase();
    return EXTENSIONS.includes(ext) ? { extension: ext, name: `mock ${ext}` } : null;
  }
  const encoder = new TextEncoder();

  function dateText(ms) {
    const d = new Date(ms);
    return `${d.getFullYear()}/${d.getMonth() + 1}/${d.getDate()} ` +
      `${d.getHours()}:${String(d.getMinutes()).padStart(2, "0")}:${String(d.getSeconds()).padStart(2, "0")}`;
  }

  // The first 40,000 lines, as Latin-1; a huge file is not read further.
  function linesOf(bytes) {
    const lines = [];
    let start = 0;
    for (let i = 0; i <= bytes.length && lines.length < 40000; ++i) {
      if (i === bytes.length || bytes[i] === 10) {
        let end = i;
        if (end > start && bytes[end - 1] === 13) --end;
        if (i < bytes.length || end > start) lines.push(String.fromCharCode.apply(null, bytes.subarray(start, Math.min(end, start + 200))));
        start = i + 1;
      }
    }
    return lines;
  }

  const bold = { size: 12, bold: true, italic: false };
  const plain = { size: 12, bold: false, italic: false };
  const LAYOUT = {
    TSC: { row: 14, x: 1, y: 4, heads: 12, xName: "Data(s)", yName: "Value", x0: 0, step: 2.5, curve: "Kinetics" },
    TM: { row: 16, x: 3, y: 6, heads: 15, xName: "C", yName: "OD", x0: 20, step: 0.5, curve: "Melting curve" },
    other: { row: 16, x: 3, y: 6, heads: 15, xName: "WL(nm)", yName: "OD", x0: 400, step: 1, curve: null },
  };

  // Values and cells in columns, as the core's cells.js packs them.
  function packed(values) {
    const numbers = new Float64Array(values.length).fill(NaN);
    const texts = {};
    values.forEach((value, i) => {
      if (typeof value === "number") numbers[i] = value;
      else if (value !== null) texts[i] = value;
    });
    return { numbers, texts };
  }
  function columns(cells) {
    const fontList = [plain, bold];
    return {
      rows: Int32Array.from(cells, (c) => c.row),
      cols: Int32Array.from(cells, (c) => c.col),
      fonts: Int32Array.from(cells, (c) => fontList.indexOf(c.font)),
      fontList,
      kinds: cells.map((c) => c.kind).join(""),
      values: packed(cells.map((c) => c.value)),
    };
  }

  function convert(name, bytes, lastModifiedMs) {
    const dot = name.lastIndexOf(".");
    const stem = dot <= 0 ? name : name.slice(0, dot);
    const result = { ok: false, reportName: stem + ".xlsx", jsonName: stem + ".json", csvName: stem + ".csv",
                     error: null, warnings: [], xlsx: null, sheet: null, curve: null };
    const mode = modeOf(name);
    if (!mode) {
      result.error = "MOCK: the name names no measurement mode";
      return result;
    }
    const ext = mode.extension;
    const lines = linesOf(bytes);
    if (lines.length > 0 && lines[0].startsWith("MOCK-REFUSE ")) {
      result.error = lines[0].slice("MOCK-REFUSE ".length);
      return result;
    }
    const values = [];
    lines.forEach((line, i) => {
      if (line.startsWith("MOCK-WARN ")) result.warnings.push({ line: i + 1, text: line.slice(10) });
      else if (line === "MOCK-THROW") throw new Error("RuntimeError: unreachable");
      else if (line.startsWith("MOCK-SLOW ")) {
        const until = Date.now() + Number(line.slice(10));
        while (Date.now() < until);
      } else if (line !== "") values.push(line);
    });
    const layout = LAYOUT[ext] || LAYOUT.other;
    const cells = [
      { row: 1, col: 1, kind: "s", value: "Method                     ", font: bold },
      { row: 1, col: 4, kind: "s", value: `MOCK ${ext}`, font: null },
      { row: 2, col: 1, kind: "s", value: "Time & Date                ", font: bold },
      { row: 2, col: 4, kind: "d", value: dateText(lastModifiedMs), font: plain },
      { row: layout.heads, col: 1, kind: "s", value: layout.xName + "    ", font: bold },
      { row: layout.heads, col: 4, kind: "s", value: layout.yName + "    ", font: bold },
    ];
    const categories = [];
    const plotted = [];
    const curve = { title: layout.curve, xTitle: layout.xName, yTitle: layout.yName, xs: [], ys: [] };
    values.slice(0, 32000).forEach((text, i) => {
      const x = layout.x0 + i * layout.step;
      const y = Number(text);
      const row = layout.row + i;
      cells.push({ row, col: layout.x, kind: "n", value: x, font: null });
      cells.push(Number.isFinite(y) && text.trim() !== ""
        ? { row, col: layout.y, kind: "n", value: y, font: null }
        : { row, col: layout.y, kind: "s", value: text, font: null });
      categories.push(x);
      plotted.push(Number.isFinite(y) ? y : text);
      if (Number.isFinite(y) && text.trim() !== "") {
        curve.xs.push(x);
        curve.ys.push(y);
      }
    });
    const lastRow = cells.reduce((m, c) => Math.max(m, c.row), 0);
    result.sheet = {
      lastRow,
      lastCol: 6,
      cells: columns(cells),
      merges: [[2, 4, 2, 5]],
      leftColumns: Array.from({ length: 26 }, (_, i) => i + 1),
      widths: [{ col: 4, chars: 13.57 }],
      charts: ext === "WSC" ? [{
        left: 350, top: 0, width: 350, height: 250, title: "WL Scan", seriesName: "OD    ",
        categoryAxisTitle: "WL(nm)   ", valueAxisTitle: "OD    ", categories: packed(categories),
        values: packed(plotted),
        tickMarkSpacing: 10,
      }] : [],
    };
    if (layout.curve) result.curve = { ...curve, xs: new Float64Array(curve.xs), ys: new Float64Array(curve.ys) };
    result.ok = true;
    result.xlsx = encoder.encode(`MOCK-XLSX\nname=${name}\nmodified=${lastModifiedMs}\n` +
                                 `date=${dateText(lastModifiedMs)}\nvalues=${values.length}\n`);
    return result;
  }

  function runData(name, bytes, lastModifiedMs, format) {
    if (format !== "json" && format !== "csv") throw new Error(`runData: ${format} is neither json nor csv`);
    const r = convert(name, bytes, lastModifiedMs);
    if (!r.ok) return { data: null, error: r.error };
    const values = new TextDecoder().decode(r.xlsx).match(/values=(\d+)/)[1];
    return { data: encoder.encode(`MOCK-${format.toUpperCase()}\nname=${name}\nvalues=${values}\n`), error: null };
  }

  function combine(names, files, lastModifiedMs) {
    const failed = [];
    const sheetNames = [];
    names.forEach((name, i) => {
      const r = convert(name, files[i], lastModifiedMs[i]);
      if (r.ok) sheetNames.push(name);
      else failed.push({ name, error: r.error });
    });
    if (sheetNames.length === 0) return { xlsx: null, error: "MOCK: no file gave a report", sheetNames, failed };
    return { xlsx: encoder.encode(`MOCK-COMBINED\n${sheetNames.join("\n")}\n`), error: null, sheetNames, failed };
  }

  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  }

  function zipReports(names, files) {
    const parts = [];
    const central = [];
    let offset = 0;
    names.forEach((name, i) => {
      const nameBytes = encoder.encode(name);
      const data = files[i];
      const header = new DataView(new ArrayBuffer(30));
      const crc = crc32(data);
      header.setUint32(0, 0x04034b50, true);
      header.setUint16(4, 20, true);
      header.setUint16(6, 0x0800, true); // UTF-8 names
      header.setUint32(14, crc, true);
      header.setUint32(18, data.length, true);
      header.setUint32(22, data.length, true);
      header.setUint16(26, nameBytes.length, true);
      const entry = new DataView(new ArrayBuffer(46));
      entry.setUint32(0, 0x02014b50, true);
      entry.setUint16(4, 20, true);
      entry.setUint16(6, 20, true);
      entry.setUint16(8, 0x0800, true);
      entry.setUint32(16, crc, true);
      entry.setUint32(20, data.length, true);
      entry.setUint32(24, data.length, true);
      entry.setUint16(28, nameBytes.length, true);
      entry.setUint32(42, offset, true);
      parts.push(new Uint8Array(header.buffer), nameBytes, data);
      central.push(new Uint8Array(entry.buffer), nameBytes);
      offset += 30 + nameBytes.length + data.length;
    });
    const centralSize = central.reduce((n, p) => n + p.length, 0);
    const end = new DataView(new ArrayBuffer(22));
    end.setUint32(0, 0x06054b50, true);
    end.setUint16(8, names.length, true);
    end.setUint16(10, names.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    const all = parts.concat(central, [new Uint8Array(end.buffer)]);
    const out = new Uint8Array(all.reduce((n, p) => n + p.length, 0));
    let at = 0;
    for (const p of all) {
      out.set(p, at);
      at += p.length;
    }
    return out;
  }

  return Promise.resolve({ convert, runData, combine, zipReports, modes, modeOf, isTestDouble: true });
};
