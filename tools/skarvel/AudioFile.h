#pragma once

#include <string>
#include <vector>

#include "tools/skarvel/OutputFile.h"

// A whole audio file in memory: one vector per channel, of float or of double samples.
template <typename Sample> struct AudioBufferOf
{
  double sampleRate = 44100.0;
  std::vector<std::vector<Sample>> channels;
  long Frames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};
using AudioBuffer = AudioBufferOf<float>;
using DoubleAudioBuffer = AudioBufferOf<double>;

// Reads WAV, AIFF, FLAC or OGG, or whichever of them standard input holds for "-". Returns an
// empty string on success, else the error.
template <typename Sample> std::string ReadAudioFile(const std::string& path, AudioBufferOf<Sample>& out);

// Writes `in` to `path` (standard output for "-") in libsndfile's `format` (see
// OutputFormat.h). Integer samples beyond full scale are written clipped. The file appears
// only when complete (OutputFile): a failed or killed write leaves no partial file.
template <typename Sample>
std::string WriteAudioFile(const std::string& path, const AudioBufferOf<Sample>& in, int format,
                           OutputFile::Existing existing);

// True when both paths name the same existing file ("-", a standard stream, names none).
bool SameFile(const std::string& a, const std::string& b);
