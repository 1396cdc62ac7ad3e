#pragma once

#include <QWidget>

#include "core/ordelix.h"

class QTableView;

namespace ordelix {

class ReportChartView;
class SavedReportBar;
class WindowDialogs;

// Shows one converted report as a spreadsheet would and saves it on request.
class ReportPreview : public QWidget {
  Q_OBJECT

 public:
  ReportPreview(Conversion conversion, QString exportPath, WindowDialogs& dialogs,
                QWidget* parent = nullptr);

  const Conversion& conversion() const { return conversion_; }
  QTableView* table() const { return table_; }

  // Asks for a file name and saves there; false when cancelled or failed.
  bool save();
  // Whether the report was saved at least once.
  bool saved() const { return saved_; }
  // Closes without asking about a report never saved: the caller has settled it.
  void closeUnasked();

 protected:
  // Asks first when the report was never saved.
  void closeEvent(QCloseEvent* event) override;

 private:
  // `left` and `top` in points from the sheet's corner.
  void place_chart(ReportChartView* view, double left, double top);

  Conversion conversion_;
  QString exportPath_;
  WindowDialogs& dialogs_;
  QTableView* table_;
  SavedReportBar* savedBar_;
  bool saved_ = false;
  bool asks_on_close_ = true;
};

}  // namespace ordelix
