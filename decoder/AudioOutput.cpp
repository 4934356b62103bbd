#include "decoder/AudioOutput.h"

#include <algorithm>

namespace sorv {

void AudioOutput::flush() {
  lockDevice();
  stage_.flush();
  unlockDevice();
}

int64_t AudioOutput::framesHeard() const {
  return std::max<int64_t>(0, stage_.framesOut() - static_cast<int64_t>(deviceFrames()));
}

}  // namespace sorv
