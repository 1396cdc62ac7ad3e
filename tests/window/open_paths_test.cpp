#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include "export_files.h"
#include "fake_dialogs.h"
#include "main_window.h"
#include "open_paths.h"
#include "report_preview.h"

using ordelix::MainWindow;
using ordelix::ReportPreview;

namespace {

class OpenPathsTest : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  MainWindow window{dialogs};
  QTemporaryDir dir;

  QList<ReportPreview*> previews() { return window.findChildren<ReportPreview*>(); }
  QString text1() { return window.findChild<QLineEdit*>("Text1")->text(); }
};

TEST_F(OpenPathsTest, OneFileIsConvertedAndItsReportShown) {
  QString file = write_kfactor_export(dir, "serum.PRO");
  ordelix::open_paths(window, {file});

  ASSERT_EQ(previews().size(), 1);
  ReportPreview* preview = previews().front();
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->windowTitle(), "Report - serum.PRO");
  EXPECT_EQ(preview->table()->model()->index(11, 0).data().toString(),
            "CONC = 2.5 * OD + 0.05       ");
  EXPECT_EQ(dialogs.suggestedReports, QStringList{dir.filePath("serum.xlsx")})
      << "asked where to save, as Convert does";
  EXPECT_EQ(window.selectedPath(), file);
  EXPECT_EQ(text1(), file);
  EXPECT_TRUE(dialogs.failures.isEmpty());
}

TEST_F(OpenPathsTest, WhatGivesNoReportIsSaidInTheMessageWithoutAPreview) {
  QString notes = dir.filePath("notes.txt");
  write_lines(notes, {"2"});
  QString bare = dir.filePath("REPRO");
  write_lines(bare, {"2"});
  QString missing = dir.filePath("gone/run.PRO");
  QString fifo = dir.filePath("pipe.PRO");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

  for (const QString& path : {notes, bare, missing, fifo}) ordelix::open_paths(window, {path});
  EXPECT_TRUE(previews().isEmpty());
  ASSERT_EQ(dialogs.failures.size(), 4);
  EXPECT_EQ(dialogs.failures[0], notes +
                                     ": the extension names no measurement mode (PRO, NUC, "
                                     "CON, PHT, OD, TSC, TM, WSC)");
  EXPECT_EQ(dialogs.failures[1], bare + ": the name has no extension");
  EXPECT_EQ(dialogs.failures[2], missing + ": cannot open: No such file or directory");
  EXPECT_TRUE(dialogs.failures[3].startsWith(fifo + ": is not a regular file"))
      << "a pipe without a writer does not stall the window";
  EXPECT_TRUE(dialogs.suggestedReports.isEmpty());
}

TEST_F(OpenPathsTest, SeveralFilesOrAFolderArePickedAsOneBatch) {
  QString a = write_kfactor_export(dir, "a.PRO");
  QString b = write_kfactor_export(dir, "b.PRO");
  ordelix::open_paths(window, {a, b});
  EXPECT_EQ(window.batchFiles().size(), 2u);
  EXPECT_EQ(text1(), "2 export files");

  ASSERT_TRUE(QDir(dir.path()).mkdir("day"));
  for (const char* name : {"day/1.PRO", "day/2.PRO", "day/3.PRO"}) write_kfactor_export(dir, name);
  ordelix::open_paths(window, {dir.filePath("day")});
  ASSERT_EQ(window.batchFiles().size(), 3u);
  EXPECT_EQ(window.batchFiles()[2].relative, "3.PRO");
  EXPECT_EQ(text1(), "3 export files");

  EXPECT_TRUE(previews().isEmpty()) << "a batch waits for Convert, which asks for a folder";
  EXPECT_TRUE(dialogs.suggestedFolders.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.xlsx"}).isEmpty());
  EXPECT_TRUE(dialogs.failures.isEmpty());
}

TEST_F(OpenPathsTest, NoPathsLeaveTheWindowAsItWas) {
  ordelix::open_paths(window, {});
  EXPECT_TRUE(window.selectedPath().isEmpty());
  EXPECT_TRUE(window.batchFiles().empty());
  EXPECT_TRUE(text1().isEmpty());
  EXPECT_TRUE(dialogs.failures.isEmpty());
}

TEST(AbsolutePaths, AreTakenFromWhereTheCommandRan) {
  QDir working("/data/run 7");
  EXPECT_EQ(
      ordelix::absolute_paths({"a.PRO", "./sub/b.PRO", "../c.PRO", "/abs/d.PRO"}, working),
      QStringList({"/data/run 7/a.PRO", "/data/run 7/sub/b.PRO", "/data/c.PRO", "/abs/d.PRO"}));
  EXPECT_EQ(ordelix::absolute_paths({"測定 1.PRO", "données", "", "-x.PRO"}, working),
            QStringList({"/data/run 7/測定 1.PRO", "/data/run 7/données", "/data/run 7/-x.PRO"}))
      << "an empty argument names nothing";
  EXPECT_TRUE(ordelix::absolute_paths({}, working).isEmpty());
}

}  // namespace
