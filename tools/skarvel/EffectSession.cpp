#include "tools/skarvel/EffectSession.h"

#include <algorithm>

#include "plug/Skarvel.h"

EffectSession::EffectSession(double sampleRate, int block)
  : effect(std::make_unique<Skarvel>(nullptr)), blockSize(block)
{
  effect->ApplyPreset(effect->GetCurrentPresetIdx());
  for (int i = 0; i < effect->NParams(); ++i) effect->ParameterChanged(i);
  effect->SetSampleRate(sampleRate);
  effect->SetBlockSize(blockSize);
  effect->ResetAudioState();
  inL.resize(blockSize);
  inR.resize(blockSize);
  outL.resize(blockSize);
  outR.resize(blockSize);
}

EffectSession::~EffectSession() = default;

void EffectSession::Apply(const std::vector<ParameterSetting>& settings)
{
  for (const ParameterSetting& s : settings) {
    effect->GetParam(s.index)->SetFromNormalized(s.value);
    effect->ParameterChanged(s.index);
  }
}

void EffectSession::Process(const float* inLeft, const float* inRight, float* outLeft,
                            float* outRight, long n)
{
  for (long done = 0; done < n;) {
    const int m = static_cast<int>(std::min<long>(blockSize, n - done));
    for (int i = 0; i < m; ++i) {
      inL[i] = inLeft[done + i];
      inR[i] = inRight[done + i];
    }
    double* ins[2] = {inL.data(), inR.data()};
    double* outs[2] = {outL.data(), outR.data()};
    effect->ProcessBlock(ins, outs, m);
    for (int i = 0; i < m; ++i) {
      outLeft[done + i] = static_cast<float>(outL[i]);
      outRight[done + i] = static_cast<float>(outR[i]);
    }
    done += m;
  }
}
