// Processing a host's block, for every plug-in format. Each call holds the ParameterLock for
// the whole block and hands ProcessBlock slices of at most the block size: the scratch buffers
// and the units' work buffers are that long, whatever the host passes.
#include <algorithm>
#include <cmath>

#include "plug/FlushDenormals.h"
#include "plug/IPlugBase.h"

void IPlugBase::ProcessFloat(float** inputs, float** outputs, int nFrames, bool accumulate)
{
  LockGuard g(lock);
  FlushDenormals flush;
  if (blockSize <= 0) return;
  for (int done = 0; done < nFrames;) {
    const int n = std::min(nFrames - done, blockSize);
    ConvertInputs(inputs, done, n);
    AssignDestinations(outputs, done);
    ProcessBlock(inPointers.data(), outPointers.data(), n);
    ConvertOutputs(n, accumulate);
    done += n;
  }
}

void IPlugBase::ProcessDouble(double** inputs, double** outputs, int nFrames)
{
  LockGuard g(lock);
  FlushDenormals flush;
  if (blockSize <= 0) return;
  for (int done = 0; done < nFrames;) {
    const int n = std::min(nFrames - done, blockSize);
    PointInputs(inputs, done);
    PointOutputs(outputs, done);
    ProcessBlock(inPointers.data(), outPointers.data(), n);
    done += n;
  }
}

void IPlugBase::SetParameterFromHost(int index, double value)
{
  LockGuard g(lock);
  if (!ValidParam(index) || !std::isfinite(value)) return;
  const double x = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
  params[index]->SetFromNormalized(x);
  deferEditorUpdates = true;
  ParameterChanged(index);
  deferEditorUpdates = false;
  if (editor) MarkEditorStale(index);
}

// Host arrays are consumed in order by the connected channels only; a disconnected
// channel reads or writes its own scratch buffer. A null host array reads as silence.
void IPlugBase::ConvertInputs(float** hostInputs, int offset, int n)
{
  int next = 0;
  for (auto& c : inChannels) {
    double* dst = c->scratch.data();
    if (c->connected) {
      const float* src = hostInputs ? hostInputs[next++] : nullptr;
      if (src)
        std::copy(src + offset, src + offset + n, dst);
      else
        std::fill(dst, dst + n, 0.0);
    }
    inPointers[c->index] = dst;
  }
}

void IPlugBase::AssignDestinations(float** hostOutputs, int offset)
{
  int next = 0;
  for (auto& c : outChannels) {
    c->destination = nullptr;
    if (c->connected) {
      float* dst = hostOutputs ? hostOutputs[next++] : nullptr;
      if (dst) c->destination = dst + offset;
    }
    outPointers[c->index] = c->scratch.data();
  }
}

void IPlugBase::ConvertOutputs(int n, bool accumulate)
{
  for (auto& c : outChannels) {
    float* dst = c->destination;
    if (!dst) continue;
    const double* src = c->scratch.data();
    if (accumulate)
      for (int i = 0; i < n; ++i)
        dst[i] = static_cast<float>(static_cast<double>(static_cast<float>(src[i])) + dst[i]);
    else
      for (int i = 0; i < n; ++i) dst[i] = static_cast<float>(src[i]);
  }
}

void IPlugBase::PointInputs(double** hostInputs, int offset)
{
  int next = 0;
  for (auto& c : inChannels) {
    double* p = c->scratch.data();
    if (c->connected) {
      double* host = hostInputs ? hostInputs[next++] : nullptr;
      if (host)
        p = host + offset;
      else
        std::fill(c->scratch.begin(), c->scratch.end(), 0.0);
    }
    inPointers[c->index] = p;
  }
}

void IPlugBase::PointOutputs(double** hostOutputs, int offset)
{
  int next = 0;
  for (auto& c : outChannels) {
    double* p = c->scratch.data();
    if (c->connected) {
      double* host = hostOutputs ? hostOutputs[next++] : nullptr;
      if (host) p = host + offset;
    }
    outPointers[c->index] = p;
  }
}
