#pragma once

#include <memory>
#include <string>

// A loaded plug-in module (shared object or DLL), unloaded when destroyed. The platform
// files hold the loader calls, so the host itself builds unchanged for Linux and Windows.
class PluginModule
{
public:
  // Null on failure, with the loader's reason in error.
  static std::unique_ptr<PluginModule> Open(const std::string& path, std::string& error);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // The address of an exported symbol, or null.
  void* Symbol(const char* name) const;

private:
  explicit PluginModule(void* handle) : handle(handle) {}
  void* handle;
};
