#include "existing_report.h"

#include <cerrno>
#include <string_view>

#include "platform/input_file.h"
#include "platform/paths.h"
#include "zip/zip_check.h"
#include "zip/zip_compare.h"

namespace ordelix {
namespace {

// Larger than any report, however stored: another program's file.
constexpr std::uint64_t largest_report = 256ull << 20;

Problem unreadable(const Problem& reason) {
  return Problem(ProblemKind::existing_report_unreadable, reason.sys_errno);
}

Problem differs() {
  return Problem(ProblemKind::existing_report_differs);
}

// Read whole at once: the zip reader asks for a few bytes at a time.
Result<std::string> bytes_of(const ReadOnlyFile& file) {
  // No larger than the largest report: it fits in memory on every target.
  std::string bytes(static_cast<std::size_t>(file.size()), '\0');
  Result<std::size_t> n = file.read_at(0, bytes.data(), bytes.size());
  if (!n) return unreadable(n.error());
  bytes.resize(n.value());
  return bytes;
}

Result<ExistingReport> workbook_check(std::string_view held, const ZipSource& fresh) {
  ZipBytes zip(held);
  if (!zip_check(zip)) return Problem(ProblemKind::existing_report_incomplete);
  if (!zip_same_contents(zip, fresh)) return differs();
  return ExistingReport::same;
}

// The save writes data whole or not at all: a file that begins as the
// report does but stops short was cut by another program's copy.
Result<ExistingReport> data_check(std::string_view held, const ZipSource& fresh) {
  std::string wanted(static_cast<std::size_t>(fresh.size()), '\0');
  wanted.resize(fresh.read(0, wanted.data(), wanted.size()));
  if (held == wanted) return ExistingReport::same;
  if (held.size() < wanted.size() && wanted.starts_with(held))
    return Problem(ProblemKind::existing_report_incomplete);
  return differs();
}

}  // namespace

Result<ExistingReport> existing_report_at(const std::string& target, ReportFormat format,
                                          const ZipSource& fresh) {
  if (path_kind(target) != PathKind::regular) return ExistingReport::none;
  Result<ReadOnlyFile> file = ReadOnlyFile::open(target);
  if (!file) {
    const Problem& why = file.error();
    // Gone, or no longer a regular file, since it was looked at.
    bool gone = why.kind == ProblemKind::is_folder || why.kind == ProblemKind::not_regular ||
                (why.kind == ProblemKind::cannot_open && why.sys_errno == ENOENT);
    return gone ? Result<ExistingReport>(ExistingReport::none) : unreadable(why);
  }
  if (file->size() > largest_report) return differs();
  Result<std::string> held = bytes_of(file.value());
  if (!held) return std::move(held).error();
  if (format == ReportFormat::xlsx) return workbook_check(held.value(), fresh);
  return data_check(held.value(), fresh);
}

}  // namespace ordelix
