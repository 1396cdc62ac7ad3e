#include "window_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace ordelix {

const char* const export_file_filter =
    "ALL (*.*)|*.*|PROTEIN (*.PRO)|*.PRO|CONCENTRATION (*.CON)|*.CON|DNA/RNA (*.NUC)|*.NUC|"
    "KINETICS (*.TSC)|*.TSC|OD600 (*.OD)|*.OD|PHOTOMETRY (*.PHT)|*.PHT|TM (*.TM)|*.TM|"
    "WL SCAN (*.WSC)|*.WSC";

QString qt_name_filters(const QString& pairs) {
  QStringList parts = pairs.split('|');
  QStringList filters;
  // Qt reads the patterns from the parentheses, so each description carries its own.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << parts[i];
  return filters.join(";;");
}

QString QtWindowDialogs::chooseExportFile(QWidget* parent, const QString& filter,
                                          const QString& previous) {
  return QFileDialog::getOpenFileName(parent, QString(), previous, qt_name_filters(filter));
}

QString QtWindowDialogs::chooseReportPath(QWidget* parent, const QString& suggested) {
  QFileDialog dialog(parent, QObject::tr("Save report as"), suggested,
                     QObject::tr("Excel workbook (*.xlsx)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("xlsx");
  dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void QtWindowDialogs::showFailure(QWidget* parent, const QString& message) {
  QMessageBox::warning(parent, QObject::tr("TAVRO"), message);
}

UnsavedReports QtWindowDialogs::askUnsavedReports(QWidget* parent, int count) {
  QString text = count == 1 ? QObject::tr("A report in preview has not been saved.")
                            : QObject::tr("%1 reports in preview have not been saved.").arg(count);
  QMessageBox box(QMessageBox::Question, QObject::tr("TAVRO"), text,
                  QMessageBox::SaveAll | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::SaveAll);
  switch (box.exec()) {
    case QMessageBox::SaveAll:
      return UnsavedReports::save_all;
    case QMessageBox::Discard:
      return UnsavedReports::discard;
    default:
      return UnsavedReports::cancel;
  }
}

bool QtWindowDialogs::openOnDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace ordelix
