#pragma once

#include <QList>

class QWidget;

namespace ordelix {

class ReportPreview;
class WindowDialogs;

// Whether the program may end with these previews open: asks when any holds a
// report never saved and saves them all when told to. False when the user
// cancels, or a save is cancelled or fails.
bool unsaved_reports_settle(QWidget* window, const QList<ReportPreview*>& previews,
                            WindowDialogs& dialogs);

}  // namespace ordelix
