#include "tools/skarvel/AudioFile.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "tools/skarvel/OutputFile.h"

std::string ReadAudioFile(const std::string& path, AudioBuffer& out)
{
  SF_INFO info = {};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return "cannot read '" + path + "': " + sf_strerror(nullptr);
  if (info.channels < 1 || info.samplerate < 1) {
    sf_close(f);
    return "'" + path + "' holds no audio channels";
  }
  out.sampleRate = info.samplerate;
  out.channels.assign(static_cast<size_t>(info.channels), {});
  std::vector<float> block(4096 * static_cast<size_t>(info.channels));
  for (;;) {
    const sf_count_t got = sf_readf_float(f, block.data(), 4096);
    if (got <= 0) break;
    for (sf_count_t i = 0; i < got; ++i)
      for (int c = 0; c < info.channels; ++c)
        out.channels[c].push_back(block[static_cast<size_t>(i * info.channels + c)]);
  }
  sf_close(f);
  return "";
}

static int FormatFor(const std::string& path)
{
  std::string ext =
    path.substr(path.find_last_of('.') == std::string::npos ? path.size() : path.find_last_of('.') + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
  if (ext == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  if (ext == "ogg") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
}

std::string WriteAudioFile(const std::string& path, const AudioBuffer& in)
{
  SF_INFO info = {};
  info.samplerate = static_cast<int>(in.sampleRate);
  info.channels = static_cast<int>(in.channels.size());
  info.format = FormatFor(path);
  OutputFile file(path);
  SNDFILE* f = file.IsOpen() ? sf_open_fd(file.Descriptor(), SFM_WRITE, &info, SF_FALSE) : nullptr;
  if (!f) return "cannot write '" + path + "'";
  // The effect may go beyond full scale; integer formats take such samples clipped (the FLAC
  // encoder refuses them otherwise). Float WAV keeps them as they are.
  sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const long frames = in.Frames();
  std::vector<float> block(4096 * in.channels.size());
  bool ok = true;
  for (long pos = 0; pos < frames && ok; pos += 4096) {
    const long m = std::min<long>(4096, frames - pos);
    for (long i = 0; i < m; ++i)
      for (size_t c = 0; c < in.channels.size(); ++c)
        block[static_cast<size_t>(i) * in.channels.size() + c] = in.channels[c][static_cast<size_t>(pos + i)];
    ok = sf_writef_float(f, block.data(), m) == m;
  }
  ok = sf_close(f) == 0 && ok;
  if (!ok || !file.Commit()) return "cannot write '" + path + "'";
  return "";
}

bool SameFile(const std::string& a, const std::string& b)
{
  struct stat sa, sb;
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
