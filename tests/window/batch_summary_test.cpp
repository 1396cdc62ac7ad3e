#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "batch_summary_box.h"
#include "window_dialogs.h"

namespace {

using ordelix::BatchSummaryLines;

// Two files with warnings, one of three and one of one, and a failure.
BatchSummaryLines warned_and_failed() {
  BatchSummaryLines lines;
  lines.text = "3 converted, 1 failed, 2 with warnings";
  lines.failures = {"/runs/bad.PRO: line 1 holds \"7\"; a protein file starts with 2 or 6"};
  lines.warned = {{"/runs/k.TSC",
                   {"Line 5: holds \"10001\", which is none of the path length codes",
                    "Line 13: says 41 values; the file holds 4", "Line 18: 1 line after the data"}},
                  {"/runs/u.TSC", {"the file is UTF-8 text"}}};
  return lines;
}

TEST(BatchSummaryBox, NamesEachFileWithWarningsByItsFirstAndListsTheRestUnderDetails) {
  std::unique_ptr<QMessageBox> box = ordelix::batch_summary_box(nullptr, warned_and_failed(), {});
  EXPECT_EQ(box->icon(), QMessageBox::Warning) << "a file failed";
  EXPECT_EQ(box->text(), "3 converted, 1 failed, 2 with warnings");
  EXPECT_EQ(box->informativeText(),
            "Reports with warnings about their export files:\n"
            "/runs/k.TSC: Line 5: holds \"10001\", which is none of the path length codes "
            "(and 2 more under Details)\n"
            "/runs/u.TSC: the file is UTF-8 text\n\n"
            "Details list each file that gave no report, and why.");
  EXPECT_EQ(box->detailedText(),
            "/runs/bad.PRO: line 1 holds \"7\"; a protein file starts with 2 or 6\n\n"
            "Warnings:\n"
            "/runs/k.TSC\n"
            "  Line 5: holds \"10001\", which is none of the path length codes\n"
            "  Line 13: says 41 values; the file holds 4\n"
            "  Line 18: 1 line after the data\n"
            "/runs/u.TSC\n"
            "  the file is UTF-8 text");
  EXPECT_EQ(box->findChild<QPushButton*>("ShowFolderButton"), nullptr) << "no folder given";
}

TEST(BatchSummaryBox, ManyFilesWithWarningsShowTenAtAGlance) {
  BatchSummaryLines lines;
  lines.text = "12 converted, 0 failed, 12 with warnings";
  for (int i = 1; i <= 12; ++i)
    lines.warned.push_back({QString("/runs/%1.TSC").arg(i), {"Line 13: says 41 values"}});
  std::unique_ptr<QMessageBox> box = ordelix::batch_summary_box(nullptr, lines, "/out");
  EXPECT_EQ(box->icon(), QMessageBox::Information);
  QStringList glance = box->informativeText().split('\n');
  ASSERT_EQ(glance.size(), 12);  // the heading, ten files, the count of the rest
  EXPECT_EQ(glance[10], "/runs/10.TSC: Line 13: says 41 values");
  EXPECT_EQ(glance[11], "and 2 more files with warnings, under Details");
  EXPECT_TRUE(box->detailedText().endsWith("/runs/12.TSC\n  Line 13: says 41 values"));
}

TEST(BatchSummaryBox, WithoutWarningsOrFailuresItIsTheTallyAlone) {
  BatchSummaryLines lines;
  lines.text = "2 converted, 0 failed, 0 with warnings";
  std::unique_ptr<QMessageBox> box = ordelix::batch_summary_box(nullptr, lines, "/out");
  EXPECT_EQ(box->informativeText(), "");
  EXPECT_EQ(box->detailedText(), "");
  QPushButton* show = box->findChild<QPushButton*>("ShowFolderButton");
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->text(), "Show folder");
}

// The real dialogs, but for the desktop and the failure box, which record.
class DesktopOpening : public ordelix::QtWindowDialogs {
 public:
  bool opens = true;
  QList<QUrl> opened;
  QStringList failures;

  bool openOnDesktop(const QUrl& url) override {
    opened << url;
    return opens;
  }
  void showFailure(QWidget*, const QString& message) override { failures << message; }

  // Shows the summary and presses the button named `button` in it.
  void showAndPress(const BatchSummaryLines& lines, const QString& folder, const char* button) {
    QTimer::singleShot(0, [button] {
      auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      auto* pressed = box->findChild<QPushButton*>(button);
      if (pressed != nullptr) return pressed->click();
      ADD_FAILURE() << "no " << button;
      box->reject();
    });
    showBatchSummary(nullptr, lines, folder);
  }
};

TEST(BatchSummaryBox, ShowFolderOpensTheFolderTheReportsWentTo) {
  DesktopOpening dialogs;
  BatchSummaryLines lines;
  lines.text = "2 converted, 0 failed, 0 with warnings";
  dialogs.showAndPress(lines, "/tmp/reports", "ShowFolderButton");
  EXPECT_EQ(dialogs.opened, QList<QUrl>{QUrl::fromLocalFile("/tmp/reports")});
  EXPECT_TRUE(dialogs.failures.isEmpty());

  dialogs.opens = false;
  dialogs.showAndPress(lines, "/tmp/reports", "ShowFolderButton");
  EXPECT_EQ(dialogs.failures, QStringList{"No application opened /tmp/reports"});
}

TEST(BatchSummaryBox, OkOpensNothing) {
  DesktopOpening dialogs;
  BatchSummaryLines lines;
  lines.text = "2 converted, 0 failed, 0 with warnings";
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.showBatchSummary(nullptr, lines, "/tmp/reports");
  EXPECT_TRUE(dialogs.opened.isEmpty());
}

}  // namespace
