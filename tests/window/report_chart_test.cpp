#include <gtest/gtest.h>

#include <QTableView>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "export_files.h"
#include "fake_dialogs.h"
#include "report_chart_view.h"
#include "report_preview.h"

namespace {

using ordelix::LineChart;

// A scan of five points at C16:C20 / F16:F20 with one value that is no number.
ordelix::Conversion scan_conversion(std::optional<std::string> heading) {
  ordelix::Conversion c;
  for (int i = 0; i < 5; ++i) {
    c.sheet.set_number(16 + i, 3, 400 + i);
    if (i == 2)
      c.sheet.set_text(16 + i, 6, "ERR");
    else
      c.sheet.set_text(16 + i, 6, std::to_string(0.1 * (i + 1)));
  }
  LineChart chart;
  chart.left = 350;
  chart.width = 350;
  chart.height = 250;
  chart.title = "WL Scan";
  chart.values = {16, 6, 20, 6};
  chart.categories = {16, 3, 20, 3};
  chart.series_name = heading;
  chart.category_axis_title = "WL(nm)" + std::string(25, ' ');
  chart.value_axis_title = heading;
  chart.tick_mark_spacing = 10;
  c.sheet.add_line_chart(chart);
  return c;
}

// `points` categories from `start` nm in steps of `step`, every value 0.5.
ordelix::Conversion even_scan(int points, double start, double step) {
  ordelix::Conversion c;
  double wavelength = start;
  for (int i = 0; i < points; ++i, wavelength += step) {
    c.sheet.set_number(16 + i, 3, wavelength);
    c.sheet.set_number(16 + i, 6, 0.5);
  }
  LineChart chart;
  chart.width = 350;
  chart.height = 250;
  chart.values = {16, 6, 15 + points, 6};
  chart.categories = {16, 3, 15 + points, 3};
  chart.tick_mark_spacing = 10;
  c.sheet.add_line_chart(chart);
  return c;
}

QValueAxis* axis(QChart* chart, Qt::Orientation o) {
  return qobject_cast<QValueAxis*>(chart->axes(o).value(0));
}

TEST(ReportChartTest, PreviewDrawsTheScanFromItsCells) {
  FakeDialogs dialogs;
  std::string heading = "OD" + std::string(25, ' ');
  ordelix::ReportPreview preview(scan_conversion(heading), "/tmp/s.WSC", dialogs);
  auto* view = preview.findChild<ordelix::ReportChartView*>("ReportChart");
  ASSERT_NE(view, nullptr);
  QChart* chart = view->chart();
  EXPECT_EQ(chart->title(), "WL Scan");
  EXPECT_EQ(chart->legend()->alignment(), Qt::AlignTop);
  ASSERT_EQ(chart->series().size(), 1);
  auto* series = qobject_cast<QLineSeries*>(chart->series().front());
  EXPECT_EQ(series->name(), QString::fromStdString(heading));
  QList<QPointF> expected{{400, 0.1}, {401, 0.2}, {403, 0.4}, {404, 0.5}};
  EXPECT_EQ(series->points(), expected);
  EXPECT_EQ(axis(chart, Qt::Horizontal)->titleText(), "WL(nm)" + QString(25, ' '));
  EXPECT_EQ(axis(chart, Qt::Vertical)->titleText(), QString::fromStdString(heading));
  EXPECT_EQ(view->size(), QSize(466, 333));
}

TEST(ReportChartTest, CategoryAxisLabelsEverySoManyCategoriesWithTicksEveryTenth) {
  FakeDialogs dialogs;
  ordelix::ReportPreview few(scan_conversion(std::nullopt), "/tmp/s.WSC", dialogs);
  QValueAxis* x = axis(few.findChild<ordelix::ReportChartView*>()->chart(), Qt::Horizontal);
  EXPECT_EQ((std::pair{x->min(), x->max()}), (std::pair{400.0, 404.0}));
  EXPECT_EQ(x->labelFormat(), "%.0f");
  EXPECT_EQ(x->tickInterval(), 10.0) << "five categories: labels every tenth";
  EXPECT_EQ(x->minorTickCount(), 0);

  // 601 categories at 0.2 nm from 190 nm: a label every 100 (20 nm) makes 7,
  // with nine tick marks between two labels.
  ordelix::ReportPreview many(even_scan(601, 190, 0.2), "/tmp/l.WSC", dialogs);
  x = axis(many.findChild<ordelix::ReportChartView*>()->chart(), Qt::Horizontal);
  EXPECT_EQ(x->min(), 190.0);
  EXPECT_NEAR(x->max(), 310.0, 1e-9);
  EXPECT_EQ(x->labelFormat(), "%.1f");
  EXPECT_EQ(x->tickAnchor(), 190.0);
  EXPECT_NEAR(x->tickInterval(), 20.0, 1e-9);
  EXPECT_EQ(x->minorTickCount(), 9);
}

TEST(ReportChartTest, MissingHeadingLeavesSeriesAndValueAxisUnnamed) {
  FakeDialogs dialogs;
  ordelix::ReportPreview preview(scan_conversion(std::nullopt), "/tmp/s.WSC", dialogs);
  auto* view = preview.findChild<ordelix::ReportChartView*>("ReportChart");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->chart()->series().front()->name(), "Series1");
  EXPECT_TRUE(axis(view->chart(), Qt::Vertical)->titleText().isEmpty());
}

TEST(ReportChartTest, ReportsWithoutChartShowNone) {
  FakeDialogs dialogs;
  ordelix::ReportPreview preview(ordelix::Conversion{}, "/tmp/p.PRO", dialogs);
  EXPECT_EQ(preview.findChild<ordelix::ReportChartView*>(), nullptr);
}

// The preview of an export file as the window converts it.
class CurveChartTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  FakeDialogs dialogs;

  std::unique_ptr<ordelix::ReportPreview> preview_of(const QString& file) {
    ordelix::Result<ordelix::Conversion> conversion =
        ordelix::convert_export_file(QFile::encodeName(file).toStdString());
    EXPECT_TRUE(conversion) << file.toStdString();
    if (!conversion) return nullptr;
    EXPECT_TRUE(conversion.value().warnings.empty()) << file.toStdString();
    return std::make_unique<ordelix::ReportPreview>(std::move(conversion).value(), file, dialogs);
  }

  // The one line of the preview's one chart; null when there is none.
  static QLineSeries* curve_of(const ordelix::ReportPreview& preview) {
    auto* view = preview.findChild<ordelix::ReportChartView*>("ReportChart");
    if (view == nullptr || view->chart()->series().size() != 1) return nullptr;
    return qobject_cast<QLineSeries*>(view->chart()->series().front());
  }
};

TEST_F(CurveChartTest, KineticsDrawsItsValuesOverTime) {
  auto preview = preview_of(write_kinetics_export(dir.filePath("lipase.TSC")));
  ASSERT_NE(preview, nullptr);
  QLineSeries* series = curve_of(*preview);
  ASSERT_NE(series, nullptr);
  QChart* chart = series->chart();
  EXPECT_EQ(chart->title(), "Kinetics");
  QList<QPointF> expected{{0, 0.1}, {10, 0.15}, {20, 0.21}, {30, 0.28}, {40, 0.36}};
  EXPECT_EQ(series->points(), expected);
  EXPECT_EQ(axis(chart, Qt::Horizontal)->titleText(), "Data(s)");
  EXPECT_EQ(axis(chart, Qt::Vertical)->titleText(), "Value");
  EXPECT_EQ(series->name(), "Value");
  EXPECT_LE(axis(chart, Qt::Horizontal)->min(), 0.0);
  EXPECT_GE(axis(chart, Qt::Horizontal)->max(), 40.0);
  EXPECT_EQ(preview->findChild<ordelix::ReportChartView*>()->size(), QSize(466, 333))
      << "as large as a scan's chart";
}

TEST_F(CurveChartTest, MeltingDrawsItsValuesOverTheTemperatureSteps) {
  auto preview = preview_of(write_melting_export(dir.filePath("probe.TM")));
  ASSERT_NE(preview, nullptr);
  QLineSeries* series = curve_of(*preview);
  ASSERT_NE(series, nullptr);
  QChart* chart = series->chart();
  EXPECT_EQ(chart->title(), "Melting curve");
  QList<QPointF> expected{{40, 0.4012}, {40.5, 0.41}, {41, 0.435}, {41.5, 0.48}, {42, 0.52}};
  EXPECT_EQ(series->points(), expected);
  EXPECT_EQ(axis(chart, Qt::Horizontal)->titleText(), "C");
  EXPECT_EQ(axis(chart, Qt::Vertical)->titleText(), "OD");
  EXPECT_LE(axis(chart, Qt::Vertical)->min(), 0.4012);
  EXPECT_GE(axis(chart, Qt::Vertical)->max(), 0.52);
}

TEST_F(CurveChartTest, TheCurveStandsWhereAScansChartStands) {
  auto preview = preview_of(write_kinetics_export(dir.filePath("lipase.TSC")));
  ASSERT_NE(preview, nullptr);
  auto* view = preview->findChild<ordelix::ReportChartView*>();
  ASSERT_NE(view, nullptr);
  QTableView* table = preview->table();
  EXPECT_EQ(view->parentWidget(), table->viewport());
  // 350 points from the left are 466 2/3 pixels: 7 7/24 sheet columns of 64
  // pixels, so column H, 7/24 of its width in (give or take the pixel cut off).
  int h = 7;
  EXPECT_NEAR(view->x(), table->columnViewportPosition(h) + table->columnWidth(h) * 7.0 / 24, 1);
  EXPECT_EQ(view->y(), 0);
}

TEST_F(CurveChartTest, ProteinAndOd600ReportsDrawNoCurve) {
  QString od600 = write_lines(dir.filePath("culture.OD"),
                              {"7", "0", "1", "ECOLI-K12", "8", "0", "1", "0", "0", "600", "1.0",
                               "0", "0", "2", "1", "0.412", "2", "0.587"});
  for (const QString& file : {write_kfactor_export(dir, "serum.PRO"), od600}) {
    SCOPED_TRACE(file.toStdString());
    auto preview = preview_of(file);
    ASSERT_NE(preview, nullptr);
    EXPECT_GT(preview->table()->model()->rowCount(), 10) << "the report itself is shown";
    EXPECT_EQ(preview->findChild<ordelix::ReportChartView*>(), nullptr);
  }
}

}  // namespace
