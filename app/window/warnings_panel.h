#pragma once

#include <QFrame>

#include "base/problem.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace ordelix {

// A warning as the window lists it: "Line N: TEXT", or the text alone for
// the whole file.
QString warning_entry_text(const Problem& warning);

// The warnings of one conversion, shown above its preview: how many there
// are, and their list on demand. A conversion without warnings hides it.
class WarningsPanel : public QFrame {
  Q_OBJECT

 public:
  explicit WarningsPanel(const Problems& warnings, QWidget* parent = nullptr);

  // Shows or hides the list.
  void setListShown(bool shown);

 private:
  QLabel* count_;
  QPushButton* toggle_;
  QListWidget* list_;
};

}  // namespace ordelix
