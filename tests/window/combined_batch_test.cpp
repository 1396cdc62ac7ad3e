#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "export_files.h"
#include "fake_dialogs.h"
#include "main_window.h"

namespace {

// Five files dropped on the window for one combined report; bad.PRO gives none.
class CombinedBatchTest : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  ordelix::MainWindow window{dialogs};
  QTemporaryDir dir;
  QStringList files;  // in the order dropped

  QString path(const QString& name) const { return dir.filePath(name); }

  void SetUp() override {
    QDir().mkpath(path("day"));
    ASSERT_TRUE(QFile::copy(ORDELIX_EXAMPLES_DIR "/scan_step5.WSC", path("day/scan.WSC")));
    files << write_melting_export(path("day/probe.TM")) << write_file(path("day/bad.PRO"), "7\r\n")
          << write_kfactor_export(path("day/serum.PRO")) << path("day/scan.WSC")
          << write_kinetics_export(path("day/lipase.TSC"));
    window.drop(files);
    ASSERT_EQ(window.batchFiles().size(), 5u);
    dialogs.batchOutput = ordelix::BatchOutput::combined;
  }

  // What the converter's --combine writes of the same files in the same order.
  QByteArray by_converter(const QString& name) {
    QString report = path(name);
    EXPECT_EQ(QProcess::execute(ORDELIX_CONVERT, QStringList{"--combine", report} + files), 1)
        << "bad.PRO fails";
    QByteArray bytes = read_file(report);
    EXPECT_FALSE(bytes.isEmpty());
    return bytes;
  }
};

TEST_F(CombinedBatchTest, OneWorkbookHoldsEveryReportAsTheConverterCombinesThem) {
  dialogs.combinedPath = path("day.xlsx");
  EXPECT_EQ(window.convert(), nullptr);

  EXPECT_EQ(dialogs.askedBatchOutput, QList<int>{5});
  EXPECT_EQ(dialogs.suggestedCombined, QStringList{path("day/day.xlsx")});
  EXPECT_TRUE(dialogs.suggestedFolders.isEmpty());
  EXPECT_EQ(dialogs.progressShown, 1);
  EXPECT_EQ(dialogs.progress.total, 5);
  EXPECT_EQ(dialogs.summaries,
            QStringList{"4 converted, 1 failed, 0 with warnings\nAll in " + path("day.xlsx")});
  ASSERT_EQ(dialogs.summaryFailures.size(), 1);
  EXPECT_TRUE(dialogs.summaryFailures.front().startsWith(path("day/bad.PRO") + ": "));
  EXPECT_EQ(dialogs.summaryFolder, dir.path()) << "the folder the workbook went to";
  EXPECT_TRUE(QDir(path("day")).entryList({"*.xlsx"}).isEmpty()) << "no report of its own";
  EXPECT_EQ(read_file(path("day.xlsx")), by_converter("converter.xlsx"));
}

TEST_F(CombinedBatchTest, NamedJsonItHoldsTheRunsDataAsTheConverterCombinesThem) {
  dialogs.combinedPath = path("day.json");
  window.convert();
  EXPECT_EQ(dialogs.summaries,
            QStringList{"4 converted, 1 failed, 0 with warnings\nAll in " + path("day.json")});
  EXPECT_EQ(read_file(path("day.json")), by_converter("converter.json"));
}

TEST_F(CombinedBatchTest, AFileStandingThereIsReplacedOnlyWhenTheSaveDialogAgreed) {
  write_file(path("day.xlsx"), "kept");
  window.convert();  // the dialog cancelled, as when its question is declined
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_TRUE(dialogs.summaries.isEmpty());
  EXPECT_EQ(read_file(path("day.xlsx")), "kept");

  dialogs.combinedPath = path("day.xlsx");
  window.convert();
  EXPECT_EQ(read_file(path("day.xlsx")), by_converter("converter.xlsx"));
}

TEST_F(CombinedBatchTest, AnExportFileOrACsvFileIsRefusedBeforeAnythingIsConverted) {
  QByteArray serum = read_file(files[2]);
  dialogs.combinedPath = files[2];
  window.convert();
  dialogs.combinedPath = path("day.csv");
  window.convert();

  ASSERT_EQ(dialogs.failures.size(), 2);
  EXPECT_EQ(dialogs.failures[0], files[2] +
                                     ": the combined report would replace this export file; "
                                     "nothing was converted");
  EXPECT_TRUE(dialogs.failures[1].startsWith("A CSV file holds one report's table"));
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_EQ(read_file(files[2]), serum);
  EXPECT_FALSE(QFile::exists(path("day.csv")));
}

TEST_F(CombinedBatchTest, AWorkbookThatCannotBeSavedFailsEachFileNamingIt) {
  QString target = path("gone/day.xlsx");
  dialogs.combinedPath = target;
  window.convert();
  EXPECT_EQ(dialogs.summaries, QStringList{"0 converted, 5 failed, 0 with warnings"});
  ASSERT_EQ(dialogs.summaryFailures.size(), 5);
  for (const QString& line : dialogs.summaryFailures) {
    if (line.startsWith(files[1])) continue;  // bad.PRO failed for itself
    EXPECT_TRUE(line.contains(target)) << line.toStdString();
  }
  EXPECT_FALSE(QFile::exists(target));
}

TEST_F(CombinedBatchTest, ACancelSavesNothing) {
  dialogs.combinedPath = path("day.xlsx");
  dialogs.progress.cancel_at_update = 1;
  window.convert();
  EXPECT_EQ(dialogs.summaries, QStringList{"Cancelled: " + path("day.xlsx") + " was not saved"});
  EXPECT_FALSE(QFile::exists(path("day.xlsx")));
}

TEST_F(CombinedBatchTest, ChoosingNeitherConvertsNothing) {
  dialogs.batchOutput = ordelix::BatchOutput::cancel;
  dialogs.combinedPath = path("day.xlsx");
  dialogs.reportFolder = path("reports");
  window.convert();
  EXPECT_EQ(dialogs.askedBatchOutput, QList<int>{5});
  EXPECT_TRUE(dialogs.suggestedCombined.isEmpty());
  EXPECT_TRUE(dialogs.suggestedFolders.isEmpty());
  EXPECT_EQ(dialogs.progressShown, 0);
  EXPECT_FALSE(QFile::exists(path("day.xlsx")));
  EXPECT_FALSE(QDir(path("reports")).exists());
}

}  // namespace
