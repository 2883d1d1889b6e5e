#include <windows.h>

#include "tests/host/PluginModule.h"

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string& error)
{
  HMODULE h = LoadLibraryA(path.c_str());
  if (!h) {
    error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(reinterpret_cast<void*>(h)));
}

PluginModule::~PluginModule() { FreeLibrary(reinterpret_cast<HMODULE>(handle)); }

void* PluginModule::Symbol(const char* name) const
{
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
}
