#pragma once

#include <string>

class IPlugBase;

// Finds a program by its number (0..55), its exact name, its name in any case, or a unique
// case-insensitive prefix of its name. Returns "" and sets `index`, or the error message,
// which lists the closest names.
std::string FindPreset(const IPlugBase& plug, const std::string& text, int& index);
