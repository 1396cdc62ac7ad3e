#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "core/ordelix.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace ordelix {

class FlexButton;
class ReportPreview;
class WindowDialogs;

// The one window: choose an export file, convert it, preview and save the report.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(WindowDialogs& dialogs, QWidget* parent = nullptr);

  const QString& selectedPath() const { return selectedPath_; }

  void browse();
  // As if Browse had returned `path`.
  void select(const QString& path);
  // Dropped paths: one file is picked as Browse would; several, or a folder,
  // pick every export file in them for one batch.
  void drop(const QStringList& paths);
  // The files of a dropped batch; empty when one file is chosen.
  const std::vector<BatchInput>& batchFiles() const { return batch_; }
  // Converts the chosen file; the new preview, or null when nothing was shown.
  // With a batch picked, converts the batch instead: into a folder, or one workbook.
  ReportPreview* convert();
  void exitProgram();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void tick();
  void place(ReportPreview* preview);

  WindowDialogs& dialogs_;
  QString selectedPath_;
  std::vector<BatchInput> batch_;
  QStringList batchProblems_;
  QLineEdit* path_;
  QLabel* clock_;
  QTimer* timer_;
  QHash<QString, int> conversions_;  // previews opened of each export file
  int previews_ = 0;
};

}  // namespace ordelix
