#include "unsaved_reports.h"

#include "report_preview.h"
#include "window_dialogs.h"

namespace ordelix {

bool unsaved_reports_settle(QWidget* window, const QList<ReportPreview*>& previews,
                            WindowDialogs& dialogs) {
  QList<ReportPreview*> unsaved;
  for (ReportPreview* preview : previews)
    if (preview->isVisible() && !preview->saved()) unsaved << preview;
  if (unsaved.isEmpty()) return true;

  switch (dialogs.askUnsavedReports(window, static_cast<int>(unsaved.size()))) {
    case UnsavedReports::discard:
      return true;
    case UnsavedReports::cancel:
      return false;
    case UnsavedReports::save_all:
      break;
  }
  for (ReportPreview* preview : unsaved) {
    preview->raise();
    if (!preview->save()) return false;
  }
  return true;
}

}  // namespace ordelix
