#include "report_stream.h"

#include "platform/output.h"
#include "platform/paths.h"
#include "zip/zip_check.h"

namespace ordelix {
Result<void> report_stream(std::span<const WorkbookSheet> sheets, int descriptor,
                           std::time_t created) {
  ZipBytes zip;
  if (Result<void> written = xlsx_write_workbook(sheets, created, temp_folder(), zip); !written)
    return written;
  if (Result<void> checked = zip_check(zip); !checked) return checked;
  for (std::string_view block : zip.blocks())
    if (Result<void> out = output_write(descriptor, block); !out) return out;
  return {};
}

}  // namespace ordelix
