#include "existing_report.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include "platform/input_file.h"
#include "platform/paths.h"
#include "zip/zip_check.h"
#include "zip/zip_compare.h"

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

Problem differs() {
  return Problem(ProblemKind::existing_report_differs);
}

Result<ExistingReport> workbook_check(const ReadOnlyFile& file, const ZipSource& fresh) {
  FileZipSource source(file);
  Result<void> checked = zip_check(source);
  if (source.failure()) return unreadable(*source.failure());
  if (!checked) return Problem(ProblemKind::existing_report_incomplete);
  if (!zip_same_contents(source, fresh)) {
    if (source.failure()) return unreadable(*source.failure());
    return differs();
  }
  return ExistingReport::same;
}

// The save writes data whole or not at all: a file that begins as the
// report does but stops short was cut by another program's copy.
Result<ExistingReport> data_check(const ReadOnlyFile& file, const ZipSource& fresh) {
  constexpr std::size_t chunk = 64 * 1024;
  std::vector<char> held(chunk), wanted(chunk);
  std::uint64_t at = 0;
  for (;;) {
    Result<std::size_t> n = file.read_at(at, held.data(), held.size());
    if (!n) return unreadable(n.error());
    std::size_t m = fresh.read(at, wanted.data(), wanted.size());
    std::size_t common = std::min(n.value(), m);
    if (!std::equal(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(common),
                    wanted.begin()))
      return differs();
    if (n.value() != m)
      return n.value() < m
                 ? Result<ExistingReport>(Problem(ProblemKind::existing_report_incomplete))
                 : Result<ExistingReport>(differs());
    if (m == 0) return ExistingReport::same;
    at += m;
  }
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
  if (format == ReportFormat::xlsx) return workbook_check(file.value(), fresh);
  return data_check(file.value(), fresh);
}

}  // namespace ordelix
