#pragma once

#include <string>

// The product's identity as the about page and the effect report it.
class VersionInfo
{
public:
  static constexpr int kMinorVersion = 3;

  VersionInfo();
  virtual ~VersionInfo();

  int majorVersion = 1;
  int secondNumber = 777;
  std::string edition = "Free Version";
  std::string maker = "Kernwave";
  std::string shortName;
  std::string fullName;
  std::string longName;
  std::string product = "Skarvel";
  unsigned uniqueId = 0x76673263;
};
