#pragma once

#include <memory>

#include "zip_bytes.h"

namespace ordelix {

struct ZipReaderCloser {
  void operator()(void* zip) const;
};
// A zip open for minizip's unz* calls, closed with its owner.
using ZipReader = std::unique_ptr<void, ZipReaderCloser>;

// `source` opened to be read through its index; null where no zip index is found.
ZipReader zip_reader_open(const ZipSource& source);

}  // namespace ordelix
