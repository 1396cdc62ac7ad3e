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

void save_report(const ConvertedFile& file, const std::string& target, bool replace_existing,
                 char csv_separator) {
  // Any other name gets the workbook, as every name did before JSON and CSV.
  ReportChoice choice{report_format_for(target).value_or(ReportFormat::xlsx), csv_separator,
                      replace_existing};
  if (Result<void> saved = report_save_as(file.path, file.conversion, target, choice); !saved)
    throw FileFailure(failure_message(file.path, saved.error(), target));
}

std::string csv_text(const ConvertedFile& file, char csv_separator) {
  return run_data_text(file.data, ReportFormat::csv, csv_separator);
}

void save_combined(const std::vector<const ConvertedFile*>& files, const std::string& target,
                   bool replace_existing) {
  std::optional<ReportFormat> format = report_format_for(target);
  if (format == ReportFormat::csv || !format)
    throw std::invalid_argument(
        "a combined report is one workbook (.xlsx) or one JSON array (.json)");
  std::vector<std::string> inputs;
  ConvertedBatch batch;
  for (const ConvertedFile* file : files) {
    inputs.push_back(file->path);
    batch.outcomes.emplace_back().attempted = true;
    batch.conversions.push_back(file->conversion);
  }
  CombinedSheets combined = batch_combined_sheets(inputs, batch);
  if (Result<void> saved =
          batch_combined_save(inputs, batch, combined, target, *format, replace_existing);
      !saved)
    throw FileFailure(failure_message(target, saved.error()));
}

}  // namespace ordelix
