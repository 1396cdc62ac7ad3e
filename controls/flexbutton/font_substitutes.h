#pragma once

namespace ordelix {

// Stored descriptions name the fonts of the desktop the buttons were designed on; where those
// are missing, the closest installed faces stand in. Safe to call more than once.
void register_font_substitutes();

}  // namespace ordelix
