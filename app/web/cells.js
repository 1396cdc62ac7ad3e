// Run inside the module (--post-js): sheet_value.cpp hands a sheet's cells
// over in columns, and these make them into the values and objects the
// module's API gives, a call for all of them rather than one a property.

// kinds: a character code a cell, "s", "n", "d", or " " for an empty one;
// numbers: a number cell's value; texts: the other cells' texts in UTF-8, one
// after another, each ending where textEnds says.
Module["cellValues"] = function (kinds, numbers, texts, textEnds) {
  const decoder = new TextDecoder();
  const values = new Array(kinds.length);
  let start = 0;
  for (let i = 0; i < kinds.length; ++i) {
    const kind = String.fromCharCode(kinds[i]);
    if (kind === "n") values[i] = numbers[i];
    else values[i] = kind === " " ? null : decoder.decode(texts.subarray(start, textEnds[i]));
    start = textEnds[i];
  }
  return values;
};

// [{row, col, kind, value, font}]; fonts: each cell's place in fontList, or -1.
Module["sheetCells"] = function (rows, cols, kinds, values, fonts, fontList) {
  const cells = new Array(rows.length);
  for (let i = 0; i < rows.length; ++i)
    cells[i] = { row: rows[i], col: cols[i], kind: String.fromCharCode(kinds[i]), value: values[i],
                 font: fonts[i] < 0 ? null : fontList[fonts[i]] };
  return cells;
};
