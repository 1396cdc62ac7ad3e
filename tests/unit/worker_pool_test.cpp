#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "batch/worker_pool.h"

namespace ordelix {
namespace {

TEST(WorkerPool, RunsEveryIndexOnceOnSeveralThreads) {
  std::vector<std::atomic<int>> calls(1000);
  std::mutex mutex;
  std::set<std::thread::id> threads;
  worker_pool_run(calls.size(), 4, nullptr, [&](std::size_t i) {
    ++calls[i];
    std::lock_guard lock(mutex);
    threads.insert(std::this_thread::get_id());
  });
  for (std::size_t i = 0; i < calls.size(); ++i) ASSERT_EQ(calls[i], 1) << i;
  EXPECT_LE(threads.size(), 4u);
  EXPECT_GE(threads.size(), 1u);
}

TEST(WorkerPool, NothingToDoAndOneWorker) {
  int calls = 0;
  worker_pool_run(0, 4, nullptr, [&](std::size_t) { ++calls; });
  EXPECT_EQ(calls, 0);
  std::vector<std::size_t> order;
  worker_pool_run(5, 1, nullptr, [&](std::size_t i) { order.push_back(i); });
  EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4})) << "one worker takes them in order";
}

TEST(WorkerPool, StopsTakingIndicesOnceStopped) {
  for (unsigned workers : {1u, 2u}) {
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0};
    worker_pool_run(1000, workers, &stop, [&](std::size_t i) {
      ++calls;
      if (i == 10) stop = true;
    });
    if (workers == 1) {
      EXPECT_EQ(calls, 11);
    }
    EXPECT_LT(calls, 1000);
  }
}

TEST(WorkerPool, AnExceptionComesBackToTheCaller) {
  std::atomic<int> calls{0};
  EXPECT_THROW(worker_pool_run(1000, 3, nullptr,
                               [&](std::size_t i) {
                                 ++calls;
                                 if (i == 5) throw std::runtime_error("no memory");
                                 std::this_thread::sleep_for(std::chrono::milliseconds(1));
                               }),
               std::runtime_error);
  EXPECT_LT(calls, 500) << "the others stop taking work";
}

}  // namespace
}  // namespace ordelix
