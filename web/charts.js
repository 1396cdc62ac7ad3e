// Line charts drawn with uPlot. Points stand at equal steps in the order of
// the sheet's rows, labelled with their categories, as a workbook's category
// axis draws them: a falling temperature or a repeated wavelength plots as
// the report lists it.
(function (root) {
  "use strict";
  const F = root.OrdelixFormat;
  const PX_PER_POINT = 96 / 72;

  function numberOrNull(value) {
    return typeof value === "number" && Number.isFinite(value) ? value : null;
  }

  // plot: title, seriesName, xTitle, yTitle, categories, values,
  // tickMarkSpacing, width and height in pixels.
  function drawLineChart(host, plot, decimalSeparator) {
    const n = Math.min(plot.categories.length, plot.values.length);
    const figure = document.createElement("figure");
    figure.className = "chart";
    const values = plot.values.slice(0, n).map(numberOrNull);
    const plotted = values.filter((v) => v !== null).length;
    const decimals = F.categoryDecimals(plot.categories);
    const label = (i) => {
      const c = plot.categories[i];
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

    const xs = Array.from({ length: n }, (_, i) => i);
    const interval = F.categoryLabelInterval(n, plot.tickMarkSpacing || 1);
    const splits = [];
    for (let i = 0; i < n; i += interval) splits.push(i);
    // The uPlot's size is the plot with its axes; title and legend come on top.
    const options = {
      title: plot.title,
      width: Math.round(plot.width),
      // The workbook's box holds the title and legend too.
      height: Math.max(120, Math.round(plot.height) - 56),
      scales: { x: { time: false, range: [0, Math.max(n - 1, 1)] } },
      legend: { show: true, live: true },
      cursor: { drag: { x: false, y: false } },
      // The legend names the series; the values under the pointer join it
      // only while there is a point under the pointer.
      hooks: { setLegend: [(u) => figure.classList.toggle("pointing", u.cursor.idx != null)] },
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
          splits: () => splits,
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
    // Kept on the figure, where the page's tests read what it draws.
    figure.plot = new root.uPlot(options, [xs, values], figure);
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
      categories: Array.from(curve.xs),
      values: Array.from(curve.ys),
      tickMarkSpacing: 1,
      width: 620,
      height: 300,
    }, decimalSeparator);
  }

  root.OrdelixCharts = { drawReportChart, drawCurve };
})(globalThis);
