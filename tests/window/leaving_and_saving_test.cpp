#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>

#include "export_files.h"
#include "fake_dialogs.h"
#include "flexbutton.h"
#include "main_window.h"
#include "report_preview.h"

using ordelix::MainWindow;
using ordelix::ReportPreview;
using ordelix::UnsavedReports;

namespace {

class Leaving : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  MainWindow window{dialogs};
  QTemporaryDir dir;

  void SetUp() override { window.show(); }
  // A preview whose save dialog was cancelled.
  ReportPreview* unsaved(const QString& name) {
    dialogs.reportPath.clear();
    window.select(write_kfactor_export(dir, name));
    ReportPreview* preview = window.convert();
    EXPECT_NE(preview, nullptr);
    EXPECT_FALSE(preview->saved());
    return preview;
  }
  void exit() { window.findChild<ordelix::FlexButton*>("flexbutton3")->Click(); }
};

TEST_F(Leaving, WithEverythingSavedEndsWithoutAsking) {
  dialogs.reportPath = dir.filePath("saved.xlsx");
  window.select(write_kfactor_export(dir, "saved.PRO"));
  ReportPreview* preview = window.convert();
  ASSERT_TRUE(preview->saved());
  exit();
  EXPECT_TRUE(dialogs.askedUnsaved.isEmpty());
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(preview->isVisible());
}

TEST_F(Leaving, CancelKeepsTheWindowAndItsPreviews) {
  ReportPreview* first = unsaved("a.PRO");
  ReportPreview* second = unsaved("b.PRO");
  dialogs.unsavedAnswer = UnsavedReports::cancel;
  exit();
  EXPECT_EQ(dialogs.askedUnsaved, QList<int>{2});
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(second->isVisible());

  window.close();  // the close control asks the same
  EXPECT_EQ(dialogs.askedUnsaved, (QList<int>{2, 2}));
  EXPECT_TRUE(window.isVisible());
}

TEST_F(Leaving, DiscardEndsWithoutSaving) {
  ReportPreview* preview = unsaved("a.PRO");
  dialogs.unsavedAnswer = UnsavedReports::discard;
  window.close();
  EXPECT_EQ(dialogs.askedUnsaved, QList<int>{1});
  EXPECT_TRUE(dialogs.askedUnsavedPreview.isEmpty()) << "the preview is not asked about again";
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(preview->isVisible());
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.xlsx"}).isEmpty());
}

TEST_F(Leaving, ASavedPreviewClosesWithoutAsking) {
  dialogs.reportPath = dir.filePath("saved.xlsx");
  window.select(write_kfactor_export(dir, "saved.PRO"));
  ReportPreview* preview = window.convert();
  ASSERT_TRUE(preview->saved());
  EXPECT_TRUE(preview->close());
  EXPECT_TRUE(dialogs.askedUnsavedPreview.isEmpty());
}

TEST_F(Leaving, ClosingAnUnsavedPreviewAsksAndCancelKeepsIt) {
  ReportPreview* preview = unsaved("a.PRO");
  dialogs.unsavedAnswer = UnsavedReports::cancel;
  EXPECT_FALSE(preview->close());
  EXPECT_EQ(dialogs.askedUnsavedPreview, QList<QWidget*>{preview});
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(dialogs.suggestedReports.size(), 1) << "only Convert's own save dialog";
  EXPECT_TRUE(dialogs.askedUnsaved.isEmpty()) << "the window's question is for leaving";
}

TEST_F(Leaving, ClosingAnUnsavedPreviewWithDiscardClosesIt) {
  ReportPreview* preview = unsaved("a.PRO");
  dialogs.unsavedAnswer = UnsavedReports::discard;
  EXPECT_TRUE(preview->close());
  EXPECT_EQ(dialogs.askedUnsavedPreview.size(), 1);
  EXPECT_FALSE(preview->isVisible());
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.xlsx"}).isEmpty());
}

// Save on closing is the preview's own save: the same dialog and name, the same refusals.
TEST_F(Leaving, ClosingAnUnsavedPreviewWithSaveClosesOnlyOnceSaved) {
  QString input = write_kfactor_export(dir, "a.PRO");
  dialogs.reportPath.clear();
  window.select(input);
  ReportPreview* preview = window.convert();
  dialogs.unsavedAnswer = UnsavedReports::save_all;

  EXPECT_FALSE(preview->close()) << "the save dialog was cancelled";
  EXPECT_TRUE(preview->isVisible());

  QByteArray before = read_file(input);
  dialogs.reportPath = input;
  EXPECT_FALSE(preview->close()) << "the export file is never replaced";
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_TRUE(dialogs.failures.front().startsWith(input + " was not saved"));
  EXPECT_EQ(read_file(input), before);
  EXPECT_TRUE(preview->isVisible());

  dialogs.reportPath = dir.filePath("a.xlsx");
  EXPECT_TRUE(preview->close());
  EXPECT_FALSE(preview->isVisible());
  EXPECT_TRUE(preview->saved());
  EXPECT_TRUE(QFile::exists(dir.filePath("a.xlsx")));
  EXPECT_EQ(dialogs.suggestedReports, QStringList(4, dir.filePath("a.xlsx")));
  EXPECT_EQ(dialogs.askedUnsavedPreview.size(), 3);
}

TEST_F(Leaving, SaveAllSavesEachUnsavedReportThenEnds) {
  unsaved("a.PRO");
  dialogs.reportPath = dir.filePath("kept.xlsx");
  ASSERT_TRUE(window.convert()->saved());
  unsaved("c.PRO");
  dialogs.unsavedAnswer = UnsavedReports::save_all;
  dialogs.nextReportPaths = QStringList{dir.filePath("a.xlsx"), dir.filePath("c.xlsx")};
  exit();
  EXPECT_EQ(dialogs.askedUnsaved, QList<int>{2}) << "the saved one is not counted";
  EXPECT_TRUE(QFile::exists(dir.filePath("a.xlsx")));
  EXPECT_TRUE(QFile::exists(dir.filePath("c.xlsx")));
  EXPECT_FALSE(window.isVisible());
}

TEST_F(Leaving, SaveAllWithACancelledSaveStays) {
  ReportPreview* first = unsaved("a.PRO");
  ReportPreview* second = unsaved("b.PRO");
  dialogs.unsavedAnswer = UnsavedReports::save_all;
  dialogs.nextReportPaths = QStringList{dir.filePath("a.xlsx"), QString()};
  exit();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(first->saved());
  EXPECT_FALSE(second->saved());
  EXPECT_TRUE(second->isVisible());

  exit();  // only the one left unsaved is asked about
  EXPECT_EQ(dialogs.askedUnsaved, (QList<int>{2, 1}));
}

TEST_F(Leaving, AfterSavingTheStatusTellsWhereWithButtonsToOpenIt) {
  ReportPreview* preview = unsaved("status.PRO");
  auto* bar = preview->findChild<QWidget*>("SavedReportBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible()) << "nothing saved yet";

  QString target = dir.filePath("status.xlsx");
  dialogs.reportPath = target;
  ASSERT_TRUE(preview->save());
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(preview->findChild<QLabel*>("SavedStatus")->text().contains(target));

  preview->findChild<QAbstractButton*>("OpenReportButton")->click();
  preview->findChild<QAbstractButton*>("ShowFolderButton")->click();
  EXPECT_EQ(dialogs.opened,
            (QList<QUrl>{QUrl::fromLocalFile(target), QUrl::fromLocalFile(dir.path())}));
  EXPECT_TRUE(dialogs.failures.isEmpty());

  dialogs.desktopOpens = false;
  preview->findChild<QAbstractButton*>("OpenReportButton")->click();
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_TRUE(dialogs.failures.front().contains(target));
}

TEST_F(Leaving, PreviewsOfOneFileHaveTitlesOfTheirOwnAndCascade) {
  ReportPreview* first = unsaved("same.PRO");
  ReportPreview* second = unsaved("same.PRO");
  ReportPreview* other = unsaved("other.PRO");
  EXPECT_EQ(first->windowTitle(), "Report - same.PRO");
  EXPECT_EQ(second->windowTitle(), "Report - same.PRO (2)");
  EXPECT_EQ(other->windowTitle(), "Report - other.PRO");
  QPoint corner = window.frameGeometry().topLeft();
  EXPECT_EQ(first->pos(), corner + QPoint(32, 32));
  EXPECT_EQ(second->pos(), corner + QPoint(64, 64));
  EXPECT_EQ(other->pos(), corner + QPoint(96, 96));
  EXPECT_EQ(first->parentWidget(), &window);
}

// The colours down the line between columns A and B of a row.
QList<QColor> line_between_a_and_b(QTableView* table, const QImage& image, int row) {
  int x = table->columnViewportPosition(1) - 1;
  int top = table->rowViewportPosition(row);
  QList<QColor> colours;
  for (int y = top; y < top + table->rowHeight(row) - 1; ++y) colours << image.pixelColor(x, y);
  return colours;
}

TEST_F(Leaving, NoGridLineRunsThroughSpilledText) {
  ReportPreview* preview = unsaved("grid.PRO");
  QTableView* table = preview->table();
  ASSERT_FALSE(table->showGrid()) << "the view's grid would be drawn over the cells";
  QImage image = table->viewport()->grab().toImage();
  // Row 19 is past the report: its line is all grid. Row 1 holds "Method" and
  // blanks in A, spilling on into B: no pixel of grid there.
  QList<QColor> empty = line_between_a_and_b(table, image, 18);
  QColor grid = empty.front();
  ASSERT_NE(grid, table->palette().base().color());
  EXPECT_EQ(empty.count(grid), empty.size());
  EXPECT_EQ(line_between_a_and_b(table, image, 0).count(grid), 0);
}

}  // namespace
