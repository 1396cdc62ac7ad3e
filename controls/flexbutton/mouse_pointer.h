#pragma once

#include <optional>

#include <Qt>

namespace ordelix {

inline constexpr int custom_mouse_pointer = 99;

// The cursor of a MousePointer value; none for 0 (the default), 99 (custom, from MouseIcon) and
// unknown values.
std::optional<Qt::CursorShape> mouse_pointer_shape(int pointer);

}  // namespace ordelix
