#include "plug/HostDetection.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

struct KnownHost
{
  const char* name;
  int id;
};

// Searched in this order: a product string naming two hosts counts as the first.
const KnownHost kKnownHosts[] = {
  {"cubase", kHostCubase},         {"reaper", kHostReaper},         {"nuendo", kHostNuendo},
  {"cakewalk", kHostSonar},        {"samplitude", kHostSamplitude}, {"fruity", kHostFL},
  {"live", kHostAbletonLive},      {"melodyne", kHostMelodyne},     {"vstmanlib", kHostVSTManLib},
  {"aulab", kHostAULab},           {"garageband", kHostGarageBand}, {"forte", kHostForte},
  {"chainer", kHostChainer},       {"audition", kHostAudition},     {"orion", kHostOrion},
  {"sawstudio", kHostSAWStudio},   {"logic", kHostLogic},           {"digital", kHostDigitalPerformer},
  {"audiomulch", kHostAudioMulch}, {"presonus", kHostStudioOne},    {"vst3plugintesthost", kHostVST3TestHost},
  {"protools", kHostProTools},     {"ardour", kHostArdour},         {"renoise", kHostRenoise},
  {"openmpt", kHostOpenMPT},       {"standalone", kHostStandalone},
};

}  // namespace

int HostDetection::IdFromProductString(const char* productString)
{
  if (!productString) return kHostUnknown;
  std::string lower(productString);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const KnownHost& h : kKnownHosts)
    if (lower.find(h.name) != std::string::npos) return h.id;
  return kHostUnknown;
}

int HostDetection::VersionFromDecimal(int v)
{
  // Unsigned arithmetic: a host may report any number, and overflow must not be undefined.
  const unsigned u = static_cast<unsigned>(v);
  const unsigned s =
    static_cast<unsigned>(v / 10000) * 55536u + static_cast<unsigned>((v % 10000) / 100) * 156u;
  return static_cast<int>(u + s);
}
