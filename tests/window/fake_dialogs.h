#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include "window_dialogs.h"

// Answers the window's dialogs from prepared values and remembers what was asked.
class FakeDialogs : public ordelix::WindowDialogs {
 public:
  QString exportFile;           // the open dialog's answer; empty is a cancel
  QString reportPath;           // the save dialog's answer; empty is a cancel
  QStringList nextReportPaths;  // answers taken before reportPath, one per save
  ordelix::UnsavedReports unsavedAnswer = ordelix::UnsavedReports::discard;
  QList<int> askedUnsaved;  // the count of each question on leaving
  bool desktopOpens = true;
  QList<QUrl> opened;
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
    return nextReportPaths.isEmpty() ? reportPath : nextReportPaths.takeFirst();
  }
  void showFailure(QWidget*, const QString& message) override { failures << message; }
  ordelix::UnsavedReports askUnsavedReports(QWidget*, int count) override {
    askedUnsaved << count;
    return unsavedAnswer;
  }
  bool openOnDesktop(const QUrl& url) override {
    opened << url;
    return desktopOpens;
  }
};
