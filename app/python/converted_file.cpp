#include "converted_file.h"

#include <algorithm>
#include <thread>

#include "batch_run.h"
#include "failure_message.h"
#include "run_data_conversion.h"
#include "save/report_save.h"

namespace ordelix {
namespace {

class Unobserved : public BatchObserver {
 public:
  void progressed(const BatchProgress&) override {}
  void reported(std::size_t, const BatchOutcome&) override {}
};

unsigned workers_for(unsigned asked) {
  return asked > 0 ? asked : std::max(1u, std::thread::hardware_concurrency());
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
  Unobserved observer;
  ConvertedBatch batch = batch_convert(paths, settings, observer);
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
  SaveOptions options;
  options.replace_existing = replace_existing;
  options.input_path = file.path;
  options.created = file.conversion.created;
  if (Result<void> saved = report_save(file.conversion.sheet, target, options); !saved)
    throw FileFailure(failure_message(file.path, saved.error(), target));
}

}  // namespace ordelix
