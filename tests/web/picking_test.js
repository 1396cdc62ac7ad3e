// Unit tests of what a pick or a drop brings, with stand-ins for the
// browser's File and FileSystemEntry objects.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
require("../../web/picking.js");
const P = globalThis.OrdelixPicking;

// The converter's word on which names are export files, standing in for the
// module's: these names are, all others not. It keeps the paths it was asked.
const EXPORT_FILES = new Set(["b.PRO", "a.wsc", "z.Tm", "y.OD", "c.PRO", ".hidden.PRO", "b.TSC", "a.CON", "b.NUC", "ok.OD"]);
function converter() {
  const asked = [];
  const exportFiles = async (paths) => {
    asked.push(...paths);
    return paths.map((path) => EXPORT_FILES.has(path.slice(path.lastIndexOf("/") + 1)));
  };
  return { asked, exportFiles };
}

function file(name) {
  return { name, stand_in: true };
}

// A folder whose reader hands out its entries two at a time, as browsers
// hand out a long folder in batches.
function folder(name, children, path = "/" + name) {
  const entry = { name, fullPath: path, isDirectory: true, isFile: false };
  const made = children.map((c) => (typeof c === "string" ? fileEntry(c, `${path}/${c}`) : c(path)));
  entry.createReader = () => {
    let at = 0;
    return { readEntries: (ok) => setTimeout(() => { ok(made.slice(at, at + 2)); at += 2; }, 0) };
  };
  return entry;
}
const sub = (name, children) => (parent) => folder(name, children, `${parent}/${name}`);

function fileEntry(name, path = "/" + name) {
  return { name, fullPath: path, isDirectory: false, isFile: true, file: (ok) => ok(file(name)) };
}

test("a folder gives the files the converter takes in it and its subfolders, by path", async () => {
  const dropped = folder("run", [
    "b.PRO", "notes.txt", "a.wsc", ".hidden.PRO",
    sub("day2", ["z.Tm", "y.OD", "x.APRO"]),
    sub(".cache", ["c.PRO"]),
    "REPRO",
  ]);
  const { asked, exportFiles } = converter();
  const picked = await P.fromDrop({ entries: [dropped] }, exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["run/a.wsc", "run/b.PRO", "run/day2/y.OD", "run/day2/z.Tm"]);
  assert.equal(picked.skipped, 3); // notes.txt, x.APRO, REPRO
  assert.deepEqual(picked.folders, ["run"]);
  assert.deepEqual(picked.problems, []);
  // Hidden ones are passed over unasked.
  assert.deepEqual(asked.sort(), ["run/REPRO", "run/a.wsc", "run/b.PRO", "run/day2/x.APRO", "run/day2/y.OD",
                                  "run/day2/z.Tm", "run/notes.txt"]);
});

test("files dropped by name come first and are all taken; a folder of none gives none", async () => {
  const picked = await P.fromDrop({ entries: [fileEntry("notes.txt"), folder("empty", ["readme.md"]), fileEntry("b.NUC")] },
                                  converter().exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["notes.txt", "b.NUC"]);
  assert.equal(picked.skipped, 1);
  assert.equal(picked.others, 1); // notes.txt, tried all the same
});

test("files picked by name are all taken, those of no mode counted apart", async () => {
  const { asked, exportFiles } = converter();
  const picked = await P.fromInput([file("notes.txt"), file("b.PRO"), file("REPRO"), file("a.wsc")], exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["notes.txt", "b.PRO", "REPRO", "a.wsc"]);
  assert.deepEqual([picked.others, picked.skipped], [2, 0]);
  assert.deepEqual(asked, ["notes.txt", "b.PRO", "REPRO", "a.wsc"]);
});

test("a file or folder that cannot be read is named, the rest still taken", async () => {
  const bad = { name: "gone.PRO", fullPath: "/gone.PRO", isDirectory: false, isFile: true,
                file: (ok, fail) => fail({ name: "NotFoundError" }) };
  const locked = { name: "locked", fullPath: "/locked", isDirectory: true, isFile: false,
                   createReader: () => ({ readEntries: (ok, fail) => fail({ name: "SecurityError" }) }) };
  const picked = await P.fromDrop({ entries: [bad, locked, fileEntry("ok.OD")] }, converter().exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["ok.OD"]);
  assert.deepEqual(picked.problems, ["gone.PRO: the file could not be read (NotFoundError)",
                                     "locked: the folder could not be read (SecurityError)"]);
});

test("a folder picked in the dialog: its relative paths, filtered and sorted alike", async () => {
  const list = [
    { name: "b.TSC", webkitRelativePath: "runs/b.TSC" },
    { name: "a.txt", webkitRelativePath: "runs/a.txt" },
    { name: "a.CON", webkitRelativePath: "runs/x/a.CON" },
    { name: "c.PRO", webkitRelativePath: "runs/.git/c.PRO" },
  ];
  const picked = await P.fromFolderInput(list, converter().exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["runs/b.TSC", "runs/x/a.CON"]);
  assert.equal(picked.skipped, 1);
});

test("a drop without entries falls back to its files, all taken", async () => {
  const taken = P.dropEntries({ items: [], files: [file("a.txt"), file("b.PRO")] });
  const { asked, exportFiles } = converter();
  const picked = await P.fromDrop(taken, exportFiles);
  assert.deepEqual(picked.files.map((f) => f.path), ["a.txt", "b.PRO"]);
  assert.equal(picked.others, 1);
  assert.deepEqual(asked, ["a.txt", "b.PRO"]);
});

test("a folder of hidden files alone asks the converter nothing", async () => {
  const { asked, exportFiles } = converter();
  const picked = await P.fromDrop({ entries: [folder("run", [".a.PRO", sub(".git", ["c.PRO"])])] }, exportFiles);
  assert.deepEqual([picked.files, picked.skipped, asked], [[], 0, []]);
});

test("the converter's failure to answer is the pick's", async () => {
  const failing = async () => { throw new Error("the converter could not start"); };
  await assert.rejects(P.fromFolderInput([{ name: "a.PRO", webkitRelativePath: "r/a.PRO" }], failing),
                       /could not start/);
});
