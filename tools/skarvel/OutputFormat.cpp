#include "tools/skarvel/OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

namespace {

struct FileType
{
  const char* name;
  const char* extensions[2];
  int major;
  int defaultSubtype;
};

const FileType kTypes[] = {
  {"wav", {"wav", nullptr}, SF_FORMAT_WAV, SF_FORMAT_FLOAT},
  {"aiff", {"aif", "aiff"}, SF_FORMAT_AIFF, SF_FORMAT_PCM_24},
  {"flac", {"flac", nullptr}, SF_FORMAT_FLAC, SF_FORMAT_PCM_24},
  {"ogg", {"ogg", nullptr}, SF_FORMAT_OGG, SF_FORMAT_VORBIS},
};

struct SampleFormat
{
  const char* bits;
  int subtype;
};

const SampleFormat kSampleFormats[] = {
  {"16", SF_FORMAT_PCM_16},
  {"24", SF_FORMAT_PCM_24},
  {"32", SF_FORMAT_FLOAT},
  {"64", SF_FORMAT_DOUBLE},
};

bool Holds(const FileType& type, int subtype)
{
  SF_INFO probe = {};
  probe.samplerate = 44100;
  probe.channels = 2;
  probe.format = type.major | subtype;
  return sf_format_check(&probe);
}

// "cannot hold" with the sample formats the type can hold.
std::string CannotHold(const FileType& type, const std::string& bits)
{
  std::string held;
  for (const SampleFormat& s : kSampleFormats)
    if (Holds(type, s.subtype)) held += (held.empty() ? "" : " or ") + std::string(s.bits);
  if (held.empty()) return std::string(type.name) + " takes no --bits: it does not store samples as such";
  return std::string(type.name) + " cannot hold --bits " + bits + "; it takes " + held;
}

std::string Extension(const std::string& path)
{
  const size_t dot = path.find_last_of("./");
  std::string ext = dot == std::string::npos || path[dot] == '/' ? "" : path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

const FileType* TypeNamed(const std::string& name)
{
  for (const FileType& t : kTypes)
    if (name == t.name) return &t;
  return nullptr;
}

const FileType& TypeOfExtension(const std::string& ext)
{
  for (const FileType& t : kTypes)
    for (const char* e : t.extensions)
      if (e && ext == e) return t;
  return kTypes[0];
}

}  // namespace

std::string ChooseOutputFormat(const std::string& type, const std::string& bits, const std::string& out,
                               int& format)
{
  const FileType* t = type.empty() ? &TypeOfExtension(Extension(out)) : TypeNamed(type);
  if (!t) return "--type takes wav, aiff, flac or ogg";
  int subtype = t->defaultSubtype;
  if (!bits.empty()) {
    const auto f = std::find_if(std::begin(kSampleFormats), std::end(kSampleFormats),
                                [&](const SampleFormat& s) { return bits == s.bits; });
    if (f == std::end(kSampleFormats)) return "--bits takes 16 or 24 (integer), 32 or 64 (float)";
    if (!Holds(*t, f->subtype)) return CannotHold(*t, bits);
    subtype = f->subtype;
  }
  format = t->major | subtype;
  return "";
}

bool HoldsDoubles(int format) { return (format & SF_FORMAT_SUBMASK) == SF_FORMAT_DOUBLE; }
