#include "window_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <algorithm>

#include "batch_summary_box.h"

namespace ordelix {
namespace {

class ProgressDialogView : public BatchProgressView {
 public:
  ProgressDialogView(QWidget* parent, int total)
      : dialog_(QObject::tr("Converting..."), QObject::tr("Cancel"), 0, total, parent) {
    dialog_.setWindowTitle(QObject::tr("TAVRO"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(0);
    dialog_.setMinimumWidth(480);
    dialog_.setValue(0);
  }

  void update(const BatchProgress& progress) override {
    dialog_.setValue(static_cast<int>(progress.done));
    dialog_.setLabelText(
        QObject::tr("%1 of %2 done, %3 failed\n%4")
            .arg(progress.done)
            .arg(progress.total)
            .arg(progress.failed)
            .arg(QFileInfo(QFile::decodeName(progress.current.c_str())).fileName()));
  }
  bool cancelled() const override { return dialog_.wasCanceled(); }

 private:
  QProgressDialog dialog_;
};

UnsavedReports ask_unsaved(QWidget* parent, const QString& text, QMessageBox::StandardButton save) {
  QMessageBox box(QMessageBox::Question, QObject::tr("TAVRO"), text,
                  save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(save);
  int answer = box.exec();
  if (answer == save) return UnsavedReports::save_all;
  return answer == QMessageBox::Discard ? UnsavedReports::discard : UnsavedReports::cancel;
}

// The report's format follows the type chosen, named as the converter names it.
std::unique_ptr<QFileDialog> save_dialog(QWidget* parent, const QString& caption,
                                         const QString& suggested, const QStringList& types) {
  auto dialog = std::make_unique<QFileDialog>(parent, caption, suggested);
  dialog->setNameFilters(types);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix("xlsx");
  QObject::connect(dialog.get(), &QFileDialog::filterSelected, dialog.get(),
                   [dialog = dialog.get()](const QString& type) {
                     QString suffix = type.section("*.", 1).chopped(1);
                     dialog->setDefaultSuffix(suffix);
                     QFileInfo chosen(dialog->selectedFiles().value(0));
                     if (!chosen.fileName().isEmpty())
                       dialog->selectFile(chosen.completeBaseName() + "." + suffix);
                   });
  dialog->selectFile(suggested);
  return dialog;
}

QString chosen_path(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

const char* const export_file_filter =
    "ALL (*.*)|*.*|PROTEIN (*.PRO)|*.PRO|CONCENTRATION (*.CON)|*.CON|DNA/RNA (*.NUC)|*.NUC|"
    "KINETICS (*.TSC)|*.TSC|OD600 (*.OD)|*.OD|PHOTOMETRY (*.PHT)|*.PHT|TM (*.TM)|*.TM|"
    "WL SCAN (*.WSC)|*.WSC";

std::unique_ptr<QFileDialog> export_file_dialog(QWidget* parent, const QString& pairs,
                                                const QString& previous) {
  QStringList parts = pairs.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';');
    // "*.*" is every file where the filter comes from; Qt would ask for a dot.
    std::replace(patterns.begin(), patterns.end(), QString("*.*"), QString("*"));
    // Qt takes the patterns from the last parentheses and, told to hide them,
    // shows the description alone.
    filters << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  auto dialog = std::make_unique<QFileDialog>(parent, QString(), previous);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setNameFilters(filters);
  return dialog;
}

QString QtWindowDialogs::chooseExportFile(QWidget* parent, const QString& filter,
                                          const QString& previous) {
  std::unique_ptr<QFileDialog> dialog = export_file_dialog(parent, filter, previous);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return dialog->selectedFiles().front();
}

std::unique_ptr<QFileDialog> report_file_dialog(QWidget* parent, const QString& suggested) {
  return save_dialog(
      parent, QObject::tr("Save report as"), suggested,
      {QObject::tr("Excel workbook (*.xlsx)"), QObject::tr("Run data as JSON (*.json)"),
       QObject::tr("Run data as CSV (*.csv)")});
}

std::unique_ptr<QFileDialog> combined_report_file_dialog(QWidget* parent,
                                                         const QString& suggested) {
  return save_dialog(parent, QObject::tr("Save the combined workbook as"), suggested,
                     {QObject::tr("Excel workbook, a sheet for each file (*.xlsx)"),
                      QObject::tr("Runs' data as JSON (*.json)")});
}

QString QtWindowDialogs::chooseReportPath(QWidget* parent, const QString& suggested) {
  return chosen_path(*report_file_dialog(parent, suggested));
}

void QtWindowDialogs::showFailure(QWidget* parent, const QString& message) {
  QMessageBox::warning(parent, QObject::tr("TAVRO"), message);
}

UnsavedReports QtWindowDialogs::askUnsavedReports(QWidget* parent, int count) {
  QString text = count == 1 ? QObject::tr("A report in preview has not been saved.")
                            : QObject::tr("%1 reports in preview have not been saved.").arg(count);
  return ask_unsaved(parent, text, QMessageBox::SaveAll);
}

UnsavedReports QtWindowDialogs::askUnsavedReport(QWidget* preview) {
  return ask_unsaved(preview, QObject::tr("The report in this preview has not been saved."),
                     QMessageBox::Save);
}

bool QtWindowDialogs::openOnDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

BatchOutput QtWindowDialogs::chooseBatchOutput(QWidget* parent, int count) {
  QString text = count == 1 ? QObject::tr("Convert 1 export file")
                            : QObject::tr("Convert %1 export files").arg(count);
  QMessageBox box(QMessageBox::Question, QObject::tr("TAVRO"), text, QMessageBox::Cancel, parent);
  box.setInformativeText(
      QObject::tr("Save a report for each file in a folder, or all the "
                  "reports in one workbook, a sheet for each file?"));
  QPushButton* folder =
      box.addButton(QObject::tr("Into a folder, a report each"), QMessageBox::AcceptRole);
  QPushButton* combined =
      box.addButton(QObject::tr("One combined workbook..."), QMessageBox::AcceptRole);
  box.setDefaultButton(folder);
  box.exec();
  if (box.clickedButton() == folder) return BatchOutput::folder;
  return box.clickedButton() == combined ? BatchOutput::combined : BatchOutput::cancel;
}

QString QtWindowDialogs::chooseCombinedReportPath(QWidget* parent, const QString& suggested) {
  return chosen_path(*combined_report_file_dialog(parent, suggested));
}

QString QtWindowDialogs::chooseReportFolder(QWidget* parent, const QString& suggested) {
  return QFileDialog::getExistingDirectory(parent, QObject::tr("Save the reports in"), suggested);
}

bool QtWindowDialogs::skipExistingReports(QWidget* parent, int count) {
  QString text = count == 1 ? QObject::tr("A report already exists in this folder.")
                            : QObject::tr("%1 reports already exist in this folder.").arg(count);
  QMessageBox box(QMessageBox::Question, QObject::tr("TAVRO"), text, QMessageBox::Cancel, parent);
  box.setInformativeText(
      QObject::tr("Existing reports are not replaced. Skip their files and convert the rest?"));
  QPushButton* skip = box.addButton(QObject::tr("Skip and Convert"), QMessageBox::AcceptRole);
  box.setDefaultButton(skip);
  box.exec();
  return box.clickedButton() == skip;
}

std::unique_ptr<BatchProgressView> QtWindowDialogs::showProgress(QWidget* parent, int total) {
  return std::make_unique<ProgressDialogView>(parent, total);
}

void QtWindowDialogs::showBatchSummary(QWidget* parent, const BatchSummaryLines& lines,
                                       const QString& folder) {
  std::unique_ptr<QMessageBox> box = batch_summary_box(parent, lines, folder);
  box->exec();
  QAbstractButton* clicked = box->clickedButton();
  if (clicked && clicked->objectName() == "ShowFolderButton" &&
      !openOnDesktop(QUrl::fromLocalFile(folder)))
    showFailure(parent,
                QObject::tr("No application opened %1").arg(QDir::toNativeSeparators(folder)));
}

}  // namespace ordelix
