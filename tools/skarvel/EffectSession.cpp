#include "tools/skarvel/EffectSession.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"

namespace {

// The tool is a host that renders files: offline, and nothing else to tell.
VstIntPtr VSTCALLBACK ToolHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterGetProductString:
      if (ptr) std::snprintf(static_cast<char*>(ptr), kVstMaxProductStrLen, "skarvel");
      return ptr ? 1 : 0;
    case audioMasterGetCurrentProcessLevel: return kVstProcessLevelOffline;
    default: return 0;
  }
}

}  // namespace

EffectSession::EffectSession(double sampleRate, int block)
    : effect(VSTPluginMain(ToolHostCallback)), blockSize(block)
{
  if (!effect) throw std::runtime_error("the effect could not be created");
  Dispatch(effOpen);
  Dispatch(effSetSampleRate, 0, 0, static_cast<float>(sampleRate));
  Dispatch(effSetBlockSize, 0, blockSize);
  Dispatch(effMainsChanged, 0, 1);
}

EffectSession::~EffectSession()
{
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
}

VstIntPtr EffectSession::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt)
{
  return effect->dispatcher(effect, opcode, index, value, nullptr, opt);
}

Skarvel& EffectSession::Effect() { return *static_cast<Skarvel*>(IPlugVST::FromAEffect(effect)); }

void EffectSession::Apply(const std::vector<ParameterSetting>& settings)
{
  for (const ParameterSetting& s : settings)
    effect->setParameter(effect, s.index, static_cast<float>(s.value));
}

void EffectSession::Restart()
{
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effMainsChanged, 0, 1);
}

void EffectSession::SelectProgram(int index) { Dispatch(effSetProgram, 0, index); }

template <typename Sample, typename Processor>
void EffectSession::ProcessInBlocks(Processor process, const Sample* inLeft, const Sample* inRight,
                                    Sample* outLeft, Sample* outRight, long n)
{
  for (long done = 0; done < n;) {
    const int m = static_cast<int>(std::min<long>(blockSize, n - done));
    // The interface has no const: the inputs are only read.
    Sample* ins[2] = {const_cast<Sample*>(inLeft + done), const_cast<Sample*>(inRight + done)};
    Sample* outs[2] = {outLeft + done, outRight + done};
    process(effect, ins, outs, m);
    done += m;
  }
}

void EffectSession::Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                            long n)
{
  ProcessInBlocks(effect->processReplacing, inLeft, inRight, outLeft, outRight, n);
}

void EffectSession::Process(const double* inLeft, const double* inRight, double* outLeft, double* outRight,
                            long n)
{
  ProcessInBlocks(effect->processDoubleReplacing, inLeft, inRight, outLeft, outRight, n);
}
