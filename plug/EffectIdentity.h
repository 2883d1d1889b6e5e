#pragma once

// What a module tells a host about the effect before any instance exists, and what an
// instance reports: the framework declares it, the effect defines it. The formats' published
// ids stay where each format needs them: the VST2 unique id with the effect (Skarvel.h), the
// VST3 class id, CLAP id and LV2 URI with their adapters and entry points.
struct EffectIdentity
{
  const char* name;  // the plug-in's name in a host's list
  const char* vendor;
  const char* version;  // "major.minor.patch"
  const char* description;
};

extern const EffectIdentity kEffectIdentity;
