#include "converted_file.h"

#include "core/ordelix.h"
#include "failure_message.h"

namespace ordelix {
namespace {

unsigned workers_for(unsigned asked) {
  return asked > 0 ? asked : default_workers();
}

}  // namespace

ConvertedFile::ConvertedFile(std::string export_path, Conversion converted)
    : path(std::move(export_path)),
      conversion(std::move(converted)),
      data(run_data_of(path, conversion)) {}

ConvertedFile convert_file(const std::string& path) {
  Result<Conversion> conversion = convert_export_file(path);
  if (!conversion) throw FileFailure(failure_message(path, conversion.error()));
  return {path, std::move(conversion).value()};
}

std::vector<std::variant<ConvertedFile, std::string>> convert_files(
    const std::vector<std::string>& paths, unsigned workers) {
  BatchSettings settings;
  settings.workers = workers_for(workers);
  BatchObserver unobserved;
  ConvertedBatch batch = batch_convert(paths, settings, unobserved);
  std::vector<std::variant<ConvertedFile, std::string>> files;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const BatchOutcome& outcome = batch.outcomes[i];
    if (!outcome.result) {
      files.emplace_back(failure_message(paths[i], outcome.result.error()));
      continue;
    }
    files.emplace_back(ConvertedFile{paths[i], std::move(batch.conversions[i])});
  }
  return files;
}

void save_workbook(const ConvertedFile& file, const std::string& target, bool replace_existing) {
  ReportChoice choice;
  choice.replace_existing = replace_existing;
  if (Result<void> saved = report_save_as(file.path, file.conversion, target, choice); !saved)
    throw FileFailure(failure_message(file.path, saved.error(), target));
}

}  // namespace ordelix
