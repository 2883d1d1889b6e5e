#pragma once

#include <memory>

#include "plug/IPlug.h"

// The effect a module hosts, built with the adapter of the module's format (IPlug). The
// framework declares it; the effect defines it.
std::unique_ptr<IPlug> CreateEffect(IPlug::HostHandle host);
