#include "tests/alloc/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace AllocationCounter {

namespace {
std::atomic<bool> armed{false};
std::atomic<long> count{0};
}  // namespace

void Arm()
{
  count = 0;
  armed = true;
}

long Disarm()
{
  armed = false;
  return count;
}

void Count()
{
  if (armed.load(std::memory_order_relaxed)) count.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace AllocationCounter

namespace {

void* Allocate(std::size_t n)
{
  AllocationCounter::Count();
  return std::malloc(n ? n : 1);
}

}  // namespace

void* operator new(std::size_t n)
{
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}

void* operator new[](std::size_t n)
{
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}

void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
