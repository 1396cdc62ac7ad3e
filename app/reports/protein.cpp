#include "protein.h"

#include "number_text.h"
#include "protein_colorimetric.h"
#include "protein_uv.h"
#include "protein_uv_dye.h"

namespace ordelix {

ReportRefusal protein_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  reader.prescan(18);
  reader.count_lines();
  const ReadingState& state = reader.state();
  double kind = state.head_value1;
  double variant = state.head_value3;

  if (kind == 2 && (variant == 1 || variant == 2 || variant == 3 || variant == 4))
    return protein_colorimetric_write(context);
  if (kind == 6 && variant == 1) return protein_uv_write(context);
  if (kind == 6 && variant == 2) return protein_uv_dye_write(context);
  return report_refused("is not a protein colorimetric, UV or UV dye export: line 1 is " +
                        general_number_text(kind) + ", line 3 is " + general_number_text(variant));
}

}  // namespace ordelix
