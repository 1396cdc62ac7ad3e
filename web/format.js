// Pure helpers shared by the page and its unit tests (loaded as a script in
// the page, required as a module by node).
(function (root, factory) {
  const api = factory();
  if (typeof module === "object" && module.exports) module.exports = api;
  else root.OrdelixFormat = api;
})(globalThis, function () {
  "use strict";

  function stripFractionZeros(text) {
    if (!text.includes(".")) return text;
    return text.replace(/0+$/, "").replace(/\.$/, "");
  }

  // A number as a spreadsheet's General format shows it: 15 significant
  // digits, exponent form (two-digit exponent at least) outside 1E-05..1E+15,
  // as C's %.15g decides after rounding.
  function generalNumber(value, decimalSeparator = ".") {
    if (!Number.isFinite(value)) return String(value);
    if (value === 0) return "0";
    const [mantissa, exponentText] = value.toExponential(14).split("e");
    const exponent = Number(exponentText);
    let text;
    if (exponent < -4 || exponent >= 15) {
      const digits = String(Math.abs(exponent)).padStart(2, "0");
      text = stripFractionZeros(mantissa) + "E" + (exponent < 0 ? "-" : "+") + digits;
    } else {
      text = stripFractionZeros(value.toFixed(14 - exponent));
    }
    return decimalSeparator === "." ? text : text.replace(".", decimalSeparator);
  }

  // Pixels of a column `chars` wide, as a spreadsheet lays it out at Calibri 11.
  function columnPixels(chars) {
    return Math.floor(chars * 7 + 0.5) + 5;
  }

  const DEFAULT_COLUMN_CHARS = 8.43;

  function columnLetters(col) {
    let letters = "";
    for (let n = col; n > 0; n = Math.floor((n - 1) / 26))
      letters = String.fromCharCode(65 + ((n - 1) % 26)) + letters;
    return letters;
  }

  // Decimals the category labels need, up to six: a value stepped by 0.1
  // shows as 2.0, not as 1.9999999999999998.
  function categoryDecimals(values) {
    let most = 0;
    for (const value of values) {
      if (typeof value !== "number" || Number.isNaN(value)) continue;
      let scaled = value;
      let decimals = 0;
      for (; decimals < 6; ++decimals, scaled *= 10)
        if (Math.abs(scaled - Math.round(scaled)) <= 1e-9 * Math.max(1, Math.abs(scaled))) break;
      most = Math.max(most, decimals);
    }
    return most;
  }

  // A value of those the converter core packs (app/web/cells.js): a
  // number, a text or null.
  function packedValue(packed, i) {
    const number = packed.numbers[i];
    return Number.isNaN(number) ? (packed.texts[i] ?? null) : number;
  }

  // Categories from one label to the next: the tick-mark spacing times 1, 2,
  // 5, 10, 20 ..., the least that leaves at most eight labels.
  function categoryLabelInterval(count, tickMarkSpacing) {
    const spacing = Math.max(tickMarkSpacing, 1);
    for (let decade = spacing; ; decade *= 10)
      for (const factor of [1, 2, 5]) {
        const interval = decade * factor;
        if (Math.ceil(count / interval) <= 8) return interval;
      }
  }

  // Names made unique by " (2)", " (3)" ... before the extension, in order.
  function uniqueNames(names) {
    const taken = new Set();
    return names.map((name) => {
      const dot = name.lastIndexOf(".");
      const stem = dot > 0 ? name.slice(0, dot) : name;
      const ext = dot > 0 ? name.slice(dot) : "";
      let candidate = name;
      for (let n = 2; taken.has(candidate.toLowerCase()); ++n) candidate = `${stem} (${n})${ext}`;
      taken.add(candidate.toLowerCase());
      return candidate;
    });
  }

  // The names of a batch's zip and combined workbook: after the one folder
  // its files came from, or the day's date when they came from several
  // places (or from a pick by name, which tells no folder).
  function batchDownloadNames(paths, date) {
    const slash = paths.length > 0 ? paths[0].indexOf("/") : -1;
    const folder = slash > 0 ? paths[0].slice(0, slash + 1) : null;
    if (folder && paths.every((path) => path.startsWith(folder))) {
      const name = folder.slice(0, -1);
      return { zip: `${name}.zip`, combined: `${name}.xlsx` };
    }
    const two = (n) => String(n).padStart(2, "0");
    const day = `${date.getFullYear()}-${two(date.getMonth() + 1)}-${two(date.getDate())}`;
    return { zip: `reports ${day}.zip`, combined: `combined ${day}.xlsx` };
  }

  function warningLine(warning) {
    return warning.line == null ? warning.text : `line ${warning.line}: ${warning.text}`;
  }

  // The window's clock: year/month/day, two spaces, the time with seconds.
  function clockText(date, timeText) {
    return `${date.getFullYear()}/${date.getMonth() + 1}/${date.getDate()}  ${timeText}`;
  }

  return {
    generalNumber,
    columnPixels,
    DEFAULT_COLUMN_CHARS,
    columnLetters,
    categoryDecimals,
    categoryLabelInterval,
    packedValue,
    uniqueNames,
    batchDownloadNames,
    warningLine,
    clockText,
  };
});
