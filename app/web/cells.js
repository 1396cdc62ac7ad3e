// Run inside the module (--post-js): sheet_value.cpp hands a sheet's cells
// over in columns of its memory, and these copy them into the form the page
// keeps: typed arrays, which go on to the page without a copy, rather than
// an object a cell, which would hold the page's thread while thousands wait.

// {numbers, texts}: numbers a Float64Array, NaN where a cell holds no
// number; texts the others' texts by their place, none for an empty cell.
// kinds: a character code a cell, "s", "n", "d", or " " for an empty one;
// texts in UTF-8, one after another, each ending where textEnds says.
Module["packedValues"] = function (kinds, numbers, texts, textEnds) {
  const decoder = new TextDecoder();
  const byPlace = {};
  let start = 0;
  for (let i = 0; i < kinds.length; ++i) {
    const text = kinds[i] === 0x73 /* s */ || kinds[i] === 0x64; /* d */
    if (text) byPlace[i] = decoder.decode(texts.subarray(start, textEnds[i]));
    start = textEnds[i];
  }
  return { numbers: numbers.slice(), texts: byPlace };
};

// {rows, cols, fonts, fontList, kinds, values}: fonts a cell's place in
// fontList or -1, kinds a string of a character a cell.
Module["sheetCells"] = function (rows, cols, kinds, values, fonts, fontList) {
  return { rows: rows.slice(), cols: cols.slice(), fonts: fonts.slice(), fontList,
           kinds: new TextDecoder().decode(kinds), values };
};
