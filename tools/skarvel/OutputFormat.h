#pragma once

#include <string>

// The libsndfile format (type and sample format) a render writes. The type is what `type`
// names (wav, aiff, flac, ogg), else what OUT's extension names (.wav, .aif or .aiff, .flac,
// .ogg), else WAV, as for standard output. The sample format is what `bits` names (16 or 24 for
// integer, 32 or 64 for float samples), else the type's own: 32-bit float for WAV, 24-bit for
// AIFF and FLAC, Vorbis for Ogg. Empty texts name nothing. Returns "" and sets `format`, or the
// error for a name the tool does not know or bits the type cannot hold (FLAC takes 16 or 24,
// Ogg Vorbis none).
std::string ChooseOutputFormat(const std::string& type, const std::string& bits, const std::string& out,
                               int& format);

// True for a format whose samples are 64-bit floats: the render then runs in double precision.
bool HoldsDoubles(int format);
