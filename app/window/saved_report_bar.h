#pragma once

#include <QWidget>

class QLabel;

namespace ordelix {

class WindowDialogs;

// Tells where a report was saved, with the means to open it and its folder
// in the desktop's applications. Hidden until the first save.
class SavedReportBar : public QWidget {
  Q_OBJECT

 public:
  SavedReportBar(WindowDialogs& dialogs, QWidget* parent = nullptr);

  void showSaved(const QString& path);

 private:
  void open(const QString& path);

  WindowDialogs& dialogs_;
  QLabel* status_;
  QString path_;
};

}  // namespace ordelix
