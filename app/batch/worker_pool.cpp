#include "worker_pool.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace ordelix {

void worker_pool_run(std::size_t count, unsigned workers, const std::atomic<bool>* stop,
                     const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  auto drain = [&] {
    try {
      while (stop == nullptr || !*stop) {
        std::size_t i = next++;
        if (i >= count) break;
        work(i);
      }
    } catch (...) {
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      next = count;
    }
  };

  std::size_t helpers = std::min<std::size_t>(std::max(workers, 1u), count);
  std::vector<std::thread> threads;
  for (std::size_t t = 1; t < helpers; ++t) threads.emplace_back(drain);
  drain();
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace ordelix
