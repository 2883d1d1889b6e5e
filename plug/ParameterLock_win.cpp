#include "plug/ParameterLock.h"

#include <new>
#include <windows.h>

static_assert(sizeof(CRITICAL_SECTION) <= 64, "lock storage too small");

static CRITICAL_SECTION* Section(unsigned char* storage)
{
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

ParameterLock::ParameterLock() { InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(storage)); }
ParameterLock::~ParameterLock() { DeleteCriticalSection(Section(storage)); }
void ParameterLock::Enter() { EnterCriticalSection(Section(storage)); }
void ParameterLock::Leave() { LeaveCriticalSection(Section(storage)); }
