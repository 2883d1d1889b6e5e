#include "plug/CreationLock.h"

ParameterLock& CreationLock()
{
  static ParameterLock lock;
  return lock;
}
