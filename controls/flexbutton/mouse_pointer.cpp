#include "mouse_pointer.h"

#include <array>

namespace ordelix {

std::optional<Qt::CursorShape> mouse_pointer_shape(int pointer) {
  static constexpr std::array<Qt::CursorShape, 15> shapes{
      Qt::ArrowCursor,      // 1 arrow
      Qt::CrossCursor,      // 2 cross
      Qt::IBeamCursor,      // 3 text
      Qt::ArrowCursor,      // 4 icon
      Qt::SizeAllCursor,    // 5 size
      Qt::SizeBDiagCursor,  // 6 size NE-SW
      Qt::SizeVerCursor,    // 7 size N-S
      Qt::SizeFDiagCursor,  // 8 size NW-SE
      Qt::SizeHorCursor,    // 9 size W-E
      Qt::UpArrowCursor,    // 10 up arrow
      Qt::WaitCursor,       // 11 hourglass
      Qt::ForbiddenCursor,  // 12 no drop
      Qt::BusyCursor,       // 13 arrow and hourglass
      Qt::WhatsThisCursor,  // 14 arrow and question mark
      Qt::SizeAllCursor,    // 15 size all
  };
  if (pointer < 1 || pointer > static_cast<int>(shapes.size())) return std::nullopt;
  return shapes[static_cast<std::size_t>(pointer - 1)];
}

}  // namespace ordelix
