#include "combined_conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "batch_progress.h"
#include "batch_summary_lines.h"
#include "window_dialogs.h"

namespace ordelix {
namespace {

// Named after the folder of the first file, in it: a day's runs give day.xlsx.
QString suggested_path(const std::vector<BatchInput>& files) {
  QDir folder = QFileInfo(QFile::decodeName(files.front().path.c_str())).dir();
  QString name = folder.dirName().isEmpty() ? QObject::tr("combined") : folder.dirName();
  return folder.filePath(name + ".xlsx");
}

// Why the report cannot go to `target` before anything is converted; empty when it can.
QString target_refusal(const std::vector<std::string>& inputs, const std::string& target,
                       ReportFormat format) {
  if (auto input = batch_find_input_at(inputs, target))
    return QObject::tr("%1: the combined report would replace this export file")
        .arg(QFile::decodeName(inputs[*input].c_str()));
  if (format == ReportFormat::csv)
    return QObject::tr(
        "A CSV file holds one report's table: the combined report is a workbook "
        "(.xlsx) or JSON (.json)");
  return {};
}

}  // namespace

void combined_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                             const std::vector<BatchInput>& files, const QStringList& problems) {
  QString chosen = dialogs.chooseCombinedReportPath(parent, suggested_path(files));
  if (chosen.isEmpty()) return;
  std::string target = QFile::encodeName(chosen).toStdString();
  ReportFormat format = report_format_for(target).value_or(ReportFormat::xlsx);
  std::vector<std::string> inputs;
  for (const BatchInput& file : files) inputs.push_back(file.path);
  if (QString refusal = target_refusal(inputs, target, format); !refusal.isEmpty()) {
    dialogs.showFailure(parent, refusal + QObject::tr("; nothing was converted"));
    return;
  }

  ConvertedBatch batch;
  bool cancelled =
      batch_run_with_progress(parent, dialogs, static_cast<int>(inputs.size()),
                              [&](BatchObserver& observer, const std::atomic<bool>& cancel) {
                                BatchSettings settings;
                                settings.workers = default_workers();
                                settings.cancel = &cancel;
                                batch = batch_convert(inputs, settings, observer);
                              });
  std::vector<BatchJob> jobs;
  for (const std::string& input : inputs) jobs.push_back({input, target});
  if (cancelled) {
    BatchSummaryLines lines = batch_summary_lines(jobs, batch.outcomes, problems, false);
    lines.text = QObject::tr("Cancelled: %1 was not saved").arg(chosen);
    lines.warned.clear();  // no report was saved to warn of
    dialogs.showBatchSummary(parent, lines, {});
    return;
  }

  CombinedSheets combined = batch_combined_sheets(inputs, batch);
  bool saved = false;
  if (!combined.sheets.empty()) {
    // The dialog has asked before a file is replaced.
    Result<void> result = batch_combined_save(inputs, batch, combined, target, format,
                                              /*replace_existing=*/true);
    saved = result.ok();
    // Then none of the files counts as converted.
    if (!saved)
      for (std::size_t i : combined.files) batch.outcomes[i].result = result;
  }
  BatchSummaryLines lines = batch_summary_lines(jobs, batch.outcomes, problems, false);
  if (saved) lines.text += QObject::tr("\nAll in %1").arg(chosen);
  dialogs.showBatchSummary(parent, lines, saved ? QFileInfo(chosen).absolutePath() : QString());
}

}  // namespace ordelix
