#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "skarvel/SkarvelParameters.h"
#include "plug/lv2/LV2Identity.h"
#include "tests/host/LV2TestHost.h"

// The built bundle's folder, with the trailing slash hosts give.
inline std::string SkarvelLV2Bundle()
{
  const std::string bundle = SKARVEL_LV2_BUNDLE;
  // One load held to the end of the process, as hosts keep their modules: the C++ runtime
  // inside the module allocates a pool at every load that it never frees at unload.
  static std::string error;
  static const PluginModule* kept = PluginModule::Open(bundle + LV2Identity::kBinary, error).release();
  (void)kept;
  return bundle;
}

// The control ports' defaults as the bundle's Skarvel.ttl declares them: what a host puts into
// the ports of a new instance.
inline std::vector<float> SkarvelLV2Defaults()
{
  std::ifstream in(SkarvelLV2Bundle() + "Skarvel.ttl");
  const std::string ttl((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> defaults(kNumParams, std::nanf(""));
  const std::string index = "lv2:index ", value = "lv2:default ";
  for (size_t at = ttl.find(index); at != std::string::npos; at = ttl.find(index, at + 1)) {
    const long port = std::strtol(ttl.c_str() + at + index.size(), nullptr, 10) - LV2Identity::kFirstControl;
    const size_t d = ttl.find(value, at);
    if (port >= 0 && port < kNumParams && d < ttl.find(']', at))
      defaults[static_cast<size_t>(port)] = std::strtof(ttl.c_str() + d + value.size(), nullptr);
  }
  for (int i = 0; i < kNumParams; ++i)
    if (std::isnan(defaults[static_cast<size_t>(i)]))
      ADD_FAILURE() << "Skarvel.ttl has no default for parameter " << i;
  return defaults;
}

// A host with the plug-in instantiated, its ports at the declared defaults; null (and a
// recorded failure) when that failed.
inline std::unique_ptr<LV2TestHost> InstantiateSkarvelLV2(const LV2HostFeatures& features = {},
                                                          double sampleRate = 44100.0)
{
  static const std::vector<float> defaults = SkarvelLV2Defaults();
  auto host = std::make_unique<LV2TestHost>(defaults);
  if (!host->Instantiate(SkarvelLV2Bundle(), LV2Identity::kBinary, LV2Identity::kPluginUri, sampleRate,
                         features)) {
    ADD_FAILURE() << host->Error();
    return nullptr;
  }
  return host;
}
