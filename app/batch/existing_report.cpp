#include "existing_report.h"

#include <cerrno>
#include <optional>
#include <string_view>

#include "platform/input_file.h"
#include "platform/paths.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

// The file as the zip check reads it; the first read that failed is kept,
// for the check cannot tell it from a zip cut short.
class FileZipSource : public ZipSource {
 public:
  explicit FileZipSource(const ReadOnlyFile& file) : file_(file) {}

  std::uint64_t size() const override { return file_.size(); }
  std::size_t read(std::uint64_t at, void* data, std::size_t size) const override {
    Result<std::size_t> n = file_.read_at(at, static_cast<char*>(data), size);
    if (n) return n.value();
    if (!failure_) failure_ = std::move(n).error();
    return 0;
  }
  const std::optional<Problem>& failure() const { return failure_; }

 private:
  const ReadOnlyFile& file_;
  mutable std::optional<Problem> failure_;
};

Problem unreadable(const Problem& reason) {
  return Problem(ProblemKind::existing_report_unreadable, reason.sys_errno);
}

Result<ExistingReport> workbook_check(const ReadOnlyFile& file) {
  FileZipSource source(file);
  Result<void> checked = zip_index_check(source);
  if (source.failure()) return unreadable(*source.failure());
  if (!checked) return Problem(ProblemKind::existing_report_incomplete);
  return ExistingReport::complete;
}

// The save writes data whole or not at all; another program's copy cut
// short shows at its end.
Result<ExistingReport> data_check(const ReadOnlyFile& file, ReportFormat format) {
  char tail[2] = {};
  if (file.size() < sizeof tail) return Problem(ProblemKind::existing_report_incomplete);
  Result<std::size_t> n = file.read_at(file.size() - sizeof tail, tail, sizeof tail);
  if (!n) return unreadable(n.error());
  std::string_view end(tail, n.value());
  bool whole = format == ReportFormat::csv ? end == "\r\n" : end == "}\n" || end == "]\n";
  if (!whole) return Problem(ProblemKind::existing_report_incomplete);
  return ExistingReport::complete;
}

}  // namespace

Result<ExistingReport> existing_report_at(const std::string& target, ReportFormat format) {
  if (path_kind(target) != PathKind::regular) return ExistingReport::none;
  Result<ReadOnlyFile> file = ReadOnlyFile::open(target);
  if (!file) {
    const Problem& why = file.error();
    // Gone, or no longer a regular file, since it was looked at.
    bool gone = why.kind == ProblemKind::is_folder || why.kind == ProblemKind::not_regular ||
                (why.kind == ProblemKind::cannot_open && why.sys_errno == ENOENT);
    return gone ? Result<ExistingReport>(ExistingReport::none) : unreadable(why);
  }
  if (format == ReportFormat::xlsx) return workbook_check(file.value());
  return data_check(file.value(), format);
}

}  // namespace ordelix
