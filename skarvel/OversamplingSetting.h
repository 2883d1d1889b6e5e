#pragma once

#include "plug/ByteChunk.h"

// The oversampling setting of an instance: off, twice or four times the host's rate for the
// stages that create harmonics. It is no parameter (hosts cannot automate it); the state
// chunks carry it in a block after their existing data and preset files in a line after
// theirs, in both only when it is not off, so a state without it is exactly what it always
// was. Held as the factor: 1, 2 or 4.
namespace OversamplingSetting {

constexpr int kNumSteps = 3;
constexpr int kOff = 1;

// The factor of a switch step (0..2), and back; anything else is off.
int FactorOfStep(int step);
int StepOfFactor(int factor);
// "off", "2x", "4x"; and the factor such a text names, or off.
const char* Name(int factor);
int FactorFromName(const char* text);

// Appends the settings block: a tag, a version and the factor. Nothing when off.
void WriteStateBlock(ByteChunk& chunk, int factor);
// The factor of a settings block at pos; off when there is none or it is not one this
// version wrote (another tag or version, too short, an unknown factor).
int ReadStateBlock(const ByteChunk& chunk, int pos);

}  // namespace OversamplingSetting
