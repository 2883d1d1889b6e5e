#include "tools/skarvel/PresetLookup.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "plug/IPlugBase.h"
#include "tools/skarvel/Options.h"

namespace {

std::string Lower(std::string s)
{
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

size_t EditDistance(const std::string& a, const std::string& b)
{
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// How far `query` is from `name`, or from the start of `name` when it reads like a prefix.
size_t Distance(const std::string& query, const std::string& name)
{
  return std::min(EditDistance(query, name), EditDistance(query, name.substr(0, query.size())));
}

std::string QuotedList(const std::vector<std::string>& names)
{
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "'" : ", '") + n + "'";
  return list;
}

std::string Closest(const IPlugBase& plug, const std::string& text)
{
  const std::string query = Lower(text);
  std::vector<std::pair<size_t, int>> ranked;
  for (int i = 0; i < plug.NPresets(); ++i)
    ranked.emplace_back(Distance(query, Lower(plug.GetPresetName(i))), i);
  std::stable_sort(ranked.begin(), ranked.end());
  std::vector<std::string> names;
  for (size_t k = 0; k < ranked.size() && k < 3; ++k) names.push_back(plug.GetPresetName(ranked[k].second));
  return QuotedList(names);
}

// The programs whose names satisfy `match`; exactly one is a find.
template <typename Match> std::vector<int> Matching(const IPlugBase& plug, Match match)
{
  std::vector<int> found;
  for (int i = 0; i < plug.NPresets(); ++i)
    if (match(std::string(plug.GetPresetName(i)))) found.push_back(i);
  return found;
}

}  // namespace

std::string FindPreset(const IPlugBase& plug, const std::string& text, int& index)
{
  const int last = plug.NPresets() - 1;
  if (!text.empty() && std::all_of(text.begin(), text.end(), ::isdigit)) {
    long number = 0;
    if (!ParseInt(text, 0, last, number))
      return "program number " + text + " is outside 0.." + std::to_string(last);
    index = static_cast<int>(number);
    return "";
  }
  const std::string query = Lower(text);
  const std::vector<int> candidates[] = {
    Matching(plug, [&](const std::string& n) { return n == text; }),
    Matching(plug, [&](const std::string& n) { return Lower(n) == query; }),
    Matching(plug, [&](const std::string& n) { return Lower(n).rfind(query, 0) == 0; }),
  };
  for (const std::vector<int>& found : candidates) {
    if (found.size() == 1) {
      index = found[0];
      return "";
    }
  }
  const std::vector<int>& prefixed = candidates[2];
  if (prefixed.size() > 1 && !text.empty()) {
    std::vector<std::string> names;
    for (int i : prefixed) names.push_back(plug.GetPresetName(i));
    return "preset '" + text + "' is ambiguous; it could be " + QuotedList(names);
  }
  return "no preset '" + text + "'; the closest are " + Closest(plug, text);
}
