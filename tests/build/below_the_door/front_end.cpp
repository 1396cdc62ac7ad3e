// A front end as the door's check must refuse it: one include below the door
// among those it may make.
#include "base/problem.h"
#include "core/ordelix.h"
#include "save/report_save.h"
#include "sheet/report_sheet.h"
