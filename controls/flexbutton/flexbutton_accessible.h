#pragma once

namespace ordelix {

// Lets assistive technology see each FlexButton as a push button, or a check box in check-box
// mode, named by its caption and pressed by its default action. Safe to call more than once.
void register_flexbutton_accessibility();

}  // namespace ordelix
