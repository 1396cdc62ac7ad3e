#include "report_save.h"

#include "platform/folders.h"
#include "platform/paths.h"
#include "xlsx/xlsx_writer.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

// What stands at the target may be replaced: nothing, or with consent a regular file.
Result<void> target_check(const std::string& target, bool replace) {
  switch (path_kind(target)) {
    case PathKind::none:
      return {};
    case PathKind::folder:
      return Problem(ProblemKind::target_is_folder);
    case PathKind::other:
      return Problem(ProblemKind::target_not_regular);
    case PathKind::regular:
      break;
  }
  if (!replace) return Problem(ProblemKind::target_exists);
  return {};
}

// Checked in memory before a byte of it reaches the folder.
Result<void> workbook_into(StagedFile& file, std::span<const WorkbookSheet> sheets,
                           std::time_t created, const std::string& folder) {
  ZipBytes zip;
  if (Result<void> written = xlsx_write_workbook(sheets, created, folder, zip); !written)
    return written;
  if (Result<void> checked = zip_check(zip); !checked) return checked;
  std::uint64_t at = 0;
  for (std::string_view block : zip.blocks()) {
    if (Result<void> written = file.write_at(at, block); !written) return written;
    at += block.size();
  }
  return {};
}

}  // namespace

Result<PendingReport> report_write(std::span<const WorkbookSheet> sheets, const std::string& target,
                                   const SaveOptions& options, WriteSync sync) {
  if (!options.input_path.empty() &&
      (target == options.input_path || paths_same_file(target, options.input_path)))
    return Problem(ProblemKind::target_is_input);
  if (Result<void> free = target_check(target, options.replace_existing); !free)
    return std::move(free).error();

  std::string folder = path_folder(target);
  Result<StagedFile> created = StagedFile::create(folder);
  if (!created) return std::move(created).error();
  StagedFile& file = created.value();
  if (Result<void> written = workbook_into(file, sheets, options.created, folder); !written)
    return std::move(written).error();
  if (sync == WriteSync::synced)
    if (Result<void> synced = file.sync(); !synced) return std::move(synced).error();
  return PendingReport(std::move(file), target, options.replace_existing);
}

Result<void> PendingReport::place() {
  if (Result<void> free = target_check(target_, replace_); !free) return free;
  return file_.place(target_, replace_);
}

Result<void> report_sync_folder(const std::string& target) {
  return folder_sync(path_folder(target));
}

Result<void> report_save_workbook(std::span<const WorkbookSheet> sheets, const std::string& target,
                                  const SaveOptions& options) {
  Result<PendingReport> written = report_write(sheets, target, options);
  if (!written) return std::move(written).error();
  if (Result<void> placed = written->place(); !placed) return placed;
  return report_sync_folder(target);
}

Result<void> report_save(const ReportSheet& sheet, const std::string& target,
                         const SaveOptions& options) {
  WorkbookSheet only{&sheet, {}};
  return report_save_workbook({&only, 1}, target, options);
}

}  // namespace ordelix
