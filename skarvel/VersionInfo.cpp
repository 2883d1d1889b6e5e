#include "skarvel/VersionInfo.h"

VersionInfo::VersionInfo()
{
  const std::string number = std::to_string(majorVersion) + "." + std::to_string(kMinorVersion);
  shortName = "Skarvel " + number;
  fullName = shortName + " Free";
  longName = maker + " " + product + " Version " + number + " Free";
}

VersionInfo::~VersionInfo() = default;
