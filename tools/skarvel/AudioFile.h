#pragma once

#include <string>
#include <vector>

// A whole audio file in memory: one float vector per channel.
struct AudioBuffer
{
  double sampleRate = 44100.0;
  std::vector<std::vector<float>> channels;
  long Frames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};

// Reads WAV, AIFF, FLAC or OGG. Returns an empty string on success, else the error.
std::string ReadAudioFile(const std::string& path, AudioBuffer& out);

// Writes `in` to `path` in the format its extension names (.wav 32-bit float, .aif/.aiff and
// .flac 24-bit, .ogg Vorbis; 32-bit float WAV for anything else). The file appears only when
// complete (OutputFile): a failed or killed write leaves no partial file.
std::string WriteAudioFile(const std::string& path, const AudioBuffer& in);

// True when both paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);
