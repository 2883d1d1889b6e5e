#pragma once

namespace Kernwave {
namespace BlockMath {

// The block functions of one instruction set, each from a file built for it.
struct Kernels
{
  void (*sin)(const double* in, double* out, int n);
  void (*atan)(const double* in, double* out, int n);
};

extern const Kernels kSse2Kernels;
extern const Kernels kAvx2Kernels;
extern const Kernels kAvx512Kernels;

}  // namespace BlockMath
}  // namespace Kernwave
