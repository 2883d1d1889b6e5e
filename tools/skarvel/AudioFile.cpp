#include "tools/skarvel/AudioFile.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "tools/skarvel/TemporaryFile.h"

namespace {

sf_count_t ReadFrames(SNDFILE* f, float* frames, sf_count_t n) { return sf_readf_float(f, frames, n); }
sf_count_t ReadFrames(SNDFILE* f, double* frames, sf_count_t n) { return sf_readf_double(f, frames, n); }
sf_count_t WriteFrames(SNDFILE* f, const float* frames, sf_count_t n)
{
  return sf_writef_float(f, frames, n);
}
sf_count_t WriteFrames(SNDFILE* f, const double* frames, sf_count_t n)
{
  return sf_writef_double(f, frames, n);
}

// Standard input whole in an unnamed file, positioned at its start: libsndfile reads some
// types (FLAC) only where it can seek. -1 when it cannot be read or held.
int CopiedStandardInput()
{
  const int fd = OpenUnnamedTemporaryFile();
  if (fd >= 0 && CopyAll(STDIN_FILENO, fd) && lseek(fd, 0, SEEK_SET) == 0) return fd;
  if (fd >= 0) close(fd);
  return -1;
}

}  // namespace

template <typename Sample> std::string ReadAudioFile(const std::string& path, AudioBufferOf<Sample>& out)
{
  SF_INFO info = {};
  SNDFILE* f = nullptr;
  if (IsStandardStream(path)) {
    const int fd = CopiedStandardInput();
    if (fd < 0) return "cannot read standard input";
    f = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);  // closes it on failure too
  } else {
    f = sf_open(path.c_str(), SFM_READ, &info);
  }
  const std::string name = IsStandardStream(path) ? "standard input" : "'" + path + "'";
  if (!f) return "cannot read " + name + ": " + sf_strerror(nullptr);
  if (info.channels < 1 || info.samplerate < 1) {
    sf_close(f);
    return name + " holds no audio channels";
  }
  out.sampleRate = info.samplerate;
  out.channels.assign(static_cast<size_t>(info.channels), {});
  std::vector<Sample> block(4096 * static_cast<size_t>(info.channels));
  for (;;) {
    const sf_count_t got = ReadFrames(f, block.data(), 4096);
    if (got <= 0) break;
    for (sf_count_t i = 0; i < got; ++i)
      for (int c = 0; c < info.channels; ++c)
        out.channels[c].push_back(block[static_cast<size_t>(i * info.channels + c)]);
  }
  sf_close(f);
  return "";
}

template <typename Sample>
std::string WriteAudioFile(const std::string& path, const AudioBufferOf<Sample>& in, int format,
                           OutputFile::Existing existing)
{
  SF_INFO info = {};
  info.samplerate = static_cast<int>(in.sampleRate);
  info.channels = static_cast<int>(in.channels.size());
  info.format = format;
  OutputFile file(path, existing);
  SNDFILE* f = file.IsOpen() ? sf_open_fd(file.Descriptor(), SFM_WRITE, &info, SF_FALSE) : nullptr;
  if (!f) return file.WriteFailure();
  // The effect may go beyond full scale; integer formats take such samples clipped (the FLAC
  // encoder refuses them otherwise). Float WAV keeps them as they are.
  sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const long frames = in.Frames();
  std::vector<Sample> block(4096 * in.channels.size());
  bool ok = true;
  for (long pos = 0; pos < frames && ok; pos += 4096) {
    const long m = std::min<long>(4096, frames - pos);
    for (long i = 0; i < m; ++i)
      for (size_t c = 0; c < in.channels.size(); ++c)
        block[static_cast<size_t>(i) * in.channels.size() + c] = in.channels[c][static_cast<size_t>(pos + i)];
    ok = WriteFrames(f, block.data(), m) == m;
  }
  ok = sf_close(f) == 0 && ok;
  if (!ok) return file.WriteFailure();
  return file.Commit();
}

template std::string ReadAudioFile(const std::string&, AudioBuffer&);
template std::string ReadAudioFile(const std::string&, DoubleAudioBuffer&);
template std::string WriteAudioFile(const std::string&, const AudioBuffer&, int, OutputFile::Existing);
template std::string WriteAudioFile(const std::string&, const DoubleAudioBuffer&, int, OutputFile::Existing);

bool SameFile(const std::string& a, const std::string& b)
{
  struct stat sa, sb;
  if (IsStandardStream(a) || IsStandardStream(b)) return false;
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
