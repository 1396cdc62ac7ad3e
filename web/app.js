// The page: picks export files, converts them in the worker, shows each
// report as its sheet and saves the workbooks.
(function (root) {
  "use strict";
  const F = root.OrdelixFormat;
  const $ = (id) => document.getElementById(id);

  const decimalSeparator = (() => {
    try {
      const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === "decimal");
      return part ? part.value : ".";
    } catch (error) {
      return ".";
    }
  })();
  const timeZone = (() => {
    try {
      return Intl.DateTimeFormat().resolvedOptions().timeZone || "";
    } catch (error) {
      return "";
    }
  })();
  const DATE_NOTE = "the export file's last-modified time, in this browser's time zone" +
    (timeZone ? ` (${timeZone})` : "");
  // What each report format is saved as, and the name of its file in a result.
  const FORMATS = {
    xlsx: { type: "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", name: "reportName" },
    json: { type: "application/json", name: "jsonName" },
    csv: { type: "text/csv", name: "csvName" },
  };

  const client = new root.OrdelixCoreClient(root.ORDELIX_CORE_SOURCE, root.ORDELIX_WORKER_SOURCE);
  let entries = [];
  let selected = -1;
  let busy = false;

  // --- the core's state ----------------------------------------------------

  // Moments for the benchmark, in performance.now() milliseconds.
  const times = (root.ordelixTimes = { ui: 0, core: 0, picked: 0 });

  function showCoreState() {
    const state = client.loadError ? "failed" : client.ready ? "ready" : "loading";
    if (state === "ready" && !times.core) times.core = performance.now();
    // The file dialog offers the files the core has a mode for, and the
    // guide names them.
    if (client.modes) {
      const extensions = client.modes.map((m) => `.${m.extension}`);
      $("file-input").accept = extensions.join(",");
      $("guide-extensions").textContent = ` (${extensions.join(" ")})`;
    }
    document.documentElement.dataset.core = state;
    $("core-state").textContent = state === "failed"
      ? `The converter could not start: ${client.loadError}` : "";
  }
  client.onstate = showCoreState;

  // --- progress and summary -----------------------------------------------

  const progress = { total: 0, done: 0, failed: 0, current: "", label: "", scheduled: false };

  function drawProgress() {
    progress.scheduled = false;
    const bar = $("progress-bar");
    if (progress.label) {
      bar.removeAttribute("value");
      $("progress-text").textContent = progress.label;
      return;
    }
    bar.max = Math.max(progress.total, 1);
    bar.value = progress.done;
    $("progress-text").textContent =
      `${progress.done} of ${progress.total} done, ${progress.failed} failed\n${progress.current}`;
  }

  function scheduleProgress() {
    if (!progress.scheduled) {
      progress.scheduled = true;
      requestAnimationFrame(drawProgress);
    }
  }

  function setBusy(on, label = "") {
    busy = on;
    progress.label = label;
    $("progress").hidden = !on;
    $("cancel").disabled = !on;
    for (const id of ["browse", "browse-folder", "download-zip", "zip-format", "download-combined"])
      $(id).disabled = on;
    // The data is written by the converter when asked for: not while it is busy.
    for (const button of document.querySelectorAll("#report button.download.data")) button.disabled = on;
    document.documentElement.dataset.busy = on ? "true" : "false";
    if (on) drawProgress();
  }

  function message(text) {
    $("message").textContent = text;
  }

  function plural(count, one, many) {
    return count === 1 ? `1 ${one}` : `${count} ${many}`;
  }

  function showSummary() {
    const converted = entries.filter((e) => e.state === "done").length;
    const failed = entries.filter((e) => e.state === "failed").length;
    const warned = entries.filter((e) => e.state === "done" && e.result.warnings.length > 0).length;
    const left = entries.filter((e) => e.state === "cancelled").length;
    let text = `${converted} converted, ${failed} failed, ${warned} with warnings`;
    if (left > 0) text += `\nCancelled: ${plural(left, "file", "files")} left unconverted`;
    $("summary").textContent = text;
    $("batch").hidden = entries.length < 2;
    $("download-zip").disabled = converted === 0;
    $("zip-format").disabled = converted === 0;
    $("download-combined").disabled = converted === 0;
  }

  // --- the list of files ----------------------------------------------------
  // A listbox of which only the items in view are in the document, the list
  // itself keeping the focus and pointing at the chosen item: ten thousand
  // files cost what forty do.

  const ITEM_PX = 40;
  const LIST_OVERSCAN = 20;
  const list = { first: 0, last: 0, scheduled: false };

  function stateText(entry) {
    switch (entry.state) {
      case "waiting": return "waiting";
      case "converting": return "converting";
      case "cancelled": return "not converted: cancelled";
      case "failed": return "no report";
      default: {
        const n = entry.result.warnings.length;
        return n === 0 ? "converted" : `converted, ${plural(n, "warning", "warnings")}`;
      }
    }
  }

  function escapeHtml(text) {
    return text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
  }

  function itemHtml(i) {
    const e = entries[i];
    const path = escapeHtml(e.path);
    return `<li id="file-${i}" role="option" class="file-item ${e.state}" data-id="${i}" ` +
      `aria-selected="${i === selected}" aria-posinset="${i + 1}" aria-setsize="${entries.length}">` +
      `<span class="file-name" title="${path}">${path}</span>` +
      `<span class="file-state">${stateText(e)}</span></li>`;
  }

  // Items already there are changed in place, so that a click in progress
  // finds the item it began on.
  function drawList() {
    list.scheduled = false;
    const ul = $("file-list");
    const scroller = $("file-scroll");
    const view = Math.ceil((scroller.clientHeight || 600) / ITEM_PX);
    const top = Math.floor(scroller.scrollTop / ITEM_PX);
    const first = Math.max(0, top - LIST_OVERSCAN);
    const last = Math.min(entries.length, top + view + LIST_OVERSCAN);
    if (first !== list.first || last !== list.last || ul.children.length !== last - first) {
      list.first = first;
      list.last = last;
      let html = "";
      for (let i = first; i < last; ++i) html += itemHtml(i);
      ul.style.paddingTop = `${first * ITEM_PX}px`;
      ul.style.paddingBottom = `${(entries.length - last) * ITEM_PX}px`;
      ul.innerHTML = html;
    } else {
      for (let i = first; i < last; ++i) {
        const item = ul.children[i - first];
        const e = entries[i];
        const className = `file-item ${e.state}`;
        if (item.className !== className) item.className = className;
        const state = stateText(e);
        if (item.lastChild.textContent !== state) item.lastChild.textContent = state;
        item.setAttribute("aria-selected", String(i === selected));
      }
    }
    if (selected >= first && selected < last) ul.setAttribute("aria-activedescendant", `file-${selected}`);
    else ul.removeAttribute("aria-activedescendant");
  }

  function scheduleList() {
    if (!list.scheduled) {
      list.scheduled = true;
      requestAnimationFrame(drawList);
    }
  }

  function markItem(entry) {
    if (entry.id >= list.first && entry.id < list.last) scheduleList();
  }

  function buildList() {
    list.first = list.last = -1;
    $("file-pane").hidden = entries.length < 2;
    $("results").classList.toggle("single", entries.length < 2);
    $("results").hidden = entries.length === 0;
    $("file-scroll").scrollTop = 0;
    drawList();
  }

  function select(id, focus = false) {
    if (id < 0 || id >= entries.length) return;
    selected = id;
    const scroller = $("file-scroll");
    // Brings the chosen item into view, then draws the items around it.
    const top = id * ITEM_PX;
    if (top < scroller.scrollTop) scroller.scrollTop = top;
    else if (top + ITEM_PX > scroller.scrollTop + scroller.clientHeight)
      scroller.scrollTop = top + ITEM_PX - scroller.clientHeight;
    drawList();
    if (focus) $("file-list").focus({ preventScroll: true });
    renderReport(entries[id]);
  }

  $("file-scroll").addEventListener("scroll", scheduleList, { passive: true });
  $("file-list").addEventListener("click", (event) => {
    const item = event.target.closest("li[role=option]");
    if (item) select(Number(item.dataset.id), true);
  });
  $("file-list").addEventListener("keydown", (event) => {
    const page = Math.max(1, Math.floor($("file-scroll").clientHeight / ITEM_PX) - 1);
    const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page };
    let target = null;
    if (event.key in moves) target = Math.min(entries.length - 1, Math.max(0, selected + moves[event.key]));
    else if (event.key === "Home") target = 0;
    else if (event.key === "End") target = entries.length - 1;
    else if (event.key === "Enter" || event.key === " ") target = Math.max(selected, 0);
    if (target === null) return;
    event.preventDefault();
    select(target, true);
  });

  // --- one report -------------------------------------------------------------

  function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text != null) e.textContent = text;
    return e;
  }

  // A report shows its Download button at once; its charts and sheet follow,
  // each in a task of its own, so that a click on the button waits for no
  // drawing. Another report shown meanwhile stops this one's drawing.
  let drawing = 0;
  const nextTask = () => (root.scheduler && typeof root.scheduler.yield === "function"
    ? root.scheduler.yield() : new Promise((resolve) => setTimeout(resolve, 0)));

  async function renderReport(entry) {
    const host = $("report");
    const mine = ++drawing;
    host.dataset.drawn = "false";
    const drawn = drawReport(host, entry);
    if (drawn) {
      for (const step of drawn) {
        await nextTask();
        if (mine !== drawing) return;
        step();
      }
    }
    host.dataset.drawn = "true";
  }

  // Draws what a click may need; answers the steps that draw the rest, or
  // null when there is no report.
  function drawReport(host, entry) {
    host.replaceChildren();
    const heading = element("h2", "report-title", entry.path);
    heading.id = "report-title";
    host.appendChild(heading);
    host.setAttribute("aria-labelledby", "report-title");
    if (entry.state === "waiting" || entry.state === "converting") {
      host.appendChild(element("p", "pending", "Waiting to be converted"));
      return null;
    }
    if (entry.state === "cancelled") {
      host.appendChild(element("p", "pending", "Not converted: cancelled"));
      return null;
    }
    const result = entry.result;
    if (!result.ok) {
      const refusal = element("p", "refusal");
      // As the window says it: the file, then the converter's reason.
      refusal.append(element("strong", null, "No report. "), element("span", "file", entry.name),
                     document.createTextNode(": "), element("span", "reason", result.error || ""));
      host.appendChild(refusal);
      return null;
    }
    if (result.warnings.length > 0) {
      const box = element("section", "warnings");
      box.setAttribute("aria-label", "Warnings");
      box.appendChild(element("h3", null, result.warnings.length === 1
        ? "1 warning about the export file"
        : `${result.warnings.length} warnings about the export file`));
      const list = element("ul");
      for (const w of result.warnings) list.appendChild(element("li", "warning", F.warningLine(w)));
      box.appendChild(list);
      host.appendChild(box);
    }

    const actions = element("div", "report-actions");
    // The workbook, then the run's data, as ordelix-convert --format json|csv writes it.
    const download = element("button", "flex wide download", `Download ${result.reportName}`);
    download.type = "button";
    download.dataset.format = "xlsx";
    download.addEventListener("click", () => save(result.xlsx, result.reportName, FORMATS.xlsx.type));
    actions.appendChild(download);
    for (const format of ["json", "csv"]) {
      const name = result[FORMATS[format].name];
      const data = element("button", "flex download data", `Download ${format.toUpperCase()}`);
      data.type = "button";
      data.dataset.format = format;
      data.title = `Save ${name}: the report's data as ${format.toUpperCase()}`;
      data.disabled = busy;
      data.addEventListener("click", () => downloadData(entry, format));
      actions.appendChild(data);
    }

    const sheet = result.sheet;
    const date = sheet.cells.kinds.indexOf("d");
    if (date >= 0) {
      const note = element("p", "date-note");
      note.append(element("span", "date-label", "Time & Date "),
                  element("strong", "date-value", F.packedValue(sheet.cells.values, date)), document.createTextNode(`: ${DATE_NOTE}`));
      actions.appendChild(note);
    }
    host.appendChild(actions);

    return [
      () => {
        const charts = host.appendChild(element("div", "charts"));
        for (const chart of sheet.charts || []) root.OrdelixCharts.drawReportChart(charts, chart, decimalSeparator);
        if (result.curve) root.OrdelixCharts.drawCurve(charts, result.curve, decimalSeparator);
        if (!charts.firstChild) charts.remove();
      },
      () => new root.OrdelixSheetView(host, sheet, {
        decimalSeparator,
        caption: `Report of ${entry.path}`,
        dateNote: `Time & Date: ${DATE_NOTE}`,
      }),
    ];
  }

  // --- saving -----------------------------------------------------------------

  function save(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.appendChild(link);
    link.click();
    link.remove();
    // Long enough for the browser to have taken the bytes; gone with the page anyway.
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function folderOf(path) {
    const slash = path.lastIndexOf("/");
    return slash < 0 ? "" : path.slice(0, slash + 1);
  }

  // An entry's export file as the worker reads it again.
  function sourceOf(entry) {
    return { file: entry.file, name: entry.name, lastModified: entry.lastModified };
  }

  // One file's data, which the converter writes when it is asked for.
  async function downloadData(entry, format) {
    const name = entry.result[FORMATS[format].name];
    setBusy(true, `Writing ${name}…`);
    message("");
    try {
      const bytes = await client.data([sourceOf(entry)], format);
      if (bytes) save(bytes, name, FORMATS[format].type);
    } catch (error) {
      message(`${name} was not made: ${error.message}`);
    } finally {
      setBusy(false);
    }
  }

  function batchNames() {
    return F.batchDownloadNames(entries.map((e) => e.path), new Date());
  }

  // Every report in the format chosen beside the button: the workbooks at
  // hand, or the data, which the converter writes now.
  async function downloadZip() {
    const format = $("zip-format").value;
    const done = entries.filter((e) => e.state === "done");
    const names = F.uniqueNames(done.map((e) => folderOf(e.path) + e.result[FORMATS[format].name]));
    setBusy(true, "Packing the reports into one zip file…");
    message("");
    try {
      const zip = format === "xlsx" ? await client.zip(names, done.map((e) => e.result.xlsx))
        : await client.data(done.map(sourceOf), format, names);
      if (zip) save(zip, batchNames().zip, "application/zip");
    } catch (error) {
      message(`The zip file was not made: ${error.message}`);
    } finally {
      setBusy(false);
    }
  }

  async function downloadCombined() {
    const done = entries.filter((e) => e.state === "done");
    setBusy(true, "Making the combined workbook…");
    message("");
    try {
      const combined = await client.combine(done.map(sourceOf));
      if (!combined) return;
      if (combined.error || !combined.xlsx) {
        message(`The combined workbook was not made: ${combined.error || "no workbook"}`);
        return;
      }
      save(combined.xlsx, batchNames().combined, FORMATS.xlsx.type);
      if (combined.failed.length > 0)
        message(`Left out of the combined workbook:\n` +
                combined.failed.map((f) => `${f.name}: ${f.error}`).join("\n"));
    } catch (error) {
      message(`The combined workbook was not made: ${error.message}`);
    } finally {
      setBusy(false);
    }
  }

  // --- converting -------------------------------------------------------------

  // Export files counted apart from the other files picked by name, which
  // are tried all the same, and from those a folder held, which are not.
  function pickedText(picked) {
    const others = picked.others || 0;
    let text = plural(picked.files.length - others, "export file", "export files");
    if (others) text += ` and ${plural(others, "other file", "other files")}`;
    if (picked.skipped) text += ` (${plural(picked.skipped, "other file", "other files")} skipped)`;
    return text;
  }

  async function convert(picked) {
    if (busy) return;
    message(picked.problems.join("\n"));
    if (picked.files.length === 0) {
      if (!picked.problems.length)
        message(picked.folders && picked.folders.length
          ? `No export files in ${picked.folders.join(", ")}` : "No export files were chosen");
      return;
    }
    entries = picked.files.map((p, id) => ({
      id, file: p.file, path: p.path, name: p.file.name, lastModified: p.file.lastModified,
      state: "waiting", result: null,
    }));
    selected = -1;
    $("picked").value = entries.length === 1 ? entries[0].path : pickedText(picked);
    $("batch").hidden = true;
    ++drawing; // the report on show, if still drawing, stops
    $("report").replaceChildren();
    buildList();
    Object.assign(progress, { total: entries.length, done: 0, failed: 0, current: "" });
    setBusy(true);
    const jobs = entries.map((e) => ({ id: e.id, file: e.file, name: e.name, lastModified: e.lastModified }));
    let finished;
    try {
      finished = await client.convert(jobs, (id) => {
        const entry = entries[id];
        entry.state = "converting";
        progress.current = entry.path;
        markItem(entry);
        scheduleProgress();
      }, (id, result) => {
        const entry = entries[id];
        entry.result = result;
        entry.state = result.ok ? "done" : "failed";
        ++progress.done;
        if (!result.ok) ++progress.failed;
        markItem(entry);
        scheduleProgress();
        // The first report shows as soon as it is made; failures wait in the list.
        if (selected < 0 && result.ok) select(id);
      });
    } catch (error) {
      message(error.message);
      finished = false;
    }
    for (const entry of entries)
      if (entry.state === "waiting" || entry.state === "converting") {
        entry.state = "cancelled";
        markItem(entry);
      }
    if (!finished && selected >= 0 && entries[selected].state === "cancelled") renderReport(entries[selected]);
    if (selected < 0) select(0);
    setBusy(false);
    showSummary();
    document.documentElement.dataset.converted = String(Number(document.documentElement.dataset.converted || 0) + 1);
  }

  function cancel() {
    client.cancel();
  }

  // --- picking and dropping -----------------------------------------------------

  $("browse").addEventListener("click", () => $("file-input").click());
  $("browse-folder").addEventListener("click", () => $("folder-input").click());
  $("cancel").addEventListener("click", cancel);
  $("download-zip").addEventListener("click", downloadZip);
  $("download-combined").addEventListener("click", downloadCombined);
  // The converter says which files are export files.
  const exportFiles = (paths) => client.exportFiles(paths);

  // Converts what a pick or a drop brings, once the converter has said
  // which of its files are export files.
  async function convertFound(finding) {
    let picked;
    try {
      picked = await finding;
    } catch (error) {
      message(`The files picked were not read: ${error.message}`);
      return;
    }
    convert(picked);
  }

  $("file-input").addEventListener("change", (event) => {
    times.picked = performance.now();
    const finding = root.OrdelixPicking.fromInput(event.target.files, exportFiles);
    event.target.value = "";
    convertFound(finding);
  });
  $("folder-input").addEventListener("change", (event) => {
    const finding = root.OrdelixPicking.fromFolderInput(event.target.files, exportFiles);
    event.target.value = "";
    convertFound(finding);
  });

  let dragDepth = 0;
  function carriesFiles(event) {
    return event.dataTransfer && Array.from(event.dataTransfer.types || []).includes("Files");
  }
  document.addEventListener("dragenter", (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    ++dragDepth;
    $("drop-overlay").hidden = busy;
  });
  document.addEventListener("dragover", (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = busy ? "none" : "copy";
  });
  document.addEventListener("dragleave", () => {
    if (--dragDepth <= 0) {
      dragDepth = 0;
      $("drop-overlay").hidden = true;
    }
  });
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    dragDepth = 0;
    $("drop-overlay").hidden = true;
    if (busy || !event.dataTransfer) return;
    const taken = root.OrdelixPicking.dropEntries(event.dataTransfer);
    convertFound(root.OrdelixPicking.fromDrop(taken, exportFiles));
  });

  // --- the clock ----------------------------------------------------------------

  function tick() {
    const now = new Date();
    $("clock").textContent = F.clockText(now, now.toLocaleTimeString(undefined, { hour: "2-digit", minute: "2-digit", second: "2-digit" }));
  }
  tick();
  setInterval(tick, 1000);

  showCoreState();
  times.ui = performance.now();
  document.documentElement.dataset.ready = "true";
  // For the page's own tests and benchmark.
  root.ordelixPage = {
    entries: () => entries,
    convert,
    // How many workers converted the last batch, and how many are ready.
    workers: () => ({ used: client.workersUsed, ready: 1 + client.helpers.filter((h) => h.ready).length }),
  };
})(globalThis);
