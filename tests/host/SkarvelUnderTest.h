#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/host/TestHost.h"

// The built module, unless SKARVEL_PLUGIN names another one (a Windows build under Wine).
inline std::string SkarvelPath()
{
  const char* env = std::getenv("SKARVEL_PLUGIN");
  const std::string path = env && *env ? env : SKARVEL_PLUGIN_PATH;
  // One load held to the end of the process, as hosts keep their modules: the C++ runtime
  // inside the module allocates a pool at every load that it never frees at unload.
  static std::string error;
  static const PluginModule* kept = PluginModule::Open(path, error).release();
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
