#pragma once

#include <vector>

// The frequency of a steady tone from its rising zero crossings, each placed between its two
// samples by linear interpolation; 0 when fewer than two crossings occur.
double ToneFrequency(const std::vector<float>& samples, double sampleRate);
