// What a plot can show of a long series: in each pixel column, its lowest
// and its highest point, so that a spike one point wide stays. Loaded as a
// script in the page, required as a module by node.
(function (root, factory) {
  const api = factory();
  if (typeof module === "object" && module.exports) module.exports = api;
  else root.OrdelixColumnExtremes = api;
})(globalThis, function () {
  "use strict";

  // values: numbers, NaN for a gap, plotted at x = their index. In view:
  // x from `from` to `to`, across `columns` pixel columns. Answers the
  // points to draw, in order, as {xs, ys}: every point in view when there
  // are no more of them than columns, else each column's lowest and highest
  // and its first gap; and the point either side of the view, so that the
  // line runs on to its edges; a gap as null, as a plot takes it.
  function columnExtremes(values, from, to, columns) {
    const first = Math.max(0, Math.ceil(from) - 1);
    const last = Math.min(values.length - 1, Math.floor(to) + 1);
    const xs = [];
    const ys = [];
    if (last - first + 1 <= columns + 2) {
      for (let i = first; i <= last; ++i) {
        xs.push(i);
        ys.push(Number.isNaN(values[i]) ? null : values[i]);
      }
      return { xs, ys };
    }
    const perColumn = columns / (to - from);
    let column = null;
    let low = -1;
    let high = -1;
    let gap = -1;
    const flush = () => {
      // Up to three points of one column, in their order.
      const taken = [low, high, gap].filter((i, k, all) => i >= 0 && all.indexOf(i) === k);
      taken.sort((a, b) => a - b);
      for (const i of taken) {
        xs.push(i);
        ys.push(i === gap ? null : values[i]);
      }
    };
    for (let i = first; i <= last; ++i) {
      // The points beyond the view stand alone, in columns of their own.
      const at = Math.min(Math.max(Math.floor((i - from) * perColumn), -1), columns);
      if (at !== column) {
        if (column !== null) flush();
        column = at;
        low = high = gap = -1;
      }
      const v = values[i];
      if (Number.isNaN(v)) {
        if (gap < 0) gap = i;
      } else {
        if (low < 0 || v < values[low]) low = i;
        if (high < 0 || v > values[high]) high = i;
      }
    }
    flush();
    return { xs, ys };
  }

  return { columnExtremes };
});
