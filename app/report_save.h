#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <variant>

#include "problem.h"
#include "report_sheet.h"
#include "staged_file.h"

namespace ordelix {

struct SaveOptions {
  bool replace_existing = false;  // never anything but a regular file, whatever this says
  std::string input_path;         // never written over, whatever replace_existing says
  std::time_t created = 0;
};

// A report written, synced and read back in its target's folder, not yet in
// place: any report already there is untouched until place(). Gone unless
// placed.
class PendingReport {
 public:
  const std::string& target() const { return target_; }
  std::optional<Problem> place();

 private:
  friend std::variant<PendingReport, Problem> report_write(const ReportSheet&, const std::string&,
                                                           const SaveOptions&);
  PendingReport(StagedFile file, std::string target, bool replace)
      : file_(std::move(file)), target_(std::move(target)), replace_(replace) {}

  StagedFile file_;
  std::string target_;
  bool replace_;
};

// The steps of a save, for callers that place several reports together.
std::variant<PendingReport, Problem> report_write(const ReportSheet& sheet,
                                                  const std::string& target,
                                                  const SaveOptions& options);
// Makes the placing of reports in the target's folder last through a crash.
std::optional<Problem> report_sync_folder(const std::string& target);

// Saves atomically and durably: write, place, sync the folder. On failure
// nothing is left behind and any earlier report stands, unless only the last
// step failed. Returns nothing on success, else the error.
std::optional<Problem> report_save(const ReportSheet& sheet, const std::string& target,
                                   const SaveOptions& options);

}  // namespace ordelix
