#pragma once

#include <QString>

class QWidget;

namespace ordelix {

// The dialogs the window and its previews open; tests put doubles in their place.
class WindowDialogs {
 public:
  virtual ~WindowDialogs() = default;
  // Empty when cancelled.
  virtual QString chooseExportFile(QWidget* parent, const QString& filter,
                                   const QString& previous) = 0;
  // Empty when cancelled; asks before an existing file is replaced.
  virtual QString chooseReportPath(QWidget* parent, const QString& suggested) = 0;
  virtual void showFailure(QWidget* parent, const QString& message) = 0;
};

class QtWindowDialogs : public WindowDialogs {
 public:
  QString chooseExportFile(QWidget* parent, const QString& filter,
                           const QString& previous) override;
  QString chooseReportPath(QWidget* parent, const QString& suggested) override;
  void showFailure(QWidget* parent, const QString& message) override;
};

// The open dialog's filter in "description|pattern|..." form, nine pairs.
extern const char* const export_file_filter;
// The same filter as Qt's file dialogs take it.
QString qt_name_filters(const QString& pairs);

}  // namespace ordelix
