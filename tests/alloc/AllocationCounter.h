#pragma once

// Counts the heap allocations this program makes while armed: every form of operator new
// (AllocationCounter.cpp) and, on Linux, malloc, calloc and realloc as well
// (AllocationCounter_posix.cpp; not in sanitizer builds, whose runtime owns those).
namespace AllocationCounter {

// Whether malloc and its relatives are counted in this build.
constexpr bool kCountsMalloc =
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
  false;
#else
  true;
#endif

void Arm();
// The number of allocations since Arm.
long Disarm();
// Called by the replaced entry points.
void Count();

// Allocations made while fn runs.
template <class Fn> long During(Fn&& fn)
{
  Arm();
  fn();
  return Disarm();
}

}  // namespace AllocationCounter
