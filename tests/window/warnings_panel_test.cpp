#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

#include "core/conversion.h"
#include "fake_dialogs.h"
#include "report_preview.h"

namespace {

// A kinetics run of 4 values at 10 s (lines 14 to 17), with lines replaced by number.
QString write_kinetics(const QTemporaryDir& dir, const QString& name,
                       const std::map<int, const char*>& changed = {}) {
  const char* lines[] = {"4",   "0", "1", "LACTATE", "9",      "1",      "2.5",    "0",     "30",
                         "340", "3", "0", "4",       "0.9500", "0.9037", "0.8596", "0.8177"};
  QString path = dir.filePath(name);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  for (int n = 1; n <= 17; ++n) {
    auto replaced = changed.find(n);
    f.write(QByteArray(replaced != changed.end() ? replaced->second : lines[n - 1]) + "\r\n");
  }
  return path;
}

class WarningsPanelTest : public ::testing::Test {
 protected:
  ordelix::ReportPreview* preview_of(const QString& path) {
    ordelix::Result<ordelix::Conversion> conversion =
        ordelix::convert_export_file(path.toStdString());
    EXPECT_TRUE(conversion.ok());
    previews_.push_back(std::make_unique<ordelix::ReportPreview>(
        conversion ? std::move(conversion).value() : ordelix::Conversion{}, path, dialogs_));
    return previews_.back().get();
  }

  QTemporaryDir dir_;
  FakeDialogs dialogs_;
  std::vector<std::unique_ptr<ordelix::ReportPreview>> previews_;
};

TEST_F(WarningsPanelTest, CountAboveTheSheetAndTheListOnDemand) {
  ordelix::ReportPreview* preview =
      preview_of(write_kinetics(dir_, "faulty.TSC", {{5, "10001"}, {13, "41"}}));
  auto* panel = preview->findChild<QFrame*>("Warnings");
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->isHidden());
  EXPECT_LT(preview->layout()->indexOf(panel), preview->layout()->indexOf(preview->table()));
  EXPECT_EQ(panel->findChild<QLabel*>("WarningCount")->text(), "2 warnings about the export file");

  auto* list = panel->findChild<QListWidget*>("WarningList");
  auto* toggle = panel->findChild<QPushButton*>("WarningToggle");
  EXPECT_TRUE(list->isHidden());
  toggle->click();
  EXPECT_FALSE(list->isHidden());
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->item(0)->text().startsWith("Line 5: holds \"10001\""))
      << list->item(0)->text().toStdString();
  EXPECT_EQ(list->item(1)->text(), "Line 13: says 41 values; the file holds 4");
  toggle->click();
  EXPECT_TRUE(list->isHidden());
}

TEST_F(WarningsPanelTest, AWarningAboutTheWholeFileHasNoLine) {
  // Line 1's "4" after UTF-8's byte-order mark, as an editor saves it.
  const char* marked = "\357\273\2774";
  ordelix::ReportPreview* preview = preview_of(write_kinetics(dir_, "marked.TSC", {{1, marked}}));
  auto* list = preview->findChild<QListWidget*>("WarningList");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(),
            "the file is UTF-8 text, not the instrument's Windows-1252; read as that text");
  EXPECT_EQ(preview->findChild<QLabel*>("WarningCount")->text(), "1 warning about the export file");
}

TEST_F(WarningsPanelTest, HiddenWithoutWarnings) {
  ordelix::ReportPreview* preview = preview_of(write_kinetics(dir_, "clean.TSC"));
  EXPECT_TRUE(preview->findChild<QFrame*>("Warnings")->isHidden());
}

}  // namespace
