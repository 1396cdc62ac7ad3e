#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>

#include "core/conversion.h"
#include "export_files.h"
#include "fake_dialogs.h"
#include "report_preview.h"

namespace {

// A desktop with a decimal comma: the C library formats numbers with it, and
// the workbook must not notice.
class CommaLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    int rc =
        QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", dir.filePath("de_DE.UTF-8")});
    ASSERT_TRUE(rc == 0 || rc == 1) << "localedef failed: " << rc;  // 1: warnings only
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    qunsetenv("LOCPATH");
    QLocale::setDefault(QLocale::c());
  }

  QTemporaryDir dir;
};

TEST_F(CommaLocaleTest, SavedWorkbookEqualsTheConvertersInTheCLocale) {
  QString input = write_lines(dir.filePath("scan.WSC"),
                              {"3", "0", "0", "LEAF", "4", "1", "0", "0", "400.5", "402", "2", "0",
                               "4", "0.125", "0.25", "1.5E-3", "0.5"});

  FakeDialogs dialogs;
  dialogs.reportPath = dir.filePath("window.xlsx");
  ordelix::Result<ordelix::Conversion> conversion =
      ordelix::convert_export_file(input.toStdString());
  ASSERT_TRUE(conversion.ok()) << ordelix::problem_text(conversion.error());
  ordelix::ReportPreview preview(std::move(conversion).value(), input, dialogs);
  ASSERT_TRUE(preview.save());

  QProcess converter;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C");
  converter.setProcessEnvironment(env);
  converter.start(ORDELIX_CONVERT, {input, "-o", dir.filePath("converter.xlsx")});
  ASSERT_TRUE(converter.waitForFinished());
  ASSERT_EQ(converter.exitCode(), 0);
  QByteArray expected = read_file(dir.filePath("converter.xlsx"));
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(read_file(dialogs.reportPath), expected);
}

}  // namespace
