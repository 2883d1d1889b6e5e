// Build-time helper: turns the "PNG" entries of a Windows resource script into a C++ table of
// (id, file name, bytes), so the Linux library carries the same images the DLL does.
//   EmbedResources <script.rc> <folder the script's paths are relative to> <output.cpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {
struct Entry
{
  int id;
  std::string path;
};

std::vector<Entry> ReadScript(const std::string& rc)
{
  std::ifstream in(rc);
  const std::regex line(R"(^\s*(\d+)\s+PNG\s+\"([^\"]+)\")");
  std::vector<Entry> entries;
  std::smatch m;
  for (std::string s; std::getline(in, s);)
    if (std::regex_search(s, m, line)) entries.push_back({std::stoi(m[1]), m[2]});
  return entries;
}

bool WriteBytes(std::ostream& out, const std::string& file, size_t& size)
{
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size = bytes.size();
  char oct[8];
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 40 == 0) out << (i ? "\"\n  \"" : "  \"");
    std::snprintf(oct, sizeof oct, "\\%03o", static_cast<unsigned char>(bytes[i]));
    out << oct;
  }
  out << (bytes.empty() ? "  \"\"" : "\"") << ";\n";
  return true;
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 4) {
    std::cerr << "usage: EmbedResources script.rc base-folder output.cpp\n";
    return 2;
  }
  const std::vector<Entry> entries = ReadScript(argv[1]);
  std::ostringstream out;
  out << "// Generated from " << argv[1] << "; do not edit.\n#include \"draw/EmbeddedResource.h\"\n\n";
  std::vector<size_t> sizes(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    out << "static const unsigned char res" << i << "[] =\n";
    if (!WriteBytes(out, std::string(argv[2]) + "/" + entries[i].path, sizes[i])) {
      std::cerr << "EmbedResources: cannot read " << entries[i].path << "\n";
      return 1;
    }
  }
  out << "\nconst EmbeddedResource kEmbeddedResources[] = {\n";
  for (size_t i = 0; i < entries.size(); ++i)
    out << "  {" << entries[i].id << ", \"" << entries[i].path << "\", res" << i << ", " << sizes[i]
        << "},\n";
  out << "  {0, nullptr, nullptr, 0}};\nconst size_t kEmbeddedResourceCount = " << entries.size() << ";\n";
  std::ofstream(argv[3], std::ios::binary) << out.str();
  return 0;
}
