#pragma once

#include "tools/skarvel/AudioFile.h"

// A generated stereo demo: a plucked-string riff over kick, snare and hi-hat, about eight
// seconds at 120 BPM. Deterministic, so renders of it can be compared.
AudioBuffer MakeDemoSignal(double sampleRate);
