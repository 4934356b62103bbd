// The LRC parser and the five lines at a few positions.
#include <QByteArray>

#include "tests/corpus/InputReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  sorv::corpus::readLyrics(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
  return 0;
}
