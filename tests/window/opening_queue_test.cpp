#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <algorithm>

#include "opening_queue.h"

namespace {

TEST(OpeningQueue, OpensAtOnceWhenTheWindowAsksNothing) {
  QList<QStringList> opened;
  ordelix::OpeningQueue queue([&](const QStringList& paths) { opened << paths; });
  queue.add({"/a.PRO"});
  queue.add({"/b.PRO", "/c.PRO"});
  EXPECT_EQ(opened, QList<QStringList>({{"/a.PRO"}, {"/b.PRO", "/c.PRO"}}));
}

TEST(OpeningQueue, WaitsForAnOpenQuestionToBeAnswered) {
  QList<QStringList> opened;
  ordelix::OpeningQueue queue([&](const QStringList& paths) { opened << paths; });
  QDialog question;
  question.setModal(true);
  question.show();
  queue.add({"/a.PRO"});
  queue.add({"/b.PRO"});
  QTest::qWait(600);
  EXPECT_TRUE(opened.isEmpty()) << "not while the question is open";
  question.accept();
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 2; }, 5000));
  EXPECT_EQ(opened, QList<QStringList>({{"/a.PRO"}, {"/b.PRO"}}));
}

TEST(OpeningQueue, PathsHandedWhileOthersOpenFollowThem) {
  QList<QStringList> opened;
  int depth = 0;
  int deepest = 0;
  ordelix::OpeningQueue* self = nullptr;
  ordelix::OpeningQueue queue([&](const QStringList& paths) {
    deepest = std::max(deepest, ++depth);
    opened << paths;
    if (paths == QStringList{"/a.PRO"}) self->add({"/later.PRO"});
    --depth;
  });
  self = &queue;
  queue.add({"/a.PRO"});
  EXPECT_EQ(opened, QList<QStringList>({{"/a.PRO"}, {"/later.PRO"}}));
  EXPECT_EQ(deepest, 1) << "the second opened after the first, not inside it";
}

}  // namespace
