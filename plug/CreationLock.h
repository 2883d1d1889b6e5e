#pragma once

#include "plug/ParameterLock.h"

// Every format's entry point holds this while it makes an instance with CreateEffect: hosts
// may create instances from several threads at once, and the editor's shared caches and the
// effect's tables are filled by the first.
ParameterLock& CreationLock();
