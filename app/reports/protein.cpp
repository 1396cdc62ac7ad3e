#include "protein.h"

#include "protein_colorimetric.h"
#include "protein_uv.h"
#include "protein_uv_dye.h"
#include "report_checks.h"

namespace ordelix {

Result<void> protein_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  reader.prescan(18);
  reader.count_lines();
  const ReadingState& state = reader.state();
  double kind = state.kind_code;
  double variant = state.variant_code;

  if (kind == 2) {
    if (variant == 1 || variant == 2 || variant == 3 || variant == 4)
      return protein_colorimetric_write(context);
    return refused_at_line(context, 3, "a protein colorimetric file has 1, 2, 3 or 4 there");
  }
  if (kind == 6) {
    if (variant == 1) return protein_uv_write(context);
    if (variant == 2) return protein_uv_dye_write(context);
    return refused_at_line(context, 3, "a protein UV file has 1 (UV) or 2 (UV dye) there");
  }
  return refused_at_line(context, 1, "a protein file starts with 2 or 6");
}

}  // namespace ordelix
