#pragma once

// The core's one door: the front ends convert, save, run batches, and read
// the modes and a report's curve through what this header declares. Beside
// it they include only what they present: problems and their words (base/),
// the report sheet (sheet/), the run data (rundata/), and the converter its
// console (platform/console.h).

#include "batch/batch_summary.h"
#include "batch_run.h"
#include "conversion.h"
#include "folder_watch_run.h"
#include "report_curve.h"
#include "report_files.h"
#include "reports/measurement_modes.h"
#include "run_data_conversion.h"
