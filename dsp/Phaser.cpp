#include "dsp/Phaser.h"

namespace Kernwave {

void Phaser::Process(double*, double*, int) {}

}  // namespace Kernwave
