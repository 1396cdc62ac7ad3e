// A report sheet as a spreadsheet shows it, in a real <table> (column letters
// and row numbers as headers) of which only the rows in view and some either
// side are in the document: 32,000 rows scroll as smoothly as thirty.
(function (root) {
  "use strict";
  const F = root.OrdelixFormat;

  const ROW_PX = 21; // a 12-point row, as a spreadsheet fits it
  const OVERSCAN = 20;
  // A spreadsheet's grid shows some empty rows and columns beyond the report.
  const SPARE_ROWS = 5;
  const MIN_COLUMNS = 26;
  const KEY = 1024; // above the 256 columns a sheet has

  function escapeHtml(text) {
    return text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
  }

  function fontStyle(font) {
    if (!font) return "";
    return `font-size:${font.size}pt;font-weight:${font.bold ? 700 : 400};` +
      `font-style:${font.italic ? "italic" : "normal"}`;
  }

  class SheetView {
    // options: decimalSeparator, caption (for assistive technology), dateNote
    // (the title of date cells).
    constructor(host, sheet, options) {
      this.options = options;
      // The written cells' places in the sheet's columns of cells, row by
      // row: those of row r from byRow[rowStart[r]] to before rowStart[r + 1].
      const { rows, cols } = (this.sheetCells = sheet.cells);
      this.rows = Math.max(sheet.lastRow, 0) + SPARE_ROWS;
      this.rowStart = new Int32Array(this.rows + 2);
      for (const row of rows) ++this.rowStart[row + 1];
      for (let r = 1; r <= this.rows + 1; ++r) this.rowStart[r] += this.rowStart[r - 1];
      this.byRow = new Int32Array(rows.length);
      const filled = this.rowStart.slice();
      let lastCol = 0;
      for (let i = 0; i < rows.length; ++i) {
        this.byRow[filled[rows[i]]++] = i;
        lastCol = Math.max(lastCol, cols[i]);
      }
      this.cols = Math.max(MIN_COLUMNS, lastCol + 2);
      this.leftColumns = new Set(sheet.leftColumns);

      const chars = new Map(sheet.widths.map((w) => [w.col, w.chars]));
      this.colPx = [0];
      for (let c = 1; c <= this.cols; ++c)
        this.colPx.push(F.columnPixels(chars.has(c) ? chars.get(c) : F.DEFAULT_COLUMN_CHARS));

      // Each covered cell points at its merge.
      this.merged = new Map();
      for (const [r1, c1, r2, c2] of sheet.merges) {
        const merge = { r1, c1, r2, c2 };
        for (let r = r1; r <= r2; ++r)
          for (let c = c1; c <= Math.min(c2, this.cols); ++c) this.merged.set(r * KEY + c, merge);
      }

      this.build(host);
      this.first = -1;
      this.last = -1;
      this.update();
    }

    build(host) {
      const scroller = document.createElement("div");
      scroller.className = "sheet-scroll";
      scroller.tabIndex = 0;
      scroller.setAttribute("role", "region");
      scroller.setAttribute("aria-label", this.options.caption);
      const table = document.createElement("table");
      table.className = "sheet";
      table.setAttribute("aria-rowcount", String(this.rows + 1));
      table.setAttribute("aria-colcount", String(this.cols + 1));
      let width = this.options.rowHeaderPx || 44;
      let cols = `<col style="width:${width}px">`;
      let heads = '<th scope="col" class="corner"><span class="sr-only">Row</span></th>';
      for (let c = 1; c <= this.cols; ++c) {
        cols += `<col style="width:${this.colPx[c]}px">`;
        heads += `<th scope="col">${F.columnLetters(c)}</th>`;
        width += this.colPx[c];
      }
      table.style.width = `${width}px`;
      // The grid: a line at the right of every column and the foot of every
      // row (all rows are ROW_PX high), under the cells.
      const lines = [`repeating-linear-gradient(transparent 0 ${ROW_PX - 1}px, #e1e1e1 ${ROW_PX - 1}px ${ROW_PX}px)`];
      const at = [];
      let x = this.options.rowHeaderPx || 44;
      for (let c = 1; c <= this.cols; ++c) {
        x += this.colPx[c];
        lines.push("linear-gradient(#e1e1e1, #e1e1e1)");
        at.push(`${x - 1}px 0 / 1px 100% no-repeat`);
      }
      table.style.background = lines.map((l, i) => (i === 0 ? l : `${l} ${at[i - 1]}`)).join(", ");
      table.innerHTML = `<caption class="sr-only">${escapeHtml(this.options.caption)}</caption>` +
        `<colgroup>${cols}</colgroup><thead><tr aria-rowindex="1">${heads}</tr></thead><tbody></tbody>`;
      scroller.appendChild(table);
      host.appendChild(scroller);
      this.scroller = scroller;
      this.table = table;
      this.tbody = table.tBodies[0];
      scroller.addEventListener("scroll", () => this.update(), { passive: true });
      if (typeof ResizeObserver === "function") new ResizeObserver(() => this.update()).observe(scroller);
    }

    // Renders again only when the rows in view leave those in the document.
    update() {
      const header = this.table.tHead.offsetHeight || ROW_PX;
      // The box grows with its rows up to the window's height: rows enough for that.
      const view = Math.ceil(Math.max(this.scroller.clientHeight, window.innerHeight || 600) / ROW_PX) + 1;
      const top = Math.max(0, Math.floor((this.scroller.scrollTop - header) / ROW_PX));
      const bottom = Math.min(this.rows, top + view);
      if (top >= this.first && bottom <= this.last) return;
      this.first = Math.max(0, top - OVERSCAN);
      this.last = Math.min(this.rows, bottom + OVERSCAN);
      this.render();
    }

    // The cell's place in the sheet's columns of cells, or -1.
    cellAt(row, col) {
      for (let k = this.rowStart[row]; k < this.rowStart[row + 1]; ++k)
        if (this.sheetCells.cols[this.byRow[k]] === col) return this.byRow[k];
      return -1;
    }

    isEmpty(row, col) {
      return this.cellAt(row, col) < 0 && !this.merged.has(row * KEY + col);
    }

    cellHtml(row, col) {
      const key = row * KEY + col;
      const merge = this.merged.get(key);
      let span = "";
      let lastCol = col;
      if (merge) {
        const topRow = Math.max(merge.r1, this.first + 1);
        if (row !== topRow || col !== merge.c1) return "";
        const rowspan = Math.min(merge.r2, this.last) - row + 1;
        lastCol = Math.min(merge.c2, this.cols);
        if (lastCol > col) span += ` colspan="${lastCol - col + 1}"`;
        if (rowspan > 1) span += ` rowspan="${rowspan}"`;
      }
      // A merge shows its top-left cell.
      const at = merge ? this.cellAt(merge.r1, merge.c1) : this.cellAt(row, col);
      if (at < 0) return span ? `<td${span} class="m"></td>` : null;

      const { kinds, values, fonts, fontList } = this.sheetCells;
      const kind = kinds[at];
      let text;
      let title = "";
      if (kind === "n") text = F.generalNumber(F.packedValue(values, at), this.options.decimalSeparator);
      else text = String(F.packedValue(values, at));
      if (kind === "d" && this.options.dateNote) title = ` title="${escapeHtml(this.options.dateNote)}"`;
      const right = kind !== "s" && !this.leftColumns.has(col);
      // Left-aligned text runs on over the empty cells to its right, as far
      // as the first written one.
      let room = 0;
      for (let c = col; c <= lastCol; ++c) room += this.colPx[c];
      if (!right)
        for (let c = lastCol + 1; c <= this.cols && this.isEmpty(row, c); ++c) room += this.colPx[c];
      const style = fontStyle(fonts[at] < 0 ? null : fontList[fonts[at]]);
      const classes = (right ? "r" : "") + (span ? " m" : "");
      return `<td${span}${classes ? ` class="${classes.trim()}"` : ""}${title}>` +
        `<div class="t" style="max-width:${room - 6}px;${style}">${escapeHtml(text)}</div></td>`;
    }

    render() {
      const parts = [];
      const spacer = (rows) =>
        `<tr class="spacer" aria-hidden="true"><td colspan="${this.cols + 1}" style="height:${rows * ROW_PX}px"></td></tr>`;
      if (this.first > 0) parts.push(spacer(this.first));
      // A run of empty cells is one cell: the grid's lines are the table's
      // background, and a third of the cells lay out thrice as fast.
      const empty = (run) => (run === 0 ? "" : run === 1 ? "<td></td>" : `<td colspan="${run}"></td>`);
      for (let r = this.first + 1; r <= this.last; ++r) {
        let row = `<tr aria-rowindex="${r + 1}"><th scope="row">${r}</th>`;
        let run = 0;
        for (let c = 1; c <= this.cols; ++c) {
          const html = this.cellHtml(r, c);
          if (html === null) ++run;
          else if (html !== "") {
            row += empty(run) + html;
            run = 0;
          }
        }
        parts.push(row + empty(run) + "</tr>");
      }
      if (this.last < this.rows) parts.push(spacer(this.rows - this.last));
      this.tbody.innerHTML = parts.join("");
    }

    // Scrolls so that `row` is the first row under the column headers.
    scrollToRow(row) {
      this.scroller.scrollTop = (row - 1) * ROW_PX;
      this.update();
    }
  }

  root.OrdelixSheetView = SheetView;
  root.OrdelixSheetView.ROW_PX = ROW_PX;
})(globalThis);
