#pragma once

#include <QtCharts/QChartView>

#include "core/ordelix.h"
#include "sheet/report_sheet.h"

namespace ordelix {

// A line chart of the report: the sheet's own, drawn from its cells as the
// workbook shows it, or a curve its writer marked for showing.
class ReportChartView : public QChartView {
  Q_OBJECT

 public:
  ReportChartView(const ReportSheet& sheet, const LineChart& chart, QWidget* parent = nullptr);
  // `width` and `height` in points, as a sheet's chart has them.
  ReportChartView(const ReportCurve& curve, double width, double height, QWidget* parent = nullptr);

 private:
  void show_chart(QChart* plot, double width, double height);
};

}  // namespace ordelix
