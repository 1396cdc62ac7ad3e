#include "report_save.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/folders.h"
#include "platform/paths.h"
#include "xlsx/xlsx_writer.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

constexpr std::size_t read_back_chunk = 64 * 1024;

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

// A file in the target's folder for the report, once the target may take it.
Result<StagedFile> file_staged(const std::string& target, const SaveOptions& options) {
  if (!options.input_path.empty() &&
      (target == options.input_path || paths_same_file(target, options.input_path)))
    return Problem(ProblemKind::target_is_input);
  if (Result<void> free = target_check(target, options.replace_existing); !free)
    return std::move(free).error();
  return StagedFile::create(path_folder(target));
}

// The file holds `blocks` and nothing more, read back as the disk gives them.
Result<void> read_back_check(const StagedFile& file, std::span<const std::string_view> blocks) {
  // Unfilled: only what a read put there is compared.
  std::unique_ptr<char[]> buffer(new char[read_back_chunk]);
  std::uint64_t at = 0;
  for (std::string_view block : blocks) {
    for (std::size_t done = 0; done < block.size();) {
      std::size_t wanted = std::min(read_back_chunk, block.size() - done);
      Result<std::size_t> got = file.read_at(at, buffer.get(), wanted);
      if (!got) return std::move(got).error();
      if (got.value() != wanted ||
          !std::equal(buffer.get(), buffer.get() + wanted, block.begin() + done))
        return Problem(ProblemKind::write_failed, EIO);
      done += wanted;
      at += wanted;
    }
  }
  Result<std::size_t> beyond = file.read_at(at, buffer.get(), 1);
  if (!beyond) return std::move(beyond).error();
  if (beyond.value() != 0) return Problem(ProblemKind::write_failed, EIO);
  return {};
}

Result<void> blocks_into(StagedFile& file, std::span<const std::string_view> blocks) {
  std::uint64_t at = 0;
  for (std::string_view block : blocks) {
    if (Result<void> written = file.write_at(at, block); !written) return written;
    at += block.size();
  }
  return read_back_check(file, blocks);
}

// Checked in memory before a byte of it reaches the folder.
Result<void> workbook_into(StagedFile& file, std::span<const WorkbookSheet> sheets,
                           std::time_t created, const std::string& folder) {
  Result<ZipBytes> zip = report_workbook_bytes(sheets, created, folder);
  if (!zip) return std::move(zip).error();
  return blocks_into(file, zip->blocks());
}

Result<void> sync_if_asked(StagedFile& file, WriteSync sync) {
  if (sync == WriteSync::synced) return file.sync();
  return {};
}

}  // namespace

Result<ZipBytes> report_workbook_bytes(std::span<const WorkbookSheet> sheets, std::time_t created,
                                       const std::string& temp_folder) {
  ZipBytes zip;
  if (Result<void> written = xlsx_write_workbook(sheets, created, temp_folder, zip); !written)
    return std::move(written).error();
  if (Result<void> checked = zip_check(zip); !checked) return std::move(checked).error();
  return zip;
}

Result<PendingReport> report_write(std::span<const WorkbookSheet> sheets, const std::string& target,
                                   const SaveOptions& options, WriteSync sync) {
  Result<StagedFile> staged = file_staged(target, options);
  if (!staged) return std::move(staged).error();
  StagedFile& file = staged.value();
  if (Result<void> written = workbook_into(file, sheets, options.created, path_folder(target));
      !written)
    return std::move(written).error();
  if (Result<void> synced = sync_if_asked(file, sync); !synced) return std::move(synced).error();
  return PendingReport(std::move(file), target, options.replace_existing);
}

Result<PendingReport> report_write_bytes(std::string_view bytes, const std::string& target,
                                         const SaveOptions& options, WriteSync sync) {
  Result<StagedFile> staged = file_staged(target, options);
  if (!staged) return std::move(staged).error();
  StagedFile& file = staged.value();
  if (Result<void> written = blocks_into(file, {&bytes, 1}); !written)
    return std::move(written).error();
  if (Result<void> synced = sync_if_asked(file, sync); !synced) return std::move(synced).error();
  return PendingReport(std::move(file), target, options.replace_existing);
}

Result<void> PendingReport::place() {
  if (Result<void> free = target_check(target_, replace_); !free) return free;
  return file_.place(target_, replace_);
}

Result<void> report_sync_folder(const std::string& target) {
  return folder_sync(path_folder(target));
}

namespace {

Result<void> placed_and_synced(Result<PendingReport> written, const std::string& target) {
  if (!written) return std::move(written).error();
  if (Result<void> placed = written->place(); !placed) return placed;
  return report_sync_folder(target);
}

}  // namespace

Result<void> report_save_workbook(std::span<const WorkbookSheet> sheets, const std::string& target,
                                  const SaveOptions& options) {
  return placed_and_synced(report_write(sheets, target, options), target);
}

Result<void> report_save(const ReportSheet& sheet, const std::string& target,
                         const SaveOptions& options) {
  WorkbookSheet only{&sheet, {}};
  return report_save_workbook({&only, 1}, target, options);
}

Result<void> report_save_bytes(std::string_view bytes, const std::string& target,
                               const SaveOptions& options) {
  return placed_and_synced(report_write_bytes(bytes, target, options), target);
}

}  // namespace ordelix
