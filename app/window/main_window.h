#pragma once

#include <QHash>
#include <QWidget>

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
  // Converts the chosen file; the new preview, or null when nothing was shown.
  ReportPreview* convert();
  void exitProgram();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void tick();
  void place(ReportPreview* preview);

  WindowDialogs& dialogs_;
  QString selectedPath_;
  QLineEdit* path_;
  QLabel* clock_;
  QTimer* timer_;
  QHash<QString, int> conversions_;  // previews opened of each export file
  int previews_ = 0;
};

}  // namespace ordelix
