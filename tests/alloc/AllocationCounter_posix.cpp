// glibc's own allocator behind counting wrappers. A sanitizer's runtime replaces these entry
// points itself, so its builds count operator new only.
#include <cstddef>

#include "tests/alloc/AllocationCounter.h"

// Test suites take every source of their folder, so the platform is tested here too.
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)  // as kCountsMalloc

extern "C" {

void* __libc_malloc(std::size_t n);
void* __libc_calloc(std::size_t n, std::size_t size);
void* __libc_realloc(void* p, std::size_t n);

void* malloc(std::size_t n)
{
  AllocationCounter::Count();
  return __libc_malloc(n);
}

void* calloc(std::size_t n, std::size_t size)
{
  AllocationCounter::Count();
  return __libc_calloc(n, size);
}

void* realloc(void* p, std::size_t n)
{
  AllocationCounter::Count();
  return __libc_realloc(p, n);
}

}  // extern "C"

#endif
