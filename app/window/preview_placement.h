#pragma once

#include <QString>

class QWidget;

namespace ordelix {

// "Report - scan.WSC", and for the second and later preview of one file
// "Report - scan.WSC (2)", "(3)" ...: previews of one file told apart.
QString preview_title(const QString& exportPath, int repeat);

// Places the `serial`-th preview (from 1) down and right of the main window's
// corner, a step further for each, starting over after a few.
void preview_cascade(QWidget* preview, const QWidget* main, int serial);

}  // namespace ordelix
