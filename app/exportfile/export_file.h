#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "local_date_time.h"
#include "text_encoding.h"

namespace ordelix {

// One export file as read from disk: the bytes are taken once, so every
// reading pass of a conversion sees the same snapshot even if the file
// changes meanwhile. The file itself is never written. A file an editor saved
// as Unicode is held as the instrument's single-byte text.
class ExportFile {
 public:
  // Export files are a few kilobytes; anything beyond this is not one.
  static constexpr std::size_t max_bytes = 64u * 1024u * 1024u;

  ExportFile(std::string path, std::string bytes, std::time_t created)
      : path_(std::move(path)),
        text_(single_byte_text(std::move(bytes))),
        created_time_(workbook_time_clamp(created)),
        created_(date_time_from_local(created)) {}

  const std::string& path() const { return path_; }
  std::string_view bytes() const { return text_.bytes; }
  // How the file holds its text, and what of it is "?" for want of a byte.
  TextEncoding encoding() const { return text_.found; }
  long long characters_replaced() const { return text_.replaced; }
  // Birth time where the file system records it, else the modification time;
  // nothing when a workbook cannot show it.
  const std::optional<DateTime>& created() const { return created_; }
  // The same time, moved into the span a workbook can show.
  std::time_t created_time() const { return created_time_; }

 private:
  std::string path_;
  SingleByteText text_;
  std::time_t created_time_;
  std::optional<DateTime> created_;
};

// The export file at `path`, read once and only read.
Result<ExportFile> export_file_load(const std::string& path);

}  // namespace ordelix
