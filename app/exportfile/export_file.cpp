#include "export_file.h"

#include "platform/input_file.h"

namespace ordelix {

Result<ExportFile> export_file_load(const std::string& path) {
  Result<InputFile> read = input_file_read(path, ExportFile::max_bytes);
  if (!read) return std::move(read).error();
  return ExportFile(path, std::move(read->bytes), read->created);
}

}  // namespace ordelix
