#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "batch_summary_lines.h"
#include "core/ordelix.h"

class QFileDialog;
class QProgressDialog;
class QUrl;
class QWidget;

namespace ordelix {

// What to do with reports never saved when the program or a preview is left:
// save each (the one, for a preview), discard them, or stay.
enum class UnsavedReports { save_all, discard, cancel };

// Where a batch's reports go: a report for each file in a folder, or one
// workbook holding them all; or nowhere.
enum class BatchOutput { folder, combined, cancel };

// Shows how far a batch has come and whether the user asked to stop it.
class BatchProgressView {
 public:
  virtual ~BatchProgressView() = default;
  virtual void update(const BatchProgress& progress) = 0;
  virtual bool cancelled() const = 0;
};

// The dialogs the window and its previews open, and the desktop's default
// applications they hand files to; tests put doubles in their place.
class WindowDialogs {
 public:
  virtual ~WindowDialogs() = default;
  // Empty when cancelled.
  virtual QString chooseExportFile(QWidget* parent, const QString& filter,
                                   const QString& previous) = 0;
  // Empty when cancelled; asks before an existing file is replaced.
  virtual QString chooseReportPath(QWidget* parent, const QString& suggested) = 0;
  virtual void showFailure(QWidget* parent, const QString& message) = 0;
  // Asked on leaving while `count` previews hold a report never saved.
  virtual UnsavedReports askUnsavedReports(QWidget* parent, int count) = 0;
  // Asked on closing a preview whose report was never saved.
  virtual UnsavedReports askUnsavedReport(QWidget* preview) = 0;
  // Opens a file or folder in the desktop's application for it; false when none did.
  virtual bool openOnDesktop(const QUrl& url) = 0;

  // Asked first of a batch of `count` files.
  virtual BatchOutput chooseBatchOutput(QWidget* parent, int count) = 0;
  // Where a batch's reports go; empty when cancelled.
  virtual QString chooseReportFolder(QWidget* parent, const QString& suggested) = 0;
  // Where a batch's combined report goes; empty when cancelled; asks before
  // an existing file is replaced.
  virtual QString chooseCombinedReportPath(QWidget* parent, const QString& suggested) = 0;
  // Asked once when `count` reports of a batch stand in its folder already:
  // true to skip their files and convert the rest, false to convert nothing.
  virtual bool skipExistingReports(QWidget* parent, int count) = 0;
  // Shown until the view is destroyed.
  virtual std::unique_ptr<BatchProgressView> showProgress(QWidget* parent, int total) = 0;
  // Offers to show `folder`, where the reports went, unless it is empty.
  virtual void showBatchSummary(QWidget* parent, const BatchSummaryLines& lines,
                                const QString& folder) = 0;
};

class QtWindowDialogs : public WindowDialogs {
 public:
  QString chooseExportFile(QWidget* parent, const QString& filter,
                           const QString& previous) override;
  QString chooseReportPath(QWidget* parent, const QString& suggested) override;
  void showFailure(QWidget* parent, const QString& message) override;
  UnsavedReports askUnsavedReports(QWidget* parent, int count) override;
  UnsavedReports askUnsavedReport(QWidget* preview) override;
  bool openOnDesktop(const QUrl& url) override;
  BatchOutput chooseBatchOutput(QWidget* parent, int count) override;
  QString chooseReportFolder(QWidget* parent, const QString& suggested) override;
  QString chooseCombinedReportPath(QWidget* parent, const QString& suggested) override;
  bool skipExistingReports(QWidget* parent, int count) override;
  std::unique_ptr<BatchProgressView> showProgress(QWidget* parent, int total) override;
  void showBatchSummary(QWidget* parent, const BatchSummaryLines& lines,
                        const QString& folder) override;
};

// The open dialog's filter in "description|pattern|..." form, nine pairs.
extern const char* const export_file_filter;
// Browse's open dialog, not yet shown, on `previous` (a file or a folder) with
// the filter's descriptions as given and its patterns as the filter means them.
std::unique_ptr<QFileDialog> export_file_dialog(QWidget* parent, const QString& pairs,
                                                const QString& previous);
// The save dialog for a report, not yet shown, on `suggested`: a workbook,
// or the run's data as JSON or CSV, the name's extension following the type.
std::unique_ptr<QFileDialog> report_file_dialog(QWidget* parent, const QString& suggested);
// The same for a batch's combined report: a workbook or the runs' data as JSON.
std::unique_ptr<QFileDialog> combined_report_file_dialog(QWidget* parent, const QString& suggested);

}  // namespace ordelix
