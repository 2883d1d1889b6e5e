#include "plug/ParameterLock.h"

#include <mutex>
#include <new>

static_assert(sizeof(std::recursive_mutex) <= 64, "lock storage too small");

static std::recursive_mutex& Mutex(unsigned char* storage)
{
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

ParameterLock::ParameterLock() { new (storage) std::recursive_mutex(); }
ParameterLock::~ParameterLock() { Mutex(storage).~recursive_mutex(); }
void ParameterLock::Enter() { Mutex(storage).lock(); }
void ParameterLock::Leave() { Mutex(storage).unlock(); }
