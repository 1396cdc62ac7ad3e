#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace ordelix {

// Calls work(i) for every i below `count`, each once, on up to `workers`
// threads, taking indices in rising order; takes no new index once `stop` is
// set. Returns when every taken index is done; an exception thrown by a call
// is thrown again here.
void worker_pool_run(std::size_t count, unsigned workers, const std::atomic<bool>* stop,
                     const std::function<void(std::size_t)>& work);

}  // namespace ordelix
