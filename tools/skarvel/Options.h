#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// The parsed command line of one subcommand: positional arguments, flags with values
// (repeatable), and switches. Flags the command does not know are errors.
struct Options
{
  std::vector<std::string> positional;
  std::multimap<std::string, std::string> values;
  std::vector<std::string> switches;

  bool Has(const std::string& name) const;
  // Last value given for `name`, or `fallback`.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  std::vector<std::string> All(const std::string& name) const;
};

// Parses args; `withValue` lists the flags that take a value, `switches` those that do not.
// "-q" is short for "--quiet"; "-" alone is a positional argument (standard input or output).
// Returns an empty string on success, else the error message.
std::string ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                         const std::vector<std::string>& switches, Options& out);

// One --set KEY=VALUE: parameter index and normalised value.
struct ParameterSetting
{
  int index;
  double value;
};

// Validates every --set; an unknown key or a value outside 0..1 is an error.
std::string ParseSettings(const std::vector<std::string>& sets, std::vector<ParameterSetting>& out);

// Parses a whole positive integer in [lo, hi].
bool ParseInt(const std::string& text, long lo, long hi, long& out);
