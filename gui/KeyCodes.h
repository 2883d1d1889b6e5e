#pragma once

// The keys the surface hands to controls. Digits and letters follow in order:
// '0'..'9' are kKeyDigit0..kKeyDigit0 + 9, 'A'..'Z' (either case) kKeyA..kKeyA + 25.
enum EditorKey {
  kKeyNone = -1,
  kKeySpace = 0,
  kKeyUp = 1,
  kKeyDown = 2,
  kKeyLeft = 3,
  kKeyRight = 4,
  kKeyDigit0 = 5,
  kKeyA = 15,
  kKeyZ = 40,
};

// The code for a space, digit or letter character; kKeyNone for any other.
constexpr int KeyCodeFromChar(int c)
{
  if (c == ' ') return kKeySpace;
  if (c >= '0' && c <= '9') return kKeyDigit0 + (c - '0');
  if (c >= 'A' && c <= 'Z') return kKeyA + (c - 'A');
  if (c >= 'a' && c <= 'z') return kKeyA + (c - 'a');
  return kKeyNone;
}
