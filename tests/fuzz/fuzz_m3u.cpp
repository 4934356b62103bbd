// A play-list file taken as the play list.
#include "tests/corpus/InputReaders.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  sorv::corpus::readPlayList(FuzzFile("list.m3u", data, size));
  return 0;
}
