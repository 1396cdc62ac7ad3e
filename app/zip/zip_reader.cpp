#include "zip_reader.h"

#include <unzip.h>

namespace ordelix {

void ZipReaderCloser::operator()(void* zip) const {
  unzClose(zip);
}

// minizip keeps its own copy of the functions.
ZipReader zip_reader_open(const ZipSource& source) {
  zlib_filefunc64_def functions{};
  zip_bytes_read_functions(source, functions);
  return ZipReader(unzOpen2_64("workbook", &functions));
}

}  // namespace ordelix
