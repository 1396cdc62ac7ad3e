#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

#include "window_dialogs.h"

// Records what a batch showed; asks to cancel at the update given.
class FakeProgress : public ordelix::BatchProgressView {
 public:
  struct Log {
    int total = 0;
    int updates = 0;
    int cancel_at_update = 0;  // 0: never
    ordelix::BatchProgress last;
  };

  explicit FakeProgress(Log& log) : log_(log) {}
  void update(const ordelix::BatchProgress& progress) override {
    ++log_.updates;
    log_.last = progress;
  }
  bool cancelled() const override {
    return log_.cancel_at_update > 0 && log_.updates >= log_.cancel_at_update;
  }

 private:
  Log& log_;
};

// Answers the window's dialogs from prepared values and remembers what was asked.
class FakeDialogs : public ordelix::WindowDialogs {
 public:
  QString exportFile;           // the open dialog's answer; empty is a cancel
  QString reportPath;           // the save dialog's answer; empty is a cancel
  QStringList nextReportPaths;  // answers taken before reportPath, one per save
  ordelix::UnsavedReports unsavedAnswer = ordelix::UnsavedReports::discard;
  QList<int> askedUnsaved;              // the count of each question on leaving
  QList<QWidget*> askedUnsavedPreview;  // each preview that asked on closing; unsavedAnswer answers
  bool desktopOpens = true;
  QList<QUrl> opened;

  ordelix::BatchOutput batchOutput = ordelix::BatchOutput::folder;
  QList<int> askedBatchOutput;  // the count of files each time
  QString reportFolder;         // the folder dialog's answer; empty is a cancel
  QStringList suggestedFolders;
  QString combinedPath;  // the combined report's save dialog's answer; empty is a cancel
  QStringList suggestedCombined;
  bool skipExisting = true;  // the answer when reports stand in the folder already
  QList<int> askedExisting;  // the count of each such question
  FakeProgress::Log progress;
  int progressShown = 0;
  QStringList summaries;
  QStringList summaryFailures;
  QStringList summarySkipped;
  std::vector<ordelix::WarnedFile> summaryWarned;
  QString summaryFolder;  // the folder the summary offered to show; empty when none
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
  ordelix::UnsavedReports askUnsavedReport(QWidget* preview) override {
    askedUnsavedPreview << preview;
    return unsavedAnswer;
  }
  bool openOnDesktop(const QUrl& url) override {
    opened << url;
    return desktopOpens;
  }
  ordelix::BatchOutput chooseBatchOutput(QWidget*, int count) override {
    askedBatchOutput << count;
    return batchOutput;
  }
  QString chooseCombinedReportPath(QWidget*, const QString& suggested) override {
    suggestedCombined << suggested;
    return combinedPath;
  }
  QString chooseReportFolder(QWidget*, const QString& suggested) override {
    suggestedFolders << suggested;
    return reportFolder;
  }
  bool skipExistingReports(QWidget*, int count) override {
    askedExisting << count;
    return skipExisting;
  }
  std::unique_ptr<ordelix::BatchProgressView> showProgress(QWidget*, int total) override {
    ++progressShown;
    progress.total = total;
    return std::make_unique<FakeProgress>(progress);
  }
  void showBatchSummary(QWidget*, const ordelix::BatchSummaryLines& lines,
                        const QString& folder) override {
    summaries << lines.text;
    summaryFailures = lines.failures;
    summarySkipped = lines.skipped;
    summaryWarned = lines.warned;
    summaryFolder = folder;
  }
};
