#pragma once

#include <QStringList>

#include "window_dialogs.h"

// Answers the window's dialogs from prepared values and remembers what was asked.
class FakeDialogs : public ordelix::WindowDialogs {
 public:
  QString exportFile;  // the open dialog's answer; empty is a cancel
  QString reportPath;  // the save dialog's answer; empty is a cancel
  QString askedFilter;
  QString askedPrevious;
  QStringList suggestedReports;
  QStringList failures;

  QString chooseExportFile(QWidget*, const QString& filter, const QString& previous) override {
    askedFilter = filter;
    askedPrevious = previous;
    return exportFile;
  }
  QString chooseReportPath(QWidget*, const QString& suggested) override {
    suggestedReports << suggested;
    return reportPath;
  }
  void showFailure(QWidget*, const QString& message) override { failures << message; }
};
