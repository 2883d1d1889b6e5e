#pragma once

#include <memory>
#include <string>

#include "gui/IGraphics.h"

struct HWND__;

// The editor as a Win32 child window of the host's window. Messages become the surface's
// mouse, key, timer and paint calls; the drawing bitmap (a DIB section) is copied to the
// window; menus, text entry and dialogs are the system's own. Windows types stay in the .cpp.
class IGraphicsWin : public IGraphics
{
public:
  // The window class every editor window of this library belongs to.
  static constexpr const char* kWindowClass = "IPlugWndClass";
  static constexpr unsigned kTimerId = 2;
  static constexpr int kEditId = 99;
  enum TextEntryState {
    kEntryNone = 0,
    kEntryEditing = 1,
    kEntryPainted = 2,
    kEntryCancel = 3,
    kEntryCommit = 4
  };

  IGraphicsWin(IPlugBase* plug, int width, int height, int fps);
  ~IGraphicsWin() override;

  void PresentRect(const EditorRect& r) override;
  void CancelTextEntry() override { textEntryState = kEntryCancel; }
  void Resize(int w, int h) override;
  bool WindowIsOpen() override { return editorWindow != nullptr; }
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  IPopupMenu* CreatePopupMenu(IPopupMenu& menu, const EditorRect& r) override;
  void CreateTextEntry(IControl* control, const TextStyle& style, const EditorRect& r,
                       const char* initialText, IPlugParam* param) override;
  void HostPath(std::string& path) override;
  void PluginPath(std::string& path) override;
  void DesktopPath(std::string& path) override;
  void PromptForFile(std::string& file, int action, std::string& directory, const char* extensions) override;
  bool PromptForColour(EditorColour& colour, const char* title) override;
  bool OpenURL(const char* url, const char* confirmText, const char* errorText, const char* caption) override;
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return editorWindow; }
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  void SetWindowShown(bool shown) override;

  // The text box of a running text entry (null when none) and its state.
  void* TextEntryWindow() const { return editWindow; }
  int TextEntryState() const { return textEntryState; }
  // Editor windows of this library open in the process.
  static int OpenWindowCount();

private:
  friend struct IGraphicsWinProc;

  // Closes the text box; with apply, its text first goes to the control or parameter.
  void CloseTextEntry(bool apply);
  void ApplyEnteredText(const char* text);
  HWND__* HostTopWindow();

  void* module;  // HMODULE whose window class and resources these are
  HWND__* editorWindow = nullptr;
  HWND__* editWindow = nullptr;
  IControl* editControl = nullptr;
  IPlugParam* editParam = nullptr;
  intptr_t editPreviousProc = 0;
  int textEntryState = kEntryNone;
  std::unique_ptr<unsigned long[]> customColours;  // 16 COLORREFs for the colour dialog
  unsigned long processId = 0;
  HWND__* hostTopWindow = nullptr;
  HWND__* hostParent = nullptr;
  std::string hostTopClass;
  bool cursorHidden = false;
  int hiddenCursorX = 0;
  int hiddenCursorY = 0;
};
