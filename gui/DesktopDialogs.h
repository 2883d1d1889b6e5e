#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/ChildProcess.h"

// The desktop's own dialogs, run as helper programs: zenity when it is installed, else
// kdialog. Without either every dialog answers as if cancelled. The dialogs are modal: the
// call returns when the user has answered, and the caller's window is kept painted meanwhile.
class DesktopDialogs
{
public:
  // Message box types and answers, numbered as the editor's callers expect them.
  enum { kOk = 0, kOkCancel = 1, kYesNoCancel = 3, kYesNo = 4 };
  enum { kAnswerNone = 0, kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

  explicit DesktopDialogs(std::function<void()> whileOpen = nullptr) : whileOpen(std::move(whileOpen)) {}

  // "kw bgp" becomes "*.kw" and "*.bgp", joined by the separator.
  static std::string ExtensionPatterns(const std::string& extensions, const char* separator);

  // Open or save dialog starting at startPath (a folder ending in '/', or a file). A saved
  // name without an extension gets the first of the list. False when cancelled.
  bool ChooseFile(bool save, const std::string& startPath, const std::string& extensions,
                  std::string& chosen);
  int MessageBox(const char* text, const char* caption, int type);
  bool ChooseColour(int& r, int& g, int& b, const char* title);
  // The index of the chosen label, or -1.
  int ChooseItem(const std::vector<std::string>& labels, const char* title);
  bool AskText(const char* initial, std::string& text);

private:
  enum Program { kNoProgram, kZenity, kKdialog };
  static Program Installed();
  // The first line the program printed, when it exited with 0.
  bool Answer(const std::vector<std::string>& argv, std::string& line);
  bool ConfirmOverwrite(Program program, const std::string& path);

  std::function<void()> whileOpen;
};
