#pragma once

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "core/ordelix.h"
#include "rundata/run_data.h"

namespace ordelix {

// An export file that gave a report, kept for its data and its workbook.
struct ConvertedFile {
  ConvertedFile(std::string export_path, Conversion converted);

  std::string path;
  Conversion conversion;
  RunData data;
};

// A file that gives no report, or whose report was not saved; the message
// is failure_message's.
class FileFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The conversion of one file; FileFailure when it gives no report.
ConvertedFile convert_file(const std::string& path);

// Each file converted on `workers` workers (0: one per processor), in the
// order of `paths`: its conversion, or the message why it gives none.
std::vector<std::variant<ConvertedFile, std::string>> convert_files(
    const std::vector<std::string>& paths, unsigned workers);

// The workbook saved at `target` as the converter saves it; FileFailure when
// it is not.
void save_workbook(const ConvertedFile& file, const std::string& target, bool replace_existing);

}  // namespace ordelix
