#include "plug/CreateEffect.h"

#include "skarvel/Skarvel.h"

std::unique_ptr<IPlug> CreateEffect(IPlug::HostHandle host) { return std::make_unique<Skarvel>(host); }
