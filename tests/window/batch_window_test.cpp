#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "export_files.h"
#include "fake_dialogs.h"
#include "main_window.h"
#include "report_preview.h"

using ordelix::MainWindow;

namespace {

QMimeData* urls_of(const QStringList& paths) {
  auto* mime = new QMimeData;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << (p.contains("://") ? QUrl(p) : QUrl::fromLocalFile(p));
  mime->setUrls(urls);
  return mime;
}

class BatchWindowTest : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  MainWindow window{dialogs};
  QTemporaryDir dir;

  QString path(const QString& name) const { return dir.filePath(name); }
  QString text1() { return window.findChild<QLineEdit*>("Text1")->text(); }

  // Drops the paths on the window as a file manager would; whether it took them.
  bool drop(const QStringList& paths) {
    std::unique_ptr<QMimeData> mime(urls_of(paths));
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, mime.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(400, 300), Qt::CopyAction, mime.get(), Qt::LeftButton,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &dropped);
    return dropped.isAccepted();
  }

  // day/ holds two export files and a note; day/late/ a third file; bad.PRO gives no report.
  QString day_folder() {
    write_kfactor_export(path("day/a.PRO"));
    write_kfactor_export(path("day/b.pro"));
    write_kfactor_export(path("day/late/c.PRO"));
    QFile note(path("day/notes.txt"));
    EXPECT_TRUE(note.open(QIODevice::WriteOnly));
    QFile bad(path("day/bad.PRO"));
    EXPECT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("7\r\n");
    return path("day");
  }
};

TEST_F(BatchWindowTest, DroppingOneFilePicksItAsBrowseWould) {
  QString file = write_kfactor_export(path("one.PRO"));
  EXPECT_TRUE(drop({file}));
  EXPECT_EQ(window.selectedPath(), file);
  EXPECT_EQ(text1(), file);
  EXPECT_TRUE(window.batchFiles().empty());
  EXPECT_TRUE(dialogs.failures.isEmpty());
}

TEST_F(BatchWindowTest, OnlyLocalFilesCanBeDropped) {
  QString file = write_kfactor_export(path("one.PRO"));
  EXPECT_FALSE(drop({"https://example.invalid/run.PRO"}));
  EXPECT_FALSE(drop({file, "https://example.invalid/run.PRO"}));
  EXPECT_TRUE(window.selectedPath().isEmpty());
  EXPECT_TRUE(text1().isEmpty());
}

TEST_F(BatchWindowTest, DroppingAFolderOrSeveralFilesPicksThemAll) {
  QString day = day_folder();
  EXPECT_TRUE(drop({day}));
  EXPECT_EQ(text1(), "4 export files") << "a.PRO, b.pro, bad.PRO and late/c.PRO";
  EXPECT_TRUE(window.selectedPath().isEmpty());
  ASSERT_EQ(window.batchFiles().size(), 4u);
  EXPECT_EQ(window.batchFiles()[3].relative, "late/c.PRO");

  QString other = write_kfactor_export(path("other.PRO"));
  EXPECT_TRUE(drop({other, day + "/a.PRO"}));
  EXPECT_EQ(text1(), "2 export files");

  dialogs.exportFile = other;
  window.browse();
  EXPECT_TRUE(window.batchFiles().empty()) << "Browse goes back to one file";
  EXPECT_EQ(text1(), other);
}

TEST_F(BatchWindowTest, AFolderWithoutExportFilesKeepsTheChoiceAndSaysWhy) {
  QString file = write_kfactor_export(path("one.PRO"));
  drop({file});
  QDir().mkpath(path("empty"));
  drop({path("empty")});
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_TRUE(dialogs.failures.front().contains("no export files"));
  EXPECT_EQ(window.selectedPath(), file);
}

TEST_F(BatchWindowTest, ConvertAsksForAFolderAndSavesEveryReportWithASummary) {
  QString day = day_folder();
  drop({day});
  dialogs.reportFolder = path("reports");
  EXPECT_EQ(window.convert(), nullptr);

  EXPECT_EQ(dialogs.askedBatchOutput, QList<int>{4}) << "asked first: into a folder";
  EXPECT_EQ(dialogs.suggestedFolders, QStringList{day});
  EXPECT_EQ(dialogs.progressShown, 1);
  EXPECT_EQ(dialogs.progress.total, 4);
  EXPECT_GE(dialogs.progress.updates, 1);
  EXPECT_EQ(dialogs.progress.last.done, 4u);
  EXPECT_EQ(dialogs.progress.last.failed, 1u);
  EXPECT_TRUE(dialogs.askedExisting.isEmpty()) << "no report stood in the folder";
  EXPECT_EQ(dialogs.summaries, QStringList{"3 converted, 1 failed, 0 with warnings"});
  EXPECT_TRUE(dialogs.summarySkipped.isEmpty());
  EXPECT_TRUE(dialogs.summaryWarned.empty());
  EXPECT_EQ(dialogs.summaryFolder, path("reports"));
  ASSERT_EQ(dialogs.summaryFailures.size(), 1);
  EXPECT_TRUE(dialogs.summaryFailures.front().startsWith(day + "/bad.PRO: "));
  EXPECT_TRUE(window.findChildren<ordelix::ReportPreview*>().isEmpty());

  QStringList reports;
  for (const char* name : {"a.xlsx", "b.xlsx", "late/c.xlsx"}) reports << path("reports/") + name;
  for (const QString& report : reports) EXPECT_TRUE(QFile::exists(report)) << report.toStdString();
  EXPECT_FALSE(QFile::exists(path("reports/bad.xlsx")));

  QString by_converter = path("converter.xlsx");
  ASSERT_EQ(QProcess::execute(ORDELIX_CONVERT, {day + "/late/c.PRO", "-o", by_converter}), 0);
  EXPECT_EQ(read_file(reports.back()), read_file(by_converter));
}

// The day converted into reports/ once; then a file added to it, and one of
// its reports cut short as by a copy that stopped.
class ReportsStandingTest : public BatchWindowTest {
 protected:
  void SetUp() override {
    drop({day_folder()});
    dialogs.reportFolder = path("reports");
    window.convert();
    write_kfactor_export(path("day/d.PRO"));
    QFile cut(path("reports/b.xlsx"));
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    for (const char* name : {"a.xlsx", "b.xlsx", "late/c.xlsx"}) before_ << state_of(name);
    drop({path("day")});
    dialogs.summaries.clear();
    dialogs.progressShown = 0;
  }

  // A report's bytes and time, to tell that it was left alone.
  QString state_of(const QString& report) {
    QString full = path("reports/" + report);
    return QString::fromLatin1(read_file(full).toBase64()) + " " +
           QFileInfo(full).lastModified().toString(Qt::ISODateWithMs);
  }

  QStringList before_;
};

TEST_F(ReportsStandingTest, AskedOnceTheyAreKeptAndTheOtherFilesConverted) {
  window.convert();
  EXPECT_EQ(dialogs.askedExisting, QList<int>{3}) << "a, b and late/c";
  EXPECT_EQ(dialogs.summaries, QStringList{"1 converted, 2 failed, 0 with warnings, 2 skipped"});
  EXPECT_EQ(dialogs.summarySkipped,
            (QStringList{
                path("day/a.PRO") + ": its report exists: " + path("reports/a.xlsx"),
                path("day/late/c.PRO") + ": its report exists: " + path("reports/late/c.xlsx")}));
  EXPECT_EQ(dialogs.summaryFailures.size(), 2);
  EXPECT_TRUE(dialogs.summaryFailures.contains(
      path("day/b.pro") + ": the existing report is not complete: " + path("reports/b.xlsx")))
      << dialogs.summaryFailures.join('\n').toStdString();
  EXPECT_TRUE(QFile::exists(path("reports/d.xlsx")));
  QStringList after;
  for (const char* name : {"a.xlsx", "b.xlsx", "late/c.xlsx"}) after << state_of(name);
  EXPECT_EQ(after, before_) << "kept, or left as it was when not to be trusted";
}

TEST_F(ReportsStandingTest, DecliningToSkipConvertsNothing) {
  dialogs.skipExisting = false;
  window.convert();
  EXPECT_EQ(dialogs.askedExisting, QList<int>{3});
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_TRUE(dialogs.summaries.isEmpty());
  EXPECT_FALSE(QFile::exists(path("reports/d.xlsx")));
  QStringList after;
  for (const char* name : {"a.xlsx", "b.xlsx", "late/c.xlsx"}) after << state_of(name);
  EXPECT_EQ(after, before_);
}

TEST_F(BatchWindowTest, TheSummaryNamesTheFilesWithWarningsByTheirWarnings) {
  write_kfactor_export(path("runs/clean.PRO"));
  // Kinetics with a path length code of none, whose count says 7 values where 5 follow.
  QString warned = write_lines(path("runs/short.TSC"),
                               {"4", "0", "1", "LIPASE-3", "10001", "2", "2.0", "0.0", "40", "340",
                                "3", "1", "7", "0.1000", "0.1500", "0.2100", "0.2800", "0.3600"});
  drop({path("runs")});
  dialogs.reportFolder = path("reports");
  window.convert();
  EXPECT_EQ(dialogs.summaries, QStringList{"2 converted, 0 failed, 1 with warnings"});
  ASSERT_EQ(dialogs.summaryWarned.size(), 1u);
  EXPECT_EQ(dialogs.summaryWarned[0].file, warned);
  EXPECT_EQ(dialogs.summaryWarned[0].warnings,
            (QStringList{"Line 5: holds \"10001\", which is none of the path length codes; the "
                         "path length stays empty",
                         "Line 13: says 7 values; the file holds 5"}));
  EXPECT_EQ(dialogs.summaryFolder, path("reports"));
}

TEST_F(BatchWindowTest, ABatchThatMadeNoReportOffersNoFolder) {
  write_lines(path("bad/one.PRO"), {"7"});
  write_lines(path("bad/two.PRO"), {"8"});
  drop({path("bad")});
  dialogs.reportFolder = path("reports");
  window.convert();
  EXPECT_EQ(dialogs.summaries, QStringList{"0 converted, 2 failed, 0 with warnings"});
  EXPECT_TRUE(dialogs.summaryFolder.isEmpty());
}

TEST_F(BatchWindowTest, NoFolderChosenConvertsNothing) {
  drop({day_folder()});
  EXPECT_EQ(window.convert(), nullptr);
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_TRUE(dialogs.summaries.isEmpty());
  EXPECT_FALSE(QFile::exists(path("day/a.xlsx")));
}

TEST_F(BatchWindowTest, ACancelledBatchKeepsWhatIsDoneAndSaysWhatIsLeft) {
  QStringList files;
  for (int i = 0; i < 300; ++i) files << write_kfactor_export(path(QString("many/%1.PRO").arg(i)));
  drop({path("many")});
  dialogs.reportFolder = path("out");
  dialogs.progress.cancel_at_update = 1;
  window.convert();

  ASSERT_EQ(dialogs.summaries.size(), 1);
  int made = static_cast<int>(QDir(path("out")).entryList({"*.xlsx"}).size());
  EXPECT_LT(made, 300) << "the cancel came at the first update";
  EXPECT_EQ(dialogs.summaries.front(),
            QString("%1 converted, 0 failed, 0 with warnings\nCancelled: %2 files left unconverted")
                .arg(made)
                .arg(300 - made));
}

TEST_F(BatchWindowTest, TwoFilesForOneReportAreRefusedBeforeAnythingIsWritten) {
  write_kfactor_export(path("x/run.PRO"));
  write_kfactor_export(path("x/run.pro"));
  drop({path("x/run.PRO"), path("x/run.pro")});
  dialogs.reportFolder = path("out");
  window.convert();
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_TRUE(dialogs.failures.front().contains("would both write"));
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_FALSE(QDir(path("out")).exists());
}

}  // namespace
