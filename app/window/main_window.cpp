#include "main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QTimer>

#include "batch_conversion.h"
#include "button_description.h"
#include "clock_text.h"
#include "core/ordelix.h"
#include "flexbutton.h"
#include "focus_frame.h"
#include "preview_placement.h"
#include "report_preview.h"
#include "unsaved_reports.h"
#include "window_dialogs.h"

namespace ordelix {
namespace {

// The local paths of a drag, or none when anything in it is no local file.
QStringList local_paths(const QMimeData* mime) {
  QStringList paths;
  if (mime == nullptr || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (!url.isLocalFile()) return {};
    paths << url.toLocalFile();
  }
  return paths;
}

QLabel* add_label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

const QColor navy(0x00, 0x00, 0x80);

void add_line(QWidget* parent, const char* name, QRect geometry) {
  auto* line = new QFrame(parent);
  line->setObjectName(name);
  line->setFrameShape(geometry.height() > geometry.width() ? QFrame::VLine : QFrame::HLine);
  line->setStyleSheet(QString("color: %1;").arg(navy.name()));
  line->setGeometry(geometry);
}

}  // namespace

MainWindow::MainWindow(WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName("Form1");
  setWindowTitle("TAVRO");
  setFixedSize(800, 600);
  setAcceptDrops(true);

  QLabel* title = add_label(this, "Label2", " Ordelix  V" ORDELIX_TITLE_VERSION, {40, 28, 720, 64});
  QFont title_font = title->font();
  title_font.setPointSize(30);
  title_font.setBold(true);
  title->setFont(title_font);
  title->setStyleSheet(QString("color: %1;").arg(navy.name()));

  clock_ = add_label(this, "Label4", QString(), {480, 100, 280, 24});
  clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  QLabel* caption = add_label(this, "Label3", "Select File", {40, 128, 300, 24});
  QFont caption_font = caption->font();
  caption_font.setPointSize(12);
  caption->setFont(caption_font);

  path_ = new QLineEdit(this);
  path_->setObjectName("Text1");
  path_->setReadOnly(true);
  path_->setGeometry(40, 154, 720, 30);

  FlexButton* browse_button = add_window_button(this, "flexbutton1", {40, 206, 160, 44});
  FlexButton* convert_button = add_window_button(this, "flexbutton2", {320, 206, 160, 44});
  FlexButton* exit_button = add_window_button(this, "flexbutton3", {600, 206, 160, 44});
  connect(browse_button, &FlexButton::Click, this, &MainWindow::browse);
  connect(convert_button, &FlexButton::Click, this, [this] { convert(); });
  connect(exit_button, &FlexButton::Click, this, &MainWindow::exitProgram);
  // Their style draws no focus of its own.
  new FocusFrame({browse_button, convert_button, exit_button}, navy, this);
  browse_button->setFocus();

  add_line(this, "Line1", {20, 20, 760, 2});
  add_line(this, "Line2", {40, 268, 720, 2});
  add_line(this, "Line3", {20, 578, 760, 2});
  add_line(this, "Line4", {20, 20, 2, 560});
  add_line(this, "Line5", {778, 20, 2, 560});

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &MainWindow::tick);
  timer_->start();
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, QPixmap(":/window/background.png"));
}

void MainWindow::tick() {
  clock_->setText(clock_text(QDateTime::currentDateTime(), QLocale()));
}

void MainWindow::browse() {
  QString chosen = dialogs_.chooseExportFile(this, export_file_filter, selectedPath_);
  if (!chosen.isEmpty()) select(chosen);
}

void MainWindow::select(const QString& path) {
  batch_.clear();
  batchProblems_.clear();
  selectedPath_ = path;
  path_->setText(path);
}

void MainWindow::drop(const QStringList& paths) {
  if (paths.isEmpty()) return;
  if (paths.size() == 1 && !QFileInfo(paths.front()).isDir()) {
    select(paths.front());
    return;
  }
  std::vector<std::string> arguments;
  for (const QString& path : paths) arguments.push_back(QFile::encodeName(path).toStdString());
  InputSelection selection = batch_select_inputs(arguments, true);
  QStringList problems;
  for (const FolderProblem& p : selection.problems)
    problems << tr("%1: %2").arg(QFile::decodeName(p.folder.c_str()),
                                 QString::fromStdString(problem_text(p.problem)));
  if (selection.files.empty()) {
    dialogs_.showFailure(this, problems.join('\n'));
    return;
  }
  batch_ = std::move(selection.files);
  batchProblems_ = problems;
  selectedPath_.clear();
  path_->setText(batch_.size() == 1 ? tr("1 export file")
                                    : tr("%1 export files").arg(batch_.size()));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!local_paths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList paths = local_paths(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  drop(paths);
}

ReportPreview* MainWindow::convert() {
  if (!batch_.empty()) {
    batch_conversion_run(this, dialogs_, batch_, batchProblems_);
    return nullptr;
  }
  if (selectedPath_.isEmpty()) return nullptr;
  Result<Conversion> conversion =
      convert_export_file(QFile::encodeName(selectedPath_).toStdString());
  if (!conversion) {
    dialogs_.showFailure(
        this,
        tr("%1: %2").arg(selectedPath_, QString::fromStdString(problem_text(conversion.error()))));
    return nullptr;
  }
  auto* preview = new ReportPreview(std::move(conversion).value(), selectedPath_, dialogs_, this);
  place(preview);
  preview->show();
  preview->save();
  return preview;
}

void MainWindow::place(ReportPreview* preview) {
  preview->setWindowTitle(preview_title(selectedPath_, ++conversions_[selectedPath_]));
  preview_cascade(preview, this, ++previews_);
}

void MainWindow::exitProgram() {
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!unsaved_reports_settle(this, findChildren<ReportPreview*>(), dialogs_)) {
    event->ignore();
    return;
  }
  for (ReportPreview* preview : findChildren<ReportPreview*>()) preview->closeUnasked();
  QWidget::closeEvent(event);
}

}  // namespace ordelix
