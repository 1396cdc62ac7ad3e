#include "report_preview.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "preview_placement.h"
#include "report_chart_view.h"
#include "saved_report_bar.h"
#include "sheet/column_widths.h"
#include "sheet_table_model.h"
#include "spill_delegate.h"
#include "warnings_panel.h"
#include "window_dialogs.h"

namespace ordelix {

ReportPreview::ReportPreview(Conversion conversion, QString exportPath, WindowDialogs& dialogs,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      conversion_(std::move(conversion)),
      exportPath_(std::move(exportPath)),
      dialogs_(dialogs),
      table_(new QTableView(this)),
      savedBar_(new SavedReportBar(dialogs, this)) {
  setObjectName("ReportPreview");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(preview_title(exportPath_, 1));
  resize(1100, 680);

  table_->setModel(new SheetTableModel(conversion_.sheet, table_));
  table_->setItemDelegate(new SpillDelegate(table_));
  table_->setShowGrid(false);  // the delegate draws it, around spilled texts
  table_->setWordWrap(false);
  table_->verticalHeader()->setDefaultSectionSize(22);
  constexpr int column_px = 72;
  table_->horizontalHeader()->setDefaultSectionSize(column_px);
  for (const auto& [col, width] : column_widths(conversion_.sheet))
    table_->setColumnWidth(col - 1, static_cast<int>(column_px * width / default_column_width));
  for (const CellRange& m : conversion_.sheet.merges())
    table_->setSpan(m.first_row - 1, m.first_col - 1, m.last_row - m.first_row + 1,
                    m.last_col - m.first_col + 1);

  for (const LineChart& chart : conversion_.sheet.charts())
    place_chart(new ReportChartView(conversion_.sheet, chart, table_->viewport()), chart.left,
                chart.top);
  // The workbook holds no chart of a curve: it stands where and as large as
  // a scan's does, right of the table.
  if (std::optional<ReportCurve> curve = report_curve(conversion_.sheet)) {
    constexpr double left = 350, top = 0, width = 350, height = 250;
    place_chart(new ReportChartView(*curve, width, height, table_->viewport()), left, top);
  }

  auto* save_button = new QPushButton(tr("Save..."), this);
  save_button->setObjectName("SaveButton");
  connect(save_button, &QPushButton::clicked, this, [this] { save(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new WarningsPanel(conversion_.warnings, this));
  layout->addWidget(table_);
  layout->addLayout(buttons);
  layout->addWidget(savedBar_);
}

// The chart floats over the sheet at the cell where a spreadsheet anchors it:
// its position is given in points over columns 64 and rows 20 pixels apart.
void ReportPreview::place_chart(ReportChartView* view, double left, double top) {
  constexpr double sheet_column_px = 64;
  constexpr double sheet_row_px = 20;
  double x = left * pixels_per_point / sheet_column_px;
  double y = top * pixels_per_point / sheet_row_px;
  auto place = [this, view, x, y] {
    int col = static_cast<int>(x);
    int row = static_cast<int>(y);
    view->move(
        table_->columnViewportPosition(col) +
            static_cast<int>((x - col) * table_->columnWidth(col)),
        table_->rowViewportPosition(row) + static_cast<int>((y - row) * table_->rowHeight(row)));
  };
  connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, view, place);
  connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, view, place);
  place();
  view->show();
}

bool ReportPreview::save() {
  QFileInfo source(exportPath_);
  QString suggested = source.dir().filePath(source.completeBaseName() + ".xlsx");
  QString target = dialogs_.chooseReportPath(this, suggested);
  if (target.isEmpty()) return false;

  std::string target_path = QFile::encodeName(target).toStdString();
  ReportChoice choice;
  choice.format = report_format_for(target_path).value_or(ReportFormat::xlsx);
  choice.replace_existing = true;  // the dialog has asked
  Result<void> saved = report_save_as(QFile::encodeName(exportPath_).toStdString(), conversion_,
                                      target_path, choice);
  if (!saved) {
    dialogs_.showFailure(this,
                         tr("%1 was not saved: %2")
                             .arg(target, QString::fromStdString(problem_text(saved.error()))));
    return false;
  }
  saved_ = true;
  savedBar_->showSaved(target);
  return true;
}

void ReportPreview::closeUnasked() {
  asks_on_close_ = false;
  close();
}

void ReportPreview::closeEvent(QCloseEvent* event) {
  if (saved_ || !asks_on_close_) return;
  switch (dialogs_.askUnsavedReport(this)) {
    case UnsavedReports::save_all:
      if (!save()) event->ignore();
      return;
    case UnsavedReports::discard:
      return;
    case UnsavedReports::cancel:
      event->ignore();
      return;
  }
}

}  // namespace ordelix
