// What a chart draws of a long series: each pixel column's lowest and
// highest point, the real points once a zoom leaves fewer than columns.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { columnExtremes } = require("../../web/column_extremes.js");

const series = (n, valueAt) => Array.from({ length: n }, (_, i) => valueAt(i));
const range = (first, last) => series(last - first + 1, (i) => first + i);

test("no more points than columns: every point, gaps too", () => {
  const values = [0.5, NaN, 0.25, 0.75];
  assert.deepEqual(columnExtremes(values, 0, 3, 600), { xs: [0, 1, 2, 3], ys: [0.5, null, 0.25, 0.75] });
});

test("each column keeps its lowest and highest point, in their order", () => {
  // A saw of 100 points a tooth; 10 columns of 100 points from 0 to 1000.
  const values = series(1000, (i) => i % 100);
  const drawn = columnExtremes(values, 0, 1000, 10);
  assert.deepEqual(drawn.xs, range(0, 9).flatMap((c) => [100 * c, 100 * c + 99]));
  assert.deepEqual(drawn.ys, range(0, 9).flatMap(() => [0, 99]));
  // Falling teeth: the highest comes first.
  const falling = columnExtremes(values.map((v) => -v), 0, 1000, 10);
  assert.deepEqual(falling.ys.slice(0, 4), [-0, -99, -0, -99]);
});

test("a spike one point wide stays, up and down", () => {
  const values = series(10000, () => 0);
  values[4321] = 5;
  values[4322] = -3;
  const drawn = columnExtremes(values, 0, 10000, 100);
  // A flat column is its first point; column 43 holds both spikes.
  const flat = range(0, 99).filter((c) => c !== 43).map((c) => 100 * c);
  assert.deepEqual(drawn.xs, [...flat.slice(0, 43), 4321, 4322, ...flat.slice(43)]);
  assert.equal(Math.max(...drawn.ys), 5);
  assert.equal(Math.min(...drawn.ys), -3);
});

test("a gap in a column stays as its first empty point, null as a plot takes it", () => {
  const values = series(1000, (i) => (i >= 500 && i < 510 ? NaN : i));
  const drawn = columnExtremes(values, 0, 1000, 10);
  assert.deepEqual(drawn.xs.slice(10, 13), [500, 510, 599]);
  assert.deepEqual(drawn.ys.slice(10, 13), [null, 510, 599]);
});

test("a zoom takes its columns from the points in view and one either side", () => {
  const values = series(32000, (i) => Math.sin(i) * 1000);
  // 2,000 points over 100 columns: 20 a column.
  const dense = columnExtremes(values, 1000, 3000, 100);
  assert.equal(dense.xs[0], 999);
  assert.equal(dense.xs[dense.xs.length - 1], 3001);
  for (let c = 0; c < 100; ++c) {
    const inColumn = range(1000 + 20 * c, 1019 + 20 * c);
    const drawn = dense.xs.filter((x) => x >= inColumn[0] && x <= inColumn[19]);
    const ys = inColumn.map((i) => values[i]);
    assert.deepEqual(drawn.map((x) => values[x]).sort((a, b) => a - b), [Math.min(...ys), Math.max(...ys)]);
  }
  // Fewer points in view than columns: the real ones, exactly.
  const close = columnExtremes(values, 2000.5, 2040.5, 600);
  assert.deepEqual(close.xs, range(2000, 2041));
  assert.deepEqual(close.ys, values.slice(2000, 2042));
});
