#pragma once

#include <QtCharts/QChartView>

#include "sheet/report_sheet.h"

namespace ordelix {

// A line chart of the report drawn from the sheet's cells, as the workbook's
// own chart shows it.
class ReportChartView : public QChartView {
  Q_OBJECT

 public:
  ReportChartView(const ReportSheet& sheet, const LineChart& chart, QWidget* parent = nullptr);
};

}  // namespace ordelix
