// What a pick or a drop brings: files named one by one are all taken (the
// converter says why one gives no report), those it takes for no export file
// counted as `others`; a folder gives the files in it and
// its subfolders that the converter takes for export files, by path, hidden
// ones passed over, as the converter takes a folder. Which those are, the
// converter says: `exportFiles(paths)` resolves to a true or false for each.
(function (root) {
  "use strict";

  function byPath(a, b) {
    return a.path < b.path ? -1 : a.path > b.path ? 1 : 0;
  }

  function hidden(path) {
    return path.split("/").some((part) => part.startsWith("."));
  }

  // Files of a folder, as [{file, path}], sorted, with the count of others.
  async function folderFiles(found, exportFiles) {
    const shown = found.filter((item) => !hidden(item.path));
    const taken = shown.length > 0 ? await exportFiles(shown.map((item) => item.path)) : [];
    const files = shown.filter((item, i) => taken[i]);
    files.sort(byPath);
    return { files, skipped: shown.length - files.length };
  }

  // Files named one by one, as [{file, path}]: how many are no export files.
  async function othersAmong(named, exportFiles) {
    const taken = named.length > 0 ? await exportFiles(named.map((item) => item.path)) : [];
    return taken.filter((t) => !t).length;
  }

  // From <input type=file multiple>: every file named.
  async function fromInput(fileList, exportFiles) {
    const files = Array.from(fileList, (file) => ({ file, path: file.name }));
    return { files, skipped: 0, others: await othersAmong(files, exportFiles), problems: [] };
  }

  // From <input type=file webkitdirectory>: one folder's files.
  async function fromFolderInput(fileList, exportFiles) {
    const found = Array.from(fileList, (file) => ({ file, path: file.webkitRelativePath || file.name }));
    return { ...(await folderFiles(found, exportFiles)), others: 0, problems: [] };
  }

  function readAllEntries(reader) {
    return new Promise((resolve, reject) => {
      const all = [];
      const next = () => reader.readEntries((batch) => {
        if (batch.length === 0) resolve(all);
        else {
          all.push(...batch);
          next();
        }
      }, reject);
      next();
    });
  }

  function fileOf(entry) {
    return new Promise((resolve, reject) => entry.file(resolve, reject));
  }

  async function walk(directory, found, problems) {
    let children;
    try {
      children = await readAllEntries(directory.createReader());
    } catch (error) {
      problems.push(`${directory.fullPath.replace(/^\//, "")}: the folder could not be read (${error.name})`);
      return;
    }
    for (const child of children) {
      if (child.name.startsWith(".")) continue;
      if (child.isDirectory) await walk(child, found, problems);
      else if (child.isFile) {
        try {
          found.push({ file: await fileOf(child), path: child.fullPath.replace(/^\//, "") });
        } catch (error) {
          problems.push(`${child.fullPath.replace(/^\//, "")}: the file could not be read (${error.name})`);
        }
      }
    }
  }

  // The entries must be taken while the drop event lasts; they are walked after.
  function dropEntries(dataTransfer) {
    const items = Array.from(dataTransfer.items || []).filter((item) => item.kind === "file");
    const entries = items.map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null));
    if (entries.length > 0 && entries.every(Boolean)) return { entries };
    return { files: Array.from(dataTransfer.files || []) };
  }

  async function fromDrop(taken, exportFiles) {
    if (taken.files) return fromInput(taken.files, exportFiles);
    const named = [];
    const inFolders = [];
    const problems = [];
    for (const entry of taken.entries) {
      if (entry.isDirectory) await walk(entry, inFolders, problems);
      else if (entry.isFile) {
        try {
          named.push({ file: await fileOf(entry), path: entry.name });
        } catch (error) {
          problems.push(`${entry.name}: the file could not be read (${error.name})`);
        }
      }
    }
    const folder = await folderFiles(inFolders, exportFiles);
    return { files: named.concat(folder.files), skipped: folder.skipped,
             others: await othersAmong(named, exportFiles), problems,
             folders: taken.entries.filter((e) => e.isDirectory).map((e) => e.name) };
  }

  root.OrdelixPicking = { fromInput, fromFolderInput, dropEntries, fromDrop };
})(globalThis);
