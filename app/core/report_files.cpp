#include "report_files.h"

#include <algorithm>
#include <thread>

#include "exportfile/local_date_time.h"
#include "platform/output.h"
#include "platform/paths.h"
#include "run_data_conversion.h"
#include "save/report_save.h"
#include "save/report_stream.h"

namespace ordelix {

Result<void> report_save_as(const std::string& input, const Conversion& conversion,
                            const std::string& target, const ReportChoice& choice) {
  SaveOptions options;
  options.replace_existing = choice.replace_existing;
  options.input_path = input;
  options.created = conversion.created;
  if (choice.format == ReportFormat::xlsx) return report_save(conversion.sheet, target, options);
  return report_save_bytes(
      run_data_text(run_data_of(input, conversion), choice.format, choice.csv_separator), target,
      options);
}

std::optional<ReportFormat> report_format_for(const std::string& target) {
  return report_format_of_file(path_file_name(target));
}

BatchPlan batch_plan(const std::vector<BatchInput>& files, const std::string& output,
                     const std::string& folder, ReportFormat format) {
  BatchPlan plan;
  std::vector<std::string> targets = batch_report_paths(files, output, folder, format);
  if ((plan.clash = batch_find_clash(targets))) {
    plan.clash_target = targets[plan.clash->second];
    return plan;
  }
  for (std::size_t i = 0; i < files.size(); ++i) plan.jobs.push_back({files[i].path, targets[i]});
  return plan;
}

Result<void> batch_combined_save(const std::vector<std::string>& inputs,
                                 const ConvertedBatch& batch, const CombinedSheets& combined,
                                 const std::string& target, ReportFormat format,
                                 bool replace_existing) {
  SaveOptions options;
  options.replace_existing = replace_existing;
  options.created = combined.created;
  if (format == ReportFormat::json)
    return report_save_bytes(batch_combined_data(inputs, batch), target, options);
  return report_save_workbook(combined.sheets, target, options);
}

Result<void> report_send(const std::string& input, const Conversion& conversion, int descriptor,
                         const ReportChoice& choice) {
  if (choice.format == ReportFormat::xlsx) {
    WorkbookSheet only{&conversion.sheet, {}};
    return report_stream({&only, 1}, descriptor, conversion.created);
  }
  return output_write(descriptor, run_data_text(run_data_of(input, conversion), choice.format,
                                                choice.csv_separator));
}

Result<void> batch_combined_send(const std::vector<std::string>& inputs,
                                 const ConvertedBatch& batch, const CombinedSheets& combined,
                                 int descriptor, ReportFormat format) {
  if (format == ReportFormat::json)
    return output_write(descriptor, batch_combined_data(inputs, batch));
  return report_stream(combined.sheets, descriptor, combined.created);
}

Result<std::string> reports_zip(const std::vector<ZipMember>& members) {
  ZipBytes zip;
  DateTime now = date_time_from_local(std::time(nullptr)).value_or(DateTime{});
  if (Result<void> written = zip_archive_write(members, now, zip); !written)
    return std::move(written).error();
  return zip.joined();
}

unsigned default_workers() {
  return std::max(1u, std::thread::hardware_concurrency());
}

std::string failure_words(const Problem& failure, std::string_view shown_target,
                          std::string_view replace_hint) {
  std::string words = problem_text(failure);
  bool replaceable = failure.kind == ProblemKind::target_exists ||
                     failure.kind == ProblemKind::existing_report_incomplete ||
                     failure.kind == ProblemKind::existing_report_differs ||
                     failure.kind == ProblemKind::existing_report_older;
  if (replaceable && !replace_hint.empty()) words.append(" (").append(replace_hint).append(")");
  if (problem_concerns_target(failure.kind) && !shown_target.empty())
    words.append(": ").append(shown_target);
  return words;
}

}  // namespace ordelix
