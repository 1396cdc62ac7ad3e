#pragma once

#include <chrono>
#include <functional>

class QWidget;

namespace ordelix {

// Runs `action` once, when the shown `window` is first on screen, that is
// where the window manager put it; or after `latest`, should that never
// happen (a window mapped on another workspace).
void when_placed(QWidget& window, std::chrono::milliseconds latest, std::function<void()> action);

}  // namespace ordelix
