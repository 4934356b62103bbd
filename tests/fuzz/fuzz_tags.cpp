// Tags and stream facts of an MP3 file, as the player reads them for each track.
#include "decoder/FileInfo.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  sorv::TagRecord tag;
  sorv::StreamRecord stream;
  sorv::readFileInfo(QFile::encodeName(FuzzFile("tags.mp3", data, size)).toStdString(), tag,
                     stream);
  return 0;
}
