#pragma once

namespace Dsp {

// A tiny offset of alternating sign fed into the first stage, so that recursive histories
// never decay into the denormal range during silence.
struct DenormalGuard
{
  double Next()
  {
    value = -value;
    return value;
  }

  double value = 1e-8;
};

}  // namespace Dsp
