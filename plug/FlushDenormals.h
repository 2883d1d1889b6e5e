#pragma once

#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

// While it lives, the calling thread's SSE arithmetic flushes denormal results to zero and
// reads denormal operands as zero; the host's own mode comes back when it goes. Decaying
// filter and all-pass histories would otherwise crawl through denormal arithmetic, which
// costs a hundred times the normal. x87 arithmetic (32-bit builds without SSE) is unaffected.
class FlushDenormals
{
public:
#if defined(__SSE__) || defined(_M_X64)
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;

  FlushDenormals() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
  ~FlushDenormals() { _mm_setcsr(saved); }

private:
  unsigned saved;
#else
  FlushDenormals() {}
#endif

public:
  FlushDenormals(const FlushDenormals&) = delete;
  FlushDenormals& operator=(const FlushDenormals&) = delete;
};
