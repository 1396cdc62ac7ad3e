#pragma once

// The core's one door: the front ends convert, save, and run batches through
// what this header declares. Beside it they include only what they present:
// problems and their words (base/), the report sheet (sheet/), the run data
// (rundata/), and the converter its console (platform/console.h).

#include "batch/batch_summary.h"
#include "batch_run.h"
#include "conversion.h"
#include "report_files.h"
#include "run_data_conversion.h"
