#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "clock_text.h"
#include "export_files.h"
#include "fake_dialogs.h"
#include "flexbutton.h"
#include "main_window.h"
#include "report_preview.h"
#include "window_dialogs.h"

using ordelix::MainWindow;
using ordelix::ReportPreview;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  FakeDialogs dialogs;
  MainWindow window{dialogs};
  QTemporaryDir dir;

  template <class T>
  T* child(const char* name) {
    return window.findChild<T*>(name);
  }
  void choose(const QString& path) {
    dialogs.exportFile = path;
    window.browse();
  }
};

TEST_F(MainWindowTest, ShowsItsControlsUnderTheirNames) {
  EXPECT_EQ(window.objectName(), "Form1");
  EXPECT_EQ(window.windowTitle(), "TAVRO");
  EXPECT_EQ(window.size(), QSize(800, 600));
  // The release's major and minor version, 1.3 of 1.3.0.
  EXPECT_EQ(child<QLabel>("Label2")->text(),
            " Ordelix  V" + QString(ORDELIX_VERSION).section('.', 0, 1));
  EXPECT_EQ(child<QLabel>("Label3")->text(), "Select File");
  EXPECT_TRUE(child<QLineEdit>("Text1")->text().isEmpty());
  EXPECT_TRUE(child<QLineEdit>("Text1")->isReadOnly());
  EXPECT_TRUE(child<QLabel>("Label4")->text().isEmpty()) << "the clock waits for its first tick";
  EXPECT_EQ(child<QTimer>("Timer1")->interval(), 1000);
  EXPECT_EQ(child<ordelix::FlexButton>("flexbutton1")->Caption(), "Browse");
  EXPECT_EQ(child<ordelix::FlexButton>("flexbutton2")->Caption(), "Convert");
  EXPECT_EQ(child<ordelix::FlexButton>("flexbutton3")->Caption(), "Exit");
  for (int i = 1; i <= 3; ++i) {
    auto* b = child<ordelix::FlexButton>(qPrintable(QString("flexbutton%1").arg(i)));
    EXPECT_EQ(b->ButtonStyle(), 10);
    EXPECT_EQ(b->BackColor(), 8388608u);
    EXPECT_EQ(b->ForeColor(), 16777215u);
  }
}

TEST_F(MainWindowTest, ClockTicksWithDateWithoutLeadingZeros) {
  QDateTime t(QDate(2024, 3, 7), QTime(14, 5, 9));
  EXPECT_EQ(ordelix::clock_text(t, QLocale::c()), "2024/3/7  14:05:09");
  QString us = ordelix::clock_text(t, QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_TRUE(us.startsWith("2024/3/7  2:05:09")) << us.toStdString();

  QTimer* timer = child<QTimer>("Timer1");
  EXPECT_TRUE(timer->isActive());
  QEventLoop loop;
  QTimer::singleShot(1200, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_TRUE(
      child<QLabel>("Label4")->text().startsWith(QString("%1/").arg(QDate::currentDate().year())));
}

TEST_F(MainWindowTest, BrowseOffersTheNineFiltersAndKeepsThePathOnCancel) {
  EXPECT_STREQ(ordelix::export_file_filter,
               "ALL (*.*)|*.*|PROTEIN (*.PRO)|*.PRO|CONCENTRATION (*.CON)|*.CON|DNA/RNA "
               "(*.NUC)|*.NUC|KINETICS (*.TSC)|*.TSC|OD600 (*.OD)|*.OD|PHOTOMETRY (*.PHT)|*.PHT|"
               "TM (*.TM)|*.TM|WL SCAN (*.WSC)|*.WSC");

  choose("/data/run1.PRO");
  EXPECT_EQ(dialogs.askedFilter, ordelix::export_file_filter);
  EXPECT_EQ(window.selectedPath(), "/data/run1.PRO");
  EXPECT_EQ(child<QLineEdit>("Text1")->text(), "/data/run1.PRO");
  choose(QString());
  EXPECT_EQ(dialogs.askedPrevious, "/data/run1.PRO");
  EXPECT_EQ(window.selectedPath(), "/data/run1.PRO");
}

// The names Qt's own open dialog lists under its current filter, sorted.
QStringList listed(QFileDialog& dialog) {
  auto* view = dialog.findChild<QListView*>("listView");
  QStringList names;
  for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
    QModelIndex index = view->model()->index(row, 0, view->rootIndex());
    if (index.flags().testFlag(Qt::ItemIsEnabled)) names << index.data().toString();
  }
  names.sort();
  return names;
}

TEST(ExportFileDialog, ShowsTheFiltersAsNamedAndAllListsNamesWithoutADot) {
  QTemporaryDir dir;
  for (const char* name : {"REPRO", "noext", "run.PRO"}) write_lines(dir.filePath(name), {"2"});
  std::unique_ptr<QFileDialog> dialog =
      ordelix::export_file_dialog(nullptr, ordelix::export_file_filter, dir.path());
  dialog->setOption(QFileDialog::DontUseNativeDialog);

  auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  QStringList shown;
  for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
  EXPECT_EQ(shown, (QStringList{"ALL (*.*)", "PROTEIN (*.PRO)", "CONCENTRATION (*.CON)",
                                "DNA/RNA (*.NUC)", "KINETICS (*.TSC)", "OD600 (*.OD)",
                                "PHOTOMETRY (*.PHT)", "TM (*.TM)", "WL SCAN (*.WSC)"}));
  EXPECT_EQ(types->currentText(), "ALL (*.*)");

  const QStringList every{"REPRO", "noext", "run.PRO"};
  EXPECT_TRUE(QTest::qWaitFor([&] { return listed(*dialog) == every; }))
      << listed(*dialog).join(", ").toStdString();
  dialog->selectNameFilter(dialog->nameFilters()[1]);
  EXPECT_EQ(types->currentText(), "PROTEIN (*.PRO)");
  EXPECT_TRUE(QTest::qWaitFor([&] { return listed(*dialog) == QStringList{"run.PRO"}; }))
      << listed(*dialog).join(", ").toStdString();
}

TEST_F(MainWindowTest, ConvertWithNothingChosenDoesNothing) {
  EXPECT_EQ(window.convert(), nullptr);
  EXPECT_TRUE(dialogs.failures.isEmpty());
  EXPECT_TRUE(dialogs.suggestedReports.isEmpty());
  EXPECT_TRUE(window.findChildren<ReportPreview*>().isEmpty());
}

TEST_F(MainWindowTest, AFileWithoutReportGivesOnlyAMessage) {
  QString path = dir.filePath("notes.txt");
  write_lines(path, {"2"});
  choose(path);
  EXPECT_EQ(window.convert(), nullptr);
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_TRUE(dialogs.failures.front().contains("notes.txt"));
  EXPECT_TRUE(dialogs.failures.front().contains("measurement mode"));
  EXPECT_TRUE(window.findChildren<ReportPreview*>().isEmpty());
  EXPECT_TRUE(dialogs.suggestedReports.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(MainWindowTest, ConvertShowsThePreviewAndSavesWhatTheConverterWrites) {
  QString input = write_kfactor_export(dir, "serum.PRO");
  QString saved = dir.filePath("chosen.xlsx");
  dialogs.reportPath = saved;
  choose(input);
  ReportPreview* preview = window.convert();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(dialogs.suggestedReports, QStringList{dir.filePath("serum.xlsx")});

  QAbstractItemModel* model = preview->table()->model();
  EXPECT_EQ(model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "D");
  EXPECT_EQ(model->headerData(11, Qt::Vertical, Qt::DisplayRole).toInt(), 12);
  EXPECT_EQ(model->index(0, 0).data().toString(), "Method                ");
  EXPECT_TRUE(model->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(model->index(0, 3).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(model->index(11, 0).data().toString(), "CONC = 2.5 * OD + 0.05       ");
  EXPECT_EQ(preview->table()->columnSpan(1, 3), 2) << "D2:E2 is merged";
  EXPECT_TRUE(model->index(1, 3).data().toString().contains(
      QRegularExpression("^\\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}:\\d{2}$")));

  QString by_converter = dir.filePath("converter.xlsx");
  int rc = QProcess::execute(ORDELIX_CONVERT, {input, "-o", by_converter});
  ASSERT_EQ(rc, 0);
  QByteArray expected = read_file(by_converter);
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(read_file(saved), expected);
}

TEST_F(MainWindowTest, APreviewSavesTheRunsDataAsTheConverterWritesIt) {
  QString input = write_kfactor_export(dir, "serum.PRO");
  choose(input);
  ReportPreview* preview = window.convert();
  ASSERT_NE(preview, nullptr);
  for (const char* format : {"json", "csv"}) {
    SCOPED_TRACE(format);
    dialogs.reportPath = dir.filePath(QString("chosen.") + format);
    preview->findChild<QAbstractButton*>("SaveButton")->click();
    QString by_converter = dir.filePath(QString("converter.") + format);
    ASSERT_EQ(QProcess::execute(ORDELIX_CONVERT, {input, "-o", by_converter}), 0);
    QByteArray expected = read_file(by_converter);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(read_file(dialogs.reportPath), expected);
  }
}

TEST(ReportFileDialog, OffersTheThreeFormatsAndTheNameFollowsTheType) {
  QTemporaryDir dir;
  std::unique_ptr<QFileDialog> dialog =
      ordelix::report_file_dialog(nullptr, dir.filePath("serum.xlsx"));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  EXPECT_EQ(dialog->nameFilters(),
            (QStringList{"Excel workbook (*.xlsx)", "Run data as JSON (*.json)",
                         "Run data as CSV (*.csv)"}));
  EXPECT_EQ(dialog->defaultSuffix(), "xlsx");
  auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  // As the combo box tells a choice made by hand.
  types->setCurrentIndex(2);
  emit types->activated(2);
  emit types->textActivated(types->itemText(2));
  EXPECT_EQ(dialog->defaultSuffix(), "csv");
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), "serum.csv");
}

TEST_F(MainWindowTest, CancelledSaveKeepsThePreviewForALaterSave) {
  choose(write_kfactor_export(dir, "late.PRO"));
  ReportPreview* preview = window.convert();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.xlsx"}).isEmpty());
  EXPECT_TRUE(preview->isVisible());

  dialogs.reportPath = dir.filePath("later.xlsx");
  preview->findChild<QAbstractButton*>("SaveButton")->click();
  EXPECT_TRUE(QFile::exists(dialogs.reportPath));
}

TEST_F(MainWindowTest, EachConversionOpensItsOwnPreview) {
  choose(write_kfactor_export(dir, "a.PRO"));
  ReportPreview* first = window.convert();
  ReportPreview* second = window.convert();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(window.findChildren<ReportPreview*>().size(), 2);
}

TEST_F(MainWindowTest, SavingOverTheExportFileIsRefused) {
  QString input = write_kfactor_export(dir, "keep.PRO");
  QByteArray before = read_file(input);
  dialogs.reportPath = input;
  choose(input);
  ASSERT_NE(window.convert(), nullptr);
  ASSERT_EQ(dialogs.failures.size(), 1);
  EXPECT_EQ(read_file(input), before);
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndItsPreviews) {
  window.show();
  choose(write_kfactor_export(dir, "exit.PRO"));
  ReportPreview* preview = window.convert();
  ASSERT_NE(preview, nullptr);
  child<ordelix::FlexButton>("flexbutton3")->Click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(preview->isVisible());
}

// The focus starts on Browse; Tab goes on along the row, as do the arrow keys, and the space bar
// presses.
TEST_F(MainWindowTest, TabRightSpaceClicksExit) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ASSERT_EQ(QApplication::focusWidget()->objectName(), "flexbutton1");
  auto* exit_button = child<ordelix::FlexButton>("flexbutton3");
  QSignalSpy exit_clicks(exit_button, &ordelix::FlexButton::Click);
  const char* focused_after[] = {"flexbutton2", "flexbutton3"};
  const Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Right};
  for (int i = 0; i < 2; ++i) {
    QTest::keyClick(window.windowHandle(), keys[i]);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), focused_after[i]) << "after key " << i;
  }
  QTest::keyPress(window.windowHandle(), Qt::Key_Space);
  EXPECT_EQ(exit_clicks.count(), 0) << "the click waits for the release";
  EXPECT_EQ(exit_button->drawState(), 2);
  QTest::keyRelease(window.windowHandle(), Qt::Key_Space);
  EXPECT_EQ(exit_clicks.count(), 1);
  EXPECT_FALSE(window.isVisible());
}

const QColor navy(0x00, 0x00, 0x80);

// Pixels across the left edge of the button at `left` (x), halfway down the row: the two of the
// frame, the two of the gap, the button's first.
QList<QColor> across_left_edge(MainWindow& window, int left) {
  QImage image = window.grab().toImage();
  QList<QColor> colours;
  for (int x = left - 4; x <= left; ++x) colours << image.pixelColor(x, 228);
  return colours;
}

// The buttons' style draws no focus: the window frames the focused one, 2 px wide and 2 px out.
TEST_F(MainWindowTest, ANavyFrameFollowsTheFocusAlongTheButtons) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* frame = child<QWidget>("FocusFrame");
  ASSERT_NE(frame, nullptr);
  // Browse stands at (40, 206), Convert at (320, 206), both 160 x 44.
  const QRect around_browse(36, 202, 168, 52);
  const QRect around_convert(316, 202, 168, 52);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->geometry(), around_browse);

  QList<QColor> browse_edge = across_left_edge(window, 40);
  EXPECT_EQ(browse_edge[0], navy);
  EXPECT_EQ(browse_edge[1], navy);
  EXPECT_NE(browse_edge[2], navy) << "a gap keeps the frame off the button";
  EXPECT_NE(browse_edge[3], navy);
  EXPECT_NE(across_left_edge(window, 320)[0], navy) << "no frame around Convert yet";

  QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
  EXPECT_EQ(frame->geometry(), around_convert);
  EXPECT_EQ(across_left_edge(window, 320)[1], navy);
  EXPECT_NE(across_left_edge(window, 40)[1], navy);
  QTest::keyClick(window.windowHandle(), Qt::Key_Backtab);
  EXPECT_EQ(frame->geometry(), around_browse);
  QTest::mouseClick(child<ordelix::FlexButton>("flexbutton2"), Qt::LeftButton);
  EXPECT_EQ(frame->geometry(), around_convert);

  child<QLineEdit>("Text1")->setFocus();
  EXPECT_FALSE(frame->isVisible()) << "the path box shows its focus itself";
  QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->geometry(), around_browse);

  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(frame->isVisible()) << "no focus in an inactive window";
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(frame->geometry(), around_browse);
  EXPECT_TRUE(frame->isVisible());
}

}  // namespace
