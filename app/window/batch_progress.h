#pragma once

#include <atomic>
#include <functional>

#include "core/ordelix.h"

class QWidget;

namespace ordelix {

class WindowDialogs;

// Runs `work` on a thread of its own, while the window's events go on and a
// progress dialog shows what it tells `observer`, until it returns. Cancel
// sets `cancel`; the work decides what it leaves. Whether cancel was pressed,
// looked at once more after the work's end.
using BatchWork = std::function<void(BatchObserver& observer, const std::atomic<bool>& cancel)>;
bool batch_run_with_progress(QWidget* parent, WindowDialogs& dialogs, int total,
                             const BatchWork& work);

}  // namespace ordelix
