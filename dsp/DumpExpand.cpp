#include "dsp/DumpExpand.h"

namespace Kernwave {

DumpExpand::DumpExpand() = default;
DumpExpand::~DumpExpand() = default;
void DumpExpand::SetSampleRate(double rate) { sampleRate = rate; }
void DumpExpand::EnsureCapacity(int maxBlockSize)
{
  if (capacity < maxBlockSize) capacity = maxBlockSize;
}
void DumpExpand::ClearFilters() {}
void DumpExpand::ProcessDumpExpand(double*, double*, int) {}

}  // namespace Kernwave
