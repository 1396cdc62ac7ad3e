#include <gtest/gtest.h>

#include <QWidget>

#include "bring_forward.h"

namespace {

TEST(BringForward, ShowsAHiddenOrMinimisedWindowAsItWas) {
  QWidget window;
  window.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
  ordelix::bring_forward(window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowState() & ~Qt::WindowActive, Qt::WindowMaximized)
      << "restored, still maximised";
}

}  // namespace
