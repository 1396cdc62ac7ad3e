#include "batch_run.h"

#include <functional>
#include <future>
#include <mutex>
#include <optional>

#include "batch/existing_report.h"
#include "batch/worker_pool.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "run_data_conversion.h"
#include "save/report_flush.h"
#include "save/report_save.h"
#include "sheet/sheet_names.h"

namespace ordelix {
namespace {

// Outcomes are reported a chunk at a time, so that messages come in the
// order of the files while the workers stay busy, and the reports of a chunk
// are made durable together.
constexpr std::size_t chunk_size = 64;

class ProgressTracker {
 public:
  ProgressTracker(std::size_t total, BatchObserver& observer) : observer_(observer) {
    progress_.total = total;
  }

  void started(const std::string& input) {
    std::lock_guard lock(mutex_);
    progress_.current = input;
    observer_.progressed(progress_);
  }

  void finished(const BatchOutcome& outcome) {
    std::lock_guard lock(mutex_);
    ++progress_.done;
    if (!outcome.result) ++progress_.failed;
    observer_.progressed(progress_);
  }

 private:
  std::mutex mutex_;
  BatchProgress progress_;
  BatchObserver& observer_;
};

using Step = std::function<BatchOutcome(std::size_t)>;
// Completes the outcomes of files [first, last) before they are reported.
using Settle = std::function<void(std::size_t first, std::size_t last, std::vector<BatchOutcome>&)>;

std::vector<BatchOutcome> run_in_chunks(const std::vector<std::string>& inputs,
                                        const BatchSettings& settings, BatchObserver& observer,
                                        const Step& step, const Settle& settle) {
  std::vector<BatchOutcome> outcomes(inputs.size());
  ProgressTracker tracker(inputs.size(), observer);
  auto cancelled = [&settings] { return settings.cancel != nullptr && *settings.cancel; };
  std::future<void> settling;
  for (std::size_t first = 0; first < inputs.size() && !cancelled(); first += chunk_size) {
    std::size_t last = std::min(first + chunk_size, inputs.size());
    worker_pool_run(last - first, settings.workers, settings.cancel, [&](std::size_t k) {
      std::size_t i = first + k;
      tracker.started(inputs[i]);
      outcomes[i] = step(i);
      outcomes[i].attempted = true;
      tracker.finished(outcomes[i]);
    });
    auto settle_chunk = [&, first, last] {
      settle(first, last, outcomes);
      for (std::size_t i = first; i < last; ++i)
        if (outcomes[i].attempted) observer.reported(i, outcomes[i]);
    };
    if (settling.valid()) settling.get();
    // The chunk settles, mostly waiting for the disk, while the workers go on
    // with the next one; the last has nothing to overlap with.
    if (last == inputs.size())
      settle_chunk();
    else
      settling = std::async(std::launch::async, settle_chunk);
  }
  if (settling.valid()) settling.get();
  return outcomes;
}

// The conversion keeps its warnings too: its data tells them.
BatchOutcome outcome_of(const Result<Conversion>& conversion, const BatchSettings& settings) {
  BatchOutcome outcome;
  if (!conversion) {
    outcome.result = conversion.error();
    return outcome;
  }
  outcome.warnings = conversion->warnings;
  if (settings.refuse_warned && !outcome.warnings.empty())
    outcome.result = refusal_for_warnings(outcome.warnings.size());
  return outcome;
}

// Each report of a chunk is written and checked by its worker, without a
// sync of its own; then one flush makes the whole chunk durable before the
// reports move into place, so that a crash leaves no report that is not
// complete.
class ChunkedSave {
 public:
  ChunkedSave(const std::vector<BatchJob>& jobs, const BatchSettings& settings)
      : jobs_(jobs), settings_(settings), written_(jobs.size()) {}

  BatchOutcome write(std::size_t i) {
    const BatchJob& job = jobs_[i];
    Result<Conversion> conversion = convert_export_file(job.input);
    if (conversion && settings_.on_existing == OnExistingReport::skip) {
      if (std::optional<BatchOutcome> kept = kept_report(job, conversion.value())) return *kept;
    }
    if (conversion && settings_.on_existing == OnExistingReport::keep_or_replace) {
      std::optional<BatchOutcome> kept = kept_report(job, conversion.value());
      if (kept && kept->skipped) return *kept;
    }
    BatchOutcome outcome = outcome_of(conversion, settings_);
    if (!outcome.result) return outcome;
    if (settings_.create_folders) outcome.result = folder_make(path_folder(job.target));
    if (!outcome.result) return outcome;
    Result<PendingReport> written = report_written(job, conversion.value());
    if (!written)
      outcome.result = std::move(written).error();
    else
      written_[i].emplace(std::move(written).value());
    return outcome;
  }

  // Written in the folder, not yet in place.
  // The conversion's sheet is emptied once the workbook holds it.
  Result<PendingReport> report_written(const BatchJob& job, Conversion& conversion) {
    SaveOptions options;
    options.replace_existing = settings_.on_existing == OnExistingReport::replace ||
                               settings_.on_existing == OnExistingReport::keep_or_replace;
    options.input_path = job.input;
    options.created = conversion.created;
    if (settings_.format == ReportFormat::xlsx) {
      WorkbookSheet only{&conversion.sheet, {}, &conversion.sheet};
      return report_write({&only, 1}, job.target, options, WriteSync::by_caller);
    }
    std::string text = run_data_text(run_data_of(job.input, conversion), settings_.format,
                                     settings_.csv_separator);
    return report_write_bytes(text, job.target, options, WriteSync::by_caller);
  }

  void place(std::size_t first, std::size_t last, std::vector<BatchOutcome>& outcomes) {
    std::vector<std::size_t> ready;
    std::vector<PendingReport*> reports;
    for (std::size_t i = first; i < last; ++i) {
      if (!written_[i]) continue;
      ready.push_back(i);
      reports.push_back(&*written_[i]);
    }
    Result<void> flushed = reports_flush(reports);
    std::vector<std::size_t> placed;
    std::vector<std::string> targets;
    for (std::size_t i : ready) {
      outcomes[i].result = flushed ? written_[i]->place() : flushed;
      if (outcomes[i].result) {
        placed.push_back(i);
        targets.push_back(jobs_[i].target);
      }
      written_[i].reset();  // an unplaced report goes with it
    }
    if (Result<void> named = report_folders_flush(targets); !named)
      for (std::size_t i : placed) outcomes[i].result = named;
  }

 private:
  // The report the conversion gives, as a save would write it.
  Result<ZipBytes> fresh_report(const BatchJob& job, const Conversion& conversion) const {
    if (settings_.format == ReportFormat::xlsx) {
      WorkbookSheet only{&conversion.sheet, {}};
      return report_workbook_bytes({&only, 1}, conversion.created, path_folder(job.target));
    }
    return ZipBytes(run_data_text(run_data_of(job.input, conversion), settings_.format,
                                  settings_.csv_separator));
  }

  // The outcome of a file whose report stands already: skipped when it is
  // the report the file gives now, failed when it is not, or cannot be
  // trusted. None for a file to save.
  std::optional<BatchOutcome> kept_report(const BatchJob& job, const Conversion& conversion) const {
    // Nothing to keep; and a file named as its own report is no report, and
    // fails as it would without skipping.
    if (path_kind(job.target) != PathKind::regular || paths_same_file(job.input, job.target))
      return std::nullopt;
    Result<ZipBytes> fresh = fresh_report(job, conversion);
    if (!fresh) return std::nullopt;  // the save fails the same way, and says so
    Result<ExistingReport> existing =
        existing_report_at(job.target, settings_.format, fresh.value());
    if (existing && existing.value() == ExistingReport::none) return std::nullopt;
    BatchOutcome outcome;
    if (existing)
      outcome.skipped = true;
    else
      outcome.result = std::move(existing).error();
    return outcome;
  }

  const std::vector<BatchJob>& jobs_;
  const BatchSettings& settings_;
  std::vector<std::optional<PendingReport>> written_;
};

}  // namespace

std::vector<BatchOutcome> batch_save_reports(const std::vector<BatchJob>& jobs,
                                             const BatchSettings& settings,
                                             BatchObserver& observer) {
  std::vector<std::string> inputs;
  for (const BatchJob& job : jobs) inputs.push_back(job.input);
  ChunkedSave save(jobs, settings);
  return run_in_chunks(
      inputs, settings, observer, [&](std::size_t i) { return save.write(i); },
      [&](std::size_t first, std::size_t last, std::vector<BatchOutcome>& outcomes) {
        save.place(first, last, outcomes);
      });
}

ConvertedBatch batch_convert(const std::vector<std::string>& inputs, const BatchSettings& settings,
                             BatchObserver& observer) {
  ConvertedBatch batch;
  batch.conversions.resize(inputs.size());
  batch.outcomes = run_in_chunks(
      inputs, settings, observer,
      [&](std::size_t i) {
        Result<Conversion> conversion = convert_export_file(inputs[i]);
        BatchOutcome outcome = outcome_of(conversion, settings);
        if (conversion) batch.conversions[i] = std::move(conversion).value();
        return outcome;
      },
      [](std::size_t, std::size_t, std::vector<BatchOutcome>&) {});
  return batch;
}

CombinedSheets batch_combined_sheets(const std::vector<std::string>& inputs,
                                     const ConvertedBatch& batch) {
  CombinedSheets combined;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (!batch.outcomes[i].converted()) continue;
    combined.files.push_back(i);
    names.push_back(path_file_name(inputs[i]));
    combined.created = std::max(combined.created, batch.conversions[i].created);
  }
  names = sheet_names_for(names);
  for (std::size_t k = 0; k < names.size(); ++k)
    combined.sheets.push_back({&batch.conversions[combined.files[k]].sheet, names[k]});
  return combined;
}

std::string batch_combined_data(const std::vector<std::string>& inputs,
                                const ConvertedBatch& batch) {
  std::vector<RunData> runs;
  for (std::size_t i = 0; i < inputs.size(); ++i)
    if (batch.outcomes[i].converted()) runs.push_back(run_data_of(inputs[i], batch.conversions[i]));
  return run_data_json_array(runs);
}

Result<ExistingReport> batch_combined_existing(const std::string& target, ReportFormat format,
                                               const std::vector<std::string>& inputs,
                                               const ConvertedBatch& batch,
                                               const CombinedSheets& combined) {
  if (path_kind(target) != PathKind::regular) return ExistingReport::none;
  Result<ZipBytes> fresh =
      format == ReportFormat::json
          ? Result<ZipBytes>(ZipBytes(batch_combined_data(inputs, batch)))
          : report_workbook_bytes(combined.sheets, combined.created, path_folder(target));
  if (!fresh) return ExistingReport::none;  // the save fails the same way, and says so
  Result<ExistingReport> existing = existing_report_at(target, format, fresh.value());
  if (existing) return existing;
  Problem why = std::move(existing).error();
  why.counts[0] = static_cast<long long>(combined.files.size());
  return why;
}

}  // namespace ordelix
