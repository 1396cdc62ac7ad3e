#include "report_chart_view.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "base/cp1252.h"
#include "sheet/chart_labels.h"

namespace ordelix {
namespace {

QString chart_text(const std::optional<std::string>& text) {
  return text ? QString::fromStdString(cp1252_to_utf8(*text)) : QString();
}

// Points pair the category and the value of each row; a row whose value is
// not a number leaves a gap, as it holds nothing to plot.
QList<QPointF> series_points(const ReportSheet& sheet, const LineChart& chart) {
  QList<QPointF> points;
  int rows = std::min(chart.values.last_row - chart.values.first_row,
                      chart.categories.last_row - chart.categories.first_row);
  for (int i = 0; i <= rows; ++i) {
    auto y = sheet.number_at(chart.values.first_row + i, chart.values.first_col);
    auto x = sheet.number_at(chart.categories.first_row + i, chart.categories.first_col);
    if (x && y) points.append(QPointF(*x, *y));
  }
  return points;
}

// As the workbook's category axis: the first wavelength to the last, a label
// at the first and every so many categories after, a tick mark every
// tick-mark spacing, and the categories' own decimals.
void category_axis_set(QValueAxis* axis, const ReportSheet& sheet, const LineChart& chart,
                       const QList<QPointF>& points) {
  axis->setLabelFormat(QString("%.%1f").arg(category_decimals(sheet, chart.categories)));
  double step = points.size() > 1 ? points[1].x() - points[0].x() : 0;
  if (step <= 0) {
    axis->applyNiceNumbers();
    return;
  }
  int categories = chart.categories.last_row - chart.categories.first_row + 1;
  int label_interval = category_label_interval(categories, chart.tick_mark_spacing);
  axis->setRange(points.front().x(), points.front().x() + step * (categories - 1));
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(points.front().x());
  axis->setTickInterval(step * label_interval);
  axis->setMinorTickCount(label_interval / std::max(chart.tick_mark_spacing, 1) - 1);
  axis->setMinorGridLineVisible(false);
}

// One line with its legend above, on value axes titled as given.
QChart* line_chart(const QString& title, QLineSeries* series, const QString& x_title,
                   const QString& y_title) {
  auto* plot = new QChart;
  plot->setTitle(title);
  plot->addSeries(series);
  plot->legend()->setAlignment(Qt::AlignTop);
  auto* x_axis = new QValueAxis;
  auto* y_axis = new QValueAxis;
  x_axis->setTitleText(x_title);
  y_axis->setTitleText(y_title);
  plot->addAxis(x_axis, Qt::AlignBottom);
  plot->addAxis(y_axis, Qt::AlignLeft);
  series->attachAxis(x_axis);
  series->attachAxis(y_axis);
  y_axis->applyNiceNumbers();
  return plot;
}

QValueAxis* x_axis_of(QChart* plot) {
  return static_cast<QValueAxis*>(plot->axes(Qt::Horizontal).front());
}

}  // namespace

ReportChartView::ReportChartView(const ReportSheet& sheet, const LineChart& chart, QWidget* parent)
    : QChartView(parent) {
  auto* series = new QLineSeries;
  QList<QPointF> points = series_points(sheet, chart);
  series->replace(points);
  series->setName(chart.series_name ? chart_text(chart.series_name) : tr("Series1"));
  QChart* plot =
      line_chart(QString::fromStdString(cp1252_to_utf8(chart.title)), series,
                 chart_text(chart.category_axis_title), chart_text(chart.value_axis_title));
  category_axis_set(x_axis_of(plot), sheet, chart, points);
  show_chart(plot, chart.width, chart.height);
}

ReportChartView::ReportChartView(const ReportCurve& curve, double width, double height,
                                 QWidget* parent)
    : QChartView(parent) {
  auto* series = new QLineSeries;
  for (std::size_t i = 0; i < curve.xs.size(); ++i) series->append(curve.xs[i], curve.ys[i]);
  QString y_title = QString::fromStdString(curve.y_heading);
  series->setName(y_title);
  QChart* plot = line_chart(QString::fromStdString(curve.title), series,
                            QString::fromStdString(curve.x_heading), y_title);
  x_axis_of(plot)->applyNiceNumbers();
  show_chart(plot, width, height);
}

void ReportChartView::show_chart(QChart* plot, double width, double height) {
  setObjectName("ReportChart");
  setChart(plot);
  setRenderHint(QPainter::Antialiasing);
  resize(static_cast<int>(width * pixels_per_point), static_cast<int>(height * pixels_per_point));
}

}  // namespace ordelix
