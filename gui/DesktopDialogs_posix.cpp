// zenity and kdialog differ in how they take their arguments and print their answers; both
// exit with 0 when the user confirmed and print the answer on one line.
#include "gui/DesktopDialogs.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

std::string FirstLine(const std::string& text)
{
  const size_t end = text.find('\n');
  return end == std::string::npos ? text : text.substr(0, end);
}

bool FileExists(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool HasExtension(const std::string& path)
{
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

std::string FirstExtension(const std::string& extensions)
{
  const size_t start = extensions.find_first_not_of(' ');
  if (start == std::string::npos) return "";
  return extensions.substr(start, extensions.find(' ', start) - start);
}

int HexByte(const std::string& s, size_t at)
{
  return static_cast<int>(std::strtol(s.substr(at, 2).c_str(), nullptr, 16));
}

// "rgb(r,g,b)", "rgba(r,g,b,a)", "#rrggbb" or the older "#rrrrggggbbbb".
bool ParseColour(const std::string& s, int& r, int& g, int& b)
{
  int cr, cg, cb;
  if (std::sscanf(s.c_str(), "rgb(%d,%d,%d)", &cr, &cg, &cb) == 3 ||
      std::sscanf(s.c_str(), "rgba(%d,%d,%d", &cr, &cg, &cb) == 3) {
    r = cr, g = cg, b = cb;
    return true;
  }
  if (s.size() == 7 && s[0] == '#') {
    r = HexByte(s, 1), g = HexByte(s, 3), b = HexByte(s, 5);
    return true;
  }
  if (s.size() == 13 && s[0] == '#') {
    r = HexByte(s, 1), g = HexByte(s, 5), b = HexByte(s, 9);
    return true;
  }
  return false;
}

}  // namespace

std::string DesktopDialogs::ExtensionPatterns(const std::string& extensions, const char* separator)
{
  std::string out;
  size_t pos = 0;
  while ((pos = extensions.find_first_not_of(' ', pos)) != std::string::npos) {
    const size_t end = extensions.find(' ', pos);
    if (!out.empty()) out += separator;
    out += "*." + extensions.substr(pos, end - pos);
    pos = end;
  }
  return out;
}

DesktopDialogs::Program DesktopDialogs::Installed()
{
  if (ChildProcess::IsInstalled("zenity")) return kZenity;
  if (ChildProcess::IsInstalled("kdialog")) return kKdialog;
  return kNoProgram;
}

bool DesktopDialogs::Answer(const std::vector<std::string>& argv, std::string& line)
{
  const ChildProcess::Result r = ChildProcess::Run(argv, whileOpen);
  if (!r.started || r.exitCode != 0) return false;
  line = FirstLine(r.output);
  return true;
}

bool DesktopDialogs::ChooseFile(bool save, const std::string& startPath, const std::string& extensions,
                                std::string& chosen)
{
  const Program program = Installed();
  std::vector<std::string> argv;
  if (program == kZenity) {
    argv = {"zenity", "--file-selection", save ? "--title=Save As" : "--title=Open",
            "--filename=" + startPath};
    if (!extensions.empty())
      argv.push_back("--file-filter=" + ExtensionPatterns(extensions, ";") + " | " +
                     ExtensionPatterns(extensions, " "));
    if (save) argv.insert(argv.end(), {"--save", "--confirm-overwrite"});
  } else if (program == kKdialog) {
    // kdialog's save dialog asks before overwriting on its own.
    argv = {"kdialog",
            save ? "--getsavefilename" : "--getopenfilename",
            startPath.empty() ? "." : startPath,
            ExtensionPatterns(extensions, " ") + "|" + ExtensionPatterns(extensions, ";"),
            "--title",
            save ? "Save As" : "Open"};
  } else {
    return false;
  }
  std::string path;
  if (!Answer(argv, path) || path.empty()) return false;
  if (save && !HasExtension(path) && !FirstExtension(extensions).empty()) {
    path += "." + FirstExtension(extensions);
    // The dialog confirmed the name as typed, not the one with the extension added.
    if (FileExists(path) && !ConfirmOverwrite(program, path)) return false;
  }
  chosen = path;
  return true;
}

bool DesktopDialogs::ConfirmOverwrite(Program program, const std::string& path)
{
  const std::string text = path + " already exists.\nDo you want to replace it?";
  std::string ignored;
  if (program == kZenity)
    return Answer({"zenity", "--question", "--title=Confirm Save As", "--text=" + text}, ignored);
  return Answer({"kdialog", "--warningyesno", text, "--title", "Confirm Save As"}, ignored);
}

int DesktopDialogs::MessageBox(const char* text, const char* caption, int type)
{
  const Program program = Installed();
  if (program == kNoProgram) return kAnswerNone;
  const std::string t = text ? text : "", c = caption ? caption : "";
  const bool asks = type == kOkCancel || type == kYesNo || type == kYesNoCancel;
  std::vector<std::string> argv;
  if (program == kZenity) {
    argv = {"zenity", asks ? "--question" : "--info", "--title=" + c, "--text=" + t};
    if (type == kOkCancel) argv.insert(argv.end(), {"--ok-label=OK", "--cancel-label=Cancel"});
    if (type == kYesNo || type == kYesNoCancel)
      argv.insert(argv.end(), {"--ok-label=Yes", "--cancel-label=No"});
    if (type == kYesNoCancel) argv.push_back("--extra-button=Cancel");
  } else {
    argv = {"kdialog", type == kYesNoCancel ? "--yesnocancel" : (asks ? "--yesno" : "--msgbox"), t, "--title",
            c};
    if (type == kOkCancel) argv.insert(argv.end(), {"--yes-label", "OK", "--no-label", "Cancel"});
  }
  const ChildProcess::Result r = ChildProcess::Run(argv, whileOpen);
  if (!r.started || r.exitCode < 0) return kAnswerNone;
  const bool confirmed = r.exitCode == 0;
  switch (type) {
    case kOkCancel: return confirmed ? kAnswerOk : kAnswerCancel;
    case kYesNo: return confirmed ? kAnswerYes : kAnswerNo;
    case kYesNoCancel:
      // zenity's extra button prints its label; kdialog answers cancel with 2; closing the
      // window is a cancel too.
      if (confirmed) return kAnswerYes;
      if (FirstLine(r.output) == "Cancel" || r.exitCode == 2 || r.exitCode == 5) return kAnswerCancel;
      return kAnswerNo;
    default: return kAnswerOk;
  }
}

bool DesktopDialogs::ChooseColour(int& r, int& g, int& b, const char* title)
{
  const Program program = Installed();
  char current[32];
  std::string answer;
  bool ok = false;
  if (program == kZenity) {
    std::snprintf(current, sizeof current, "rgb(%d,%d,%d)", r, g, b);
    ok = Answer({"zenity", "--color-selection", "--show-palette",
                 "--title=" + std::string(title ? title : ""), std::string("--color=") + current},
                answer);
  } else if (program == kKdialog) {
    std::snprintf(current, sizeof current, "#%02x%02x%02x", r & 0xFF, g & 0xFF, b & 0xFF);
    ok = Answer({"kdialog", "--getcolor", "--default", current, "--title", title ? title : ""}, answer);
  }
  return ok && ParseColour(answer, r, g, b);
}

int DesktopDialogs::ChooseItem(const std::vector<std::string>& labels, const char* title)
{
  const Program program = Installed();
  if (program == kNoProgram || labels.empty()) return -1;
  const std::string t = title ? title : "";
  std::vector<std::string> argv;
  if (program == kZenity)
    argv = {"zenity",      "--list",        "--title=" + t,    "--hide-header",
            "--column=id", "--column=item", "--hide-column=1", "--print-column=1"};
  else
    argv = {"kdialog", "--menu", t};
  for (size_t i = 0; i < labels.size(); ++i) argv.insert(argv.end(), {std::to_string(i), labels[i]});
  std::string answer;
  if (!Answer(argv, answer) || answer.empty()) return -1;
  char* end = nullptr;
  const long i = std::strtol(answer.c_str(), &end, 10);
  return end != answer.c_str() && i >= 0 && i < static_cast<long>(labels.size()) ? static_cast<int>(i) : -1;
}

bool DesktopDialogs::AskText(const char* initial, std::string& text)
{
  const Program program = Installed();
  const std::string init = initial ? initial : "";
  if (program == kZenity)
    return Answer({"zenity", "--entry", "--title=Enter value", "--entry-text=" + init}, text);
  if (program == kKdialog) return Answer({"kdialog", "--inputbox", "Enter value", init}, text);
  return false;
}
