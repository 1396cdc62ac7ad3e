#pragma once

namespace ordelix {

// What the control has made of the pointer, the keys, the focus and its host window.
struct InputFlags {
  bool mouse_over = false;
  bool mouse_down = false;  // the left button went down on the control and is not yet up
  bool focus = false;
  bool space_key = false;  // the space bar is held on the control
  bool parent_active = false;
  bool default_look = false;  // the host shows the control as its default button

  friend bool operator==(const InputFlags&, const InputFlags&) = default;
};

}  // namespace ordelix
