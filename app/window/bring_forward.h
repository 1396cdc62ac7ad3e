#pragma once

class QWidget;

namespace ordelix {

// Shows the window in front, restored if minimised and asking for the
// keyboard; a question still open in it comes in front of it.
void bring_forward(QWidget& window);

}  // namespace ordelix
