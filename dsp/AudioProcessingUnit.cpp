#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

void AudioProcessingUnit::SetBypassed(bool off)
{
  bypassed = off;
  if (off) {
    fadeGain = 0.995;
    fadeStep = -0.005;
  } else {
    fadeGain = 0.005;
    fadeStep = 0.005;
  }
}

}  // namespace Kernwave
