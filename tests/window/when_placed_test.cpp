#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "when_placed.h"

using namespace std::chrono_literals;

namespace {

TEST(WhenPlaced, RunsOnceTheWindowIsOnScreen) {
  QWidget window;
  window.show();
  int runs = 0;
  ordelix::when_placed(window, 1h, [&] { ++runs; });
  EXPECT_EQ(runs, 0) << "not from within the call";
  EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, 5000));
  window.hide();
  window.show();
  QTest::qWait(50);
  EXPECT_EQ(runs, 1);
}

TEST(WhenPlaced, RunsAtTheLatestWhenTheWindowNeverComes) {
  QWidget window;
  int runs = 0;
  ordelix::when_placed(window, 10ms, [&] { ++runs; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, 5000));
  window.show();
  QTest::qWait(50);
  EXPECT_EQ(runs, 1);
}

TEST(WhenPlaced, NothingRunsForAWindowThatIsGone) {
  int runs = 0;
  {
    QWidget window;
    ordelix::when_placed(window, 10ms, [&] { ++runs; });
  }
  QTest::qWait(50);
  EXPECT_EQ(runs, 0);
}

}  // namespace
