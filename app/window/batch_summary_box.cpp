#include "batch_summary_box.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

namespace ordelix {
namespace {

// Files named with their first warning at a glance; Details has the rest.
constexpr std::size_t warned_at_a_glance = 10;

QString first_warning_line(const WarnedFile& file) {
  QString line = QObject::tr("%1: %2").arg(file.file, file.warnings.front());
  qsizetype more = file.warnings.size() - 1;
  if (more > 0) line += QObject::tr(" (and %1 more under Details)").arg(more);
  return line;
}

QString warned_at_glance(const std::vector<WarnedFile>& warned) {
  QStringList lines;
  for (std::size_t i = 0; i < warned.size() && i < warned_at_a_glance; ++i)
    lines << first_warning_line(warned[i]);
  if (warned.size() > warned_at_a_glance)
    lines << QObject::tr("and %1 more files with warnings, under Details")
                 .arg(warned.size() - warned_at_a_glance);
  return QObject::tr("Reports with warnings about their export files:\n%1").arg(lines.join('\n'));
}

QString warned_in_full(const std::vector<WarnedFile>& warned) {
  QStringList lines{QObject::tr("Warnings:")};
  for (const WarnedFile& file : warned) {
    lines << file.file;
    for (const QString& warning : file.warnings) lines << "  " + warning;
  }
  return lines.join('\n');
}

}  // namespace

std::unique_ptr<QMessageBox> batch_summary_box(QWidget* parent, const BatchSummaryLines& lines,
                                               const QString& folder) {
  auto box = std::make_unique<QMessageBox>(
      lines.failures.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
      QObject::tr("TAVRO"), lines.text, QMessageBox::Ok, parent);
  QStringList glance;
  QStringList details;
  if (!lines.warned.empty()) glance << warned_at_glance(lines.warned);
  if (!lines.failures.isEmpty()) {
    glance << QObject::tr("Details list each file that gave no report, and why.");
    details << lines.failures.join('\n');
  }
  if (!lines.warned.empty()) details << warned_in_full(lines.warned);
  if (!lines.skipped.isEmpty())
    details << QObject::tr("Skipped, their reports kept:\n%1").arg(lines.skipped.join('\n'));
  if (!glance.isEmpty()) box->setInformativeText(glance.join("\n\n"));
  if (!details.isEmpty()) box->setDetailedText(details.join("\n\n"));
  if (!folder.isEmpty()) {
    QPushButton* show = box->addButton(QObject::tr("Show folder"), QMessageBox::ActionRole);
    show->setObjectName("ShowFolderButton");
    show->setToolTip(QDir::toNativeSeparators(folder));
  }
  box->setDefaultButton(QMessageBox::Ok);
  return box;
}

}  // namespace ordelix
