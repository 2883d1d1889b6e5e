#pragma once

#include <vector>

// One automatable parameter: kind, plain value, range, step, shape, default, display rules.
class IPlugParam
{
public:
  enum Kind { kNone = 0, kBool = 1, kInt = 2, kEnum = 3, kDouble = 4 };
  static constexpr int kTextLen = 32;

  struct DisplayText
  {
    int value;
    char text[kTextLen];
  };

  IPlugParam();

  void DefineDouble(const char* name, double defaultValue, double minimum, double maximum, double step,
                    const char* label);
  void SetShape(double s) { shape = s; }

  void SetFromNormalized(double x);
  double ToNormalized() const { return ToNormalized(value); }
  double ToNormalized(double plain) const;

  // Writes the host display text for the current value (or for `plain`); at most 31 chars + NUL.
  void GetDisplayForHost(char* dst) const { GetDisplayForHost(value, dst); }
  void GetDisplayForHost(double plain, char* dst) const;
  const char* GetLabelForHost() const;
  // The plain value `text` denotes; false when the parameter has display texts and none matches.
  bool MapDisplayText(const char* text, double& plain) const;

  void SetDisplayText(int v, const char* text);
  int NDisplayTexts() const { return static_cast<int>(displayTexts.size()); }
  const DisplayText& GetDisplayTextEntry(int i) const { return displayTexts[i]; }

  // A NaN (say from a foreign state chunk) has no place in the range: it becomes the minimum.
  double Clamp(double v) const { return !(v >= minimum) ? minimum : (v > maximum ? maximum : v); }

  int kind;
  double value;
  double minimum;
  double maximum;
  double step;
  double shape;
  double defaultValue;
  int displayPrecision;
  char name[kTextLen];
  char label[kTextLen];
  char group[kTextLen];
  bool displayNegated;

private:
  const DisplayText* FindDisplayText(double plain) const;
  std::vector<DisplayText> displayTexts;
};
