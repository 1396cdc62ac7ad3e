#include "font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace ordelix {

void register_font_substitutes() {
  static const bool registered = [] {
    // Narrow grotesques with the widths of the bitmap original; Liberation Sans and Arimo share
    // Arial's metrics.
    QFont::insertSubstitutions(
        "MS Sans Serif", QStringList{"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial"});
    QFont::insertSubstitutions("Tahoma", QStringList{"DejaVu Sans Condensed", "Liberation Sans"});
    return true;
  }();
  (void)registered;
}

}  // namespace ordelix
