#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/host/TestHost.h"
#ifdef SKARVEL_CLAP_PATH
#include "tests/host/ClapHost.h"
#endif

// One more load of a module, for the caller to hold to the end of the process, as hosts keep
// their modules: the C++ runtime inside the module allocates a pool at every load that it
// never frees at unload.
inline const PluginModule* KeepLoaded(const std::string& path)
{
  std::string error;
  return PluginModule::Open(path, error).release();
}

// The module named by the environment variable, else the built one.
inline std::string ModulePath(const char* variable, const char* built)
{
  const char* env = std::getenv(variable);
  return env && *env ? env : built;
}

// The built module, unless SKARVEL_PLUGIN names another one (a Windows build under Wine).
inline std::string SkarvelPath()
{
  const std::string path = ModulePath("SKARVEL_PLUGIN", SKARVEL_PLUGIN_PATH);
  static const PluginModule* kept = KeepLoaded(path);
  (void)kept;
  return path;
}

// A host with the effect loaded; null (and a recorded failure) when loading failed.
inline std::unique_ptr<TestHost> LoadSkarvel(HostConfig config = {})
{
  auto host = std::make_unique<TestHost>(std::move(config));
  if (!host->Load(SkarvelPath())) {
    ADD_FAILURE() << host->Error();
    return nullptr;
  }
  return host;
}

#ifdef SKARVEL_CLAP_PATH
// The built CLAP module, unless SKARVEL_CLAP_PLUGIN names another one.
inline std::string SkarvelClapPath()
{
  const std::string path = ModulePath("SKARVEL_CLAP_PLUGIN", SKARVEL_CLAP_PATH);
  static const PluginModule* kept = KeepLoaded(path);
  (void)kept;
  return path;
}

// A CLAP host with the effect created and initialised; null (and a recorded failure) when
// that failed.
inline std::unique_ptr<ClapHost> LoadSkarvelClap()
{
  auto host = std::make_unique<ClapHost>();
  if (!host->Load(SkarvelClapPath()) || !host->Create()) {
    ADD_FAILURE() << host->Error();
    return nullptr;
  }
  return host;
}
#endif
