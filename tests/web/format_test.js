// Unit tests of the page's pure helpers: node --test tests/web/
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const f = require("../../web/format.js");

test("General format: 15 significant digits, trailing zeros gone", () => {
  assert.equal(f.generalNumber(0.1 + 0.2), "0.3"); // 0.30000000000000004
  assert.equal(f.generalNumber(1 / 3), "0.333333333333333");
  assert.equal(f.generalNumber(2 / 3), "0.666666666666667");
  assert.equal(f.generalNumber(123456789012345), "123456789012345");
  assert.equal(f.generalNumber(400), "400");
  assert.equal(f.generalNumber(400.5), "400.5");
  assert.equal(f.generalNumber(-2.5), "-2.5");
  assert.equal(f.generalNumber(0), "0");
  assert.equal(f.generalNumber(-0), "0");
});

test("General format: exponent form below 1E-04 and from 1E+15, after rounding", () => {
  assert.equal(f.generalNumber(0.0001), "0.0001");
  assert.equal(f.generalNumber(0.00012345), "0.00012345");
  assert.equal(f.generalNumber(0.00001), "1E-05");
  assert.equal(f.generalNumber(-1.5e-7), "-1.5E-07");
  assert.equal(f.generalNumber(1e15), "1E+15");
  assert.equal(f.generalNumber(1234567890123456), "1.23456789012346E+15");
  assert.equal(f.generalNumber(1e100), "1E+100");
  // Rounds up to 1E+15 at 15 digits, so takes the exponent form.
  assert.equal(f.generalNumber(999999999999999.9), "1E+15");
  // Rounds up to ten thousand: still plain.
  assert.equal(f.generalNumber(9999.9999999999999), "10000");
  assert.equal(f.generalNumber(0.000099999999999999999), "0.0001");
});

test("General format: the locale's decimal separator", () => {
  assert.equal(f.generalNumber(1.5, ","), "1,5");
  assert.equal(f.generalNumber(2.5e-6, ","), "2,5E-06");
  assert.equal(f.generalNumber(12, ","), "12");
});

test("column widths in pixels as a spreadsheet lays them out", () => {
  assert.equal(f.columnPixels(f.DEFAULT_COLUMN_CHARS), 64); // 59.01 + 0.5 -> 59, + 5
  assert.equal(f.columnPixels(22), 159);
  assert.equal(f.columnPixels(0), 5);
  assert.equal(f.columnPixels(13.5), 100); // 94.5 + 0.5 -> 95, + 5
});

test("column letters", () => {
  assert.deepEqual([1, 26, 27, 52, 53, 256, 702, 703].map(f.columnLetters),
                   ["A", "Z", "AA", "AZ", "BA", "IV", "ZZ", "AAA"]);
});

test("category labels: decimals the values need, at most six", () => {
  assert.equal(f.categoryDecimals([400, 401, 402]), 0);
  assert.equal(f.categoryDecimals([400, 400.5, 401]), 1);
  let x = 1;
  const stepped = [];
  for (let i = 0; i < 10; ++i, x += 0.1) stepped.push(x); // 1.9999999999999998 at the end
  assert.equal(f.categoryDecimals(stepped), 1);
  assert.equal(f.categoryDecimals([0.2, 0.25]), 2);
  assert.equal(f.categoryDecimals([Math.PI]), 6);
  assert.equal(f.categoryDecimals(["400", null]), 0);
  assert.equal(f.categoryDecimals(Float64Array.of(400, NaN, 400.5)), 1); // NaN: no number
});

test("category labels: spacing times 1, 2, 5, 10 ..., at most eight labels", () => {
  assert.equal(f.categoryLabelInterval(3, 10), 10); // one label
  assert.equal(f.categoryLabelInterval(80, 10), 10); // 8 labels
  assert.equal(f.categoryLabelInterval(81, 10), 20); // 9 at 10 -> 5 at 20
  assert.equal(f.categoryLabelInterval(161, 10), 50);
  assert.equal(f.categoryLabelInterval(401, 10), 100); // 5 at 100
  assert.equal(f.categoryLabelInterval(32000, 10), 5000); // 7 at 5000
  assert.equal(f.categoryLabelInterval(9, 0), 2); // spacing below 1 counts as 1
});

test("unique names: a repeat, in any case, gets (2), (3) before the extension", () => {
  assert.deepEqual(f.uniqueNames(["a.xlsx", "b.xlsx", "A.xlsx", "a.xlsx", "a (2).xlsx", "noext"]),
                   ["a.xlsx", "b.xlsx", "A (2).xlsx", "a (3).xlsx", "a (2) (2).xlsx", "noext"]);
});

test("a batch's downloads are named after its one folder, else the day", () => {
  const day = new Date(2026, 0, 5, 23, 59);
  assert.deepEqual(f.batchDownloadNames(["Run 7/a.PRO", "Run 7/day2/b.TM"], day),
                   { zip: "Run 7.zip", combined: "Run 7.xlsx" });
  // Picked by name, from two folders, or a folder and a file beside it.
  for (const paths of [["a.PRO", "b.PRO"], ["runs/a.PRO", "other/b.PRO"], ["runs/a.PRO", "runs.PRO"],
                       ["run/a.PRO", "runs/b.PRO"]])
    assert.deepEqual(f.batchDownloadNames(paths, day),
                     { zip: "reports 2026-01-05.zip", combined: "combined 2026-01-05.xlsx" }, paths.join());
});

test("a warning reads 'line N: TEXT', or the text alone without a line", () => {
  assert.equal(f.warningLine({ line: 13, text: "says 4 values; the file holds 3" }),
               "line 13: says 4 values; the file holds 3");
  assert.equal(f.warningLine({ line: null, text: "no line" }), "no line");
  assert.equal(f.warningLine({ line: 0, text: "zero" }), "line 0: zero");
});

test("the clock as the window shows it", () => {
  assert.equal(f.clockText(new Date(2026, 11, 8, 12, 22, 9), "12:22:09"), "2026/12/8  12:22:09");
});

test("packed values: a number, a text by its place, or null", () => {
  const packed = { numbers: Float64Array.of(1.5, NaN, NaN, -0, NaN), texts: { 1: "x", 4: "" } };
  assert.deepEqual([0, 1, 2, 3, 4].map((i) => f.packedValue(packed, i)), [1.5, "x", null, -0, ""]);
});
