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

// The report saved at `target` in the format its extension names (.json,
// .csv; the workbook for any other), as the converter saves it; FileFailure
// when it is not.
void save_report(const ConvertedFile& file, const std::string& target, bool replace_existing,
                 char csv_separator);

// The run as ordelix-convert --format csv writes it.
std::string csv_text(const ConvertedFile& file, char csv_separator);

// The converted files saved as one combined report at `target`, a workbook
// (.xlsx) or a JSON array (.json), as ordelix-convert --combine saves it;
// FileFailure when it is not, std::invalid_argument for another extension.
void save_combined(const std::vector<const ConvertedFile*>& files, const std::string& target,
                   bool replace_existing);

}  // namespace ordelix
