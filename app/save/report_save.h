#pragma once

#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/staged_file.h"
#include "sheet/report_sheet.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {

struct SaveOptions {
  bool replace_existing = false;  // never anything but a regular file, whatever this says
  std::string input_path;         // never written over, whatever replace_existing says
  std::time_t created = 0;
};

// Whether report_write syncs the report itself, or the caller makes many
// durable at once (reports_flush).
enum class WriteSync { synced, by_caller };

// A report written and checked in its target's folder, not yet in place: any
// report already there is untouched until place(). Gone unless placed.
// Checked means read back from the file as it was written.
class PendingReport {
 public:
  const std::string& target() const { return target_; }
  // The written file, for flushing it together with others.
  StagedFile& file() { return file_; }
  Result<void> place();

 private:
  friend Result<PendingReport> report_write(std::span<const WorkbookSheet>, const std::string&,
                                            const SaveOptions&, WriteSync);
  friend Result<PendingReport> report_write_bytes(std::string_view, const std::string&,
                                                  const SaveOptions&, WriteSync);
  PendingReport(StagedFile file, std::string target, bool replace)
      : file_(std::move(file)), target_(std::move(target)), replace_(replace) {}

  StagedFile file_;
  std::string target_;
  bool replace_;
};

// The steps of a save, for callers that place several reports together: a
// workbook, checked in memory before it is written, or a report's bytes.
Result<PendingReport> report_write(std::span<const WorkbookSheet> sheets, const std::string& target,
                                   const SaveOptions& options, WriteSync sync = WriteSync::synced);
Result<PendingReport> report_write_bytes(std::string_view bytes, const std::string& target,
                                         const SaveOptions& options,
                                         WriteSync sync = WriteSync::synced);
// A workbook in memory, checked as every saved one is: what a save would
// write, with parts too large for memory in `temp_folder`.
Result<ZipBytes> report_workbook_bytes(std::span<const WorkbookSheet> sheets, std::time_t created,
                                       const std::string& temp_folder);
// Makes the placing of reports in the target's folder last through a crash.
Result<void> report_sync_folder(const std::string& target);

// Saves atomically and durably: write, place, sync the folder. On failure
// nothing is left behind and any earlier report stands, unless only the last
// step failed.
Result<void> report_save(const ReportSheet& sheet, const std::string& target,
                         const SaveOptions& options);
// The same for a workbook of several sheets, and for a report's bytes.
Result<void> report_save_workbook(std::span<const WorkbookSheet> sheets, const std::string& target,
                                  const SaveOptions& options);
Result<void> report_save_bytes(std::string_view bytes, const std::string& target,
                               const SaveOptions& options);

}  // namespace ordelix
