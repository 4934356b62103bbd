// The state file sorvane.dat read at start-up.
#include <QFileInfo>

#include "tests/corpus/InputReaders.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  sorv::corpus::readStateFolder(QFileInfo(FuzzFile("sorvane.dat", data, size)).path());
  return 0;
}
