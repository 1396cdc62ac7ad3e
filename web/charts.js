// Line charts drawn with uPlot. Points stand at equal steps in the order of
// the sheet's rows, labelled with their categories, as a workbook's category
// axis draws them: a falling temperature or a repeated wavelength plots as
// the report lists it.
(function (root) {
  "use strict";
  const F = root.OrdelixFormat;
  const columnExtremes = root.OrdelixColumnExtremes.columnExtremes;
  const PX_PER_POINT = 96 / 72;

  // A point as uPlot takes it: null for none.
  const point = (value) => (Number.isNaN(value) ? null : value);

  // plot: title, seriesName, xTitle, yTitle, categories and values packed
  // as the core packs them (OrdelixFormat.packedValue), the values' texts
  // not plotted, tickMarkSpacing, width and height in pixels.
  function drawLineChart(host, plot, decimalSeparator) {
    const n = Math.min(plot.categories.numbers.length, plot.values.numbers.length);
    const figure = document.createElement("figure");
    figure.className = "chart";
    const values = plot.values.numbers.subarray(0, n);
    let plotted = 0;
    for (const value of values) plotted += Number.isNaN(value) ? 0 : 1;
    const decimals = F.categoryDecimals(plot.categories.numbers);
    const label = (i) => {
      const c = F.packedValue(plot.categories, i);
      if (typeof c !== "number") return c == null ? "" : String(c);
      const text = c.toFixed(decimals);
      return decimalSeparator === "." ? text : text.replace(".", decimalSeparator);
    };
    figure.setAttribute("role", "img");
    figure.setAttribute("aria-label",
      `${plot.title}: line chart of ${plot.seriesName || "the values"} against ` +
      `${plot.xTitle || "the categories"}, ${plotted} points` +
      (n > 0 ? ` from ${label(0)} to ${label(n - 1)}` : ""));
    host.appendChild(figure);
    if (typeof root.uPlot !== "function" || plotted === 0) {
      figure.classList.add("empty");
      figure.textContent = `${plot.title}: no values to plot`;
      return figure;
    }

    // The series stays here in full; uPlot draws what its pixel columns can
    // show of the x range in view, taken again at each zoom, with the
    // series' ends beyond, so that a double click knows the whole range.
    const spacing = plot.tickMarkSpacing || 1;
    let drawn = null; // the view and columns uPlot's data was taken for
    const pointsFor = (from, to, columns) => {
      drawn = { from, to, columns };
      const { xs, ys } = columnExtremes(values, from, to, columns);
      if (xs.length > 0 && xs[0] > 0) {
        xs.unshift(0);
        ys.unshift(point(values[0]));
      }
      if (xs.length > 0 && xs[xs.length - 1] < n - 1) {
        xs.push(n - 1);
        ys.push(point(values[n - 1]));
      }
      return [xs, ys];
    };
    const fitData = (u) => {
      const { min, max } = u.scales.x;
      const columns = Math.max(1, Math.round(u.bbox.width));
      if (drawn.from === min && drawn.to === max && drawn.columns === columns) return;
      u.setData(pointsFor(min, max, columns), false);
      u.setScale("x", { min, max });
    };
    // After uPlot's own call is done: the scales it sets from a hook are dropped.
    const refit = (u) => queueMicrotask(() => u.status && fitData(u));
    const options = {
      title: plot.title,
      width: Math.round(plot.width),
      // The workbook's box holds the title and legend too.
      height: Math.max(120, Math.round(plot.height) - 56),
      scales: { x: { time: false, range: (u, min, max) => (n > 1 ? [min, max] : [0, 1]) } },
      legend: { show: true, live: true },
      // A drag zooms in on the categories, a double click shows them all.
      cursor: { drag: { x: true, y: false } },
      hooks: {
        // The legend names the series; the values under the pointer join it
        // only while there is a point under the pointer.
        setLegend: [(u) => figure.classList.toggle("pointing", u.cursor.idx != null)],
        ready: [refit],
        setScale: [(u, key) => key === "x" && refit(u)],
      },
      series: [
        { label: plot.xTitle || "", value: (u, v) => (v == null ? "" : label(Math.round(v))) },
        {
          label: plot.seriesName || "Series1",
          stroke: "#209fdf",
          width: 1.5,
          points: { show: n <= 60 },
          value: (u, v) => (v == null ? "" : F.generalNumber(v, decimalSeparator)),
        },
      ],
      axes: [
        {
          label: plot.xTitle || undefined,
          splits: (u, axis, min, max) => {
            const interval = F.categoryLabelInterval(Math.floor(max) - Math.ceil(min) + 1, spacing);
            const splits = [];
            for (let i = Math.ceil(min / interval) * interval; i <= max; i += interval) splits.push(i);
            return splits;
          },
          values: (u, ticks) => ticks.map((i) => label(i)),
          grid: { stroke: "#e6e6e6" },
        },
        {
          label: plot.yTitle || undefined,
          values: (u, ticks) => ticks.map((v) => F.generalNumber(v, decimalSeparator)),
          grid: { stroke: "#e6e6e6" },
          size: 60,
        },
      ],
    };
    // Kept on the figure, where the page's tests read what it draws. The
    // first columns are the whole chart's: the plot's own, narrower, are
    // known once it is made.
    figure.plot = new root.uPlot(options, pointsFor(0, Math.max(n - 1, 1), Math.round(options.width)), figure);
    return figure;
  }

  function trimmed(text) {
    return text == null ? null : String(text).trim();
  }

  // A chart of the report as the workbook places it: its size in points.
  function drawReportChart(host, chart, decimalSeparator) {
    return drawLineChart(host, {
      title: trimmed(chart.title),
      seriesName: trimmed(chart.seriesName),
      xTitle: trimmed(chart.categoryAxisTitle),
      yTitle: trimmed(chart.valueAxisTitle),
      categories: chart.categories,
      values: chart.values,
      tickMarkSpacing: chart.tickMarkSpacing,
      width: chart.width * PX_PER_POINT,
      height: chart.height * PX_PER_POINT,
    }, decimalSeparator);
  }

  // The page's own plot of the curve the core found in a report, a kinetics
  // or melting curve (the workbook has none): title, xTitle, yTitle, and
  // the points' xs and ys.
  function drawCurve(host, curve, decimalSeparator) {
    return drawLineChart(host, {
      title: curve.title,
      seriesName: curve.yTitle,
      xTitle: curve.xTitle,
      yTitle: curve.yTitle,
      categories: { numbers: curve.xs, texts: {} },
      values: { numbers: curve.ys, texts: {} },
      tickMarkSpacing: 1,
      width: 620,
      height: 300,
    }, decimalSeparator);
  }

  root.OrdelixCharts = { drawReportChart, drawCurve };
})(globalThis);
