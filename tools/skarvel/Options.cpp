#include "tools/skarvel/Options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "skarvel/Skarvel.h"

bool Options::Has(const std::string& name) const
{
  return values.count(name) || std::find(switches.begin(), switches.end(), name) != switches.end();
}

std::string Options::Value(const std::string& name, const std::string& fallback) const
{
  auto range = values.equal_range(name);
  std::string v = fallback;
  for (auto it = range.first; it != range.second; ++it) v = it->second;
  return v;
}

std::vector<std::string> Options::All(const std::string& name) const
{
  std::vector<std::string> out;
  auto range = values.equal_range(name);
  for (auto it = range.first; it != range.second; ++it) out.push_back(it->second);
  return out;
}

static const std::string kQuiet = "--quiet";

static bool Contains(const std::vector<std::string>& list, const std::string& s)
{
  return std::find(list.begin(), list.end(), s) != list.end();
}

std::string ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                         const std::vector<std::string>& switches, Options& out)
{
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& given = args[i];
    if (given.size() < 2 || given[0] != '-') {  // "-" too: standard input or output
      out.positional.push_back(given);
      continue;
    }
    const std::string& a = given == "-q" ? kQuiet : given;
    const size_t eq = a.find('=');
    const std::string name = a.substr(0, eq);
    if (Contains(switches, name) && eq == std::string::npos) {
      out.switches.push_back(name);
    } else if (Contains(withValue, name)) {
      if (eq != std::string::npos) {
        out.values.emplace(name, a.substr(eq + 1));
      } else if (i + 1 < args.size()) {
        out.values.emplace(name, args[++i]);
      } else {
        return "option " + name + " needs a value";
      }
    } else {
      return "unknown option '" + given + "'";
    }
  }
  return "";
}

static std::string KnownKeys()
{
  std::string keys;
  for (const SkarvelParamInfo& p : kSkarvelParams) keys += (keys.empty() ? "" : ", ") + std::string(p.key);
  return keys;
}

std::string ParseSettings(const std::vector<std::string>& sets, std::vector<ParameterSetting>& out)
{
  for (const std::string& s : sets) {
    const size_t eq = s.find('=');
    if (eq == std::string::npos) return "--set needs KEY=VALUE, got '" + s + "'";
    const std::string key = s.substr(0, eq);
    const std::string text = s.substr(eq + 1);
    const int index = Skarvel::ParamIndexFromKey(key.c_str());
    if (index < 0) return "unknown parameter key '" + key + "'; the keys are: " + KnownKeys();
    char* end = nullptr;
    errno = 0;
    const double v = text.empty() ? NAN : std::strtod(text.c_str(), &end);
    if (text.empty() || *end || errno || !(v >= 0.0 && v <= 1.0))
      return "value of " + key + " must be a number from 0 to 1, got '" + text + "'";
    out.push_back({index, v});
  }
  return "";
}

bool ParseInt(const std::string& text, long lo, long hi, long& out)
{
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end || errno || v < lo || v > hi) return false;
  out = v;
  return true;
}
