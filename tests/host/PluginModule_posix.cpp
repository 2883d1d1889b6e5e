#include <dlfcn.h>

#include "tests/host/PluginModule.h"

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string& error)
{
  // Local binding, resolved at once: what a DAW does, so missing symbols show here.
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* why = dlerror();
    error = why ? why : "dlopen failed";
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(h));
}

PluginModule::~PluginModule() { dlclose(handle); }

void* PluginModule::Symbol(const char* name) const { return dlsym(handle, name); }
