#pragma once

#include <bitset>
#include <chrono>

#include "gui/DesktopDialogs.h"
#include "gui/DoubleClickDetector.h"
#include "gui/IGraphics.h"

// Xlib's own declarations, so that this header does not pull in the X11 headers.
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;
struct _XGC;

// The editor in a Linux host: an X11 child window of the host's window on a display
// connection of its own, driven entirely from the host's idle calls (Idle).
class IGraphicsX11 : public IGraphics
{
public:
  using IGraphics::IGraphics;
  ~IGraphicsX11() override;

  void PresentRect(const EditorRect& r) override;
  void CancelTextEntry() override {}
  // The surface's resize, then the window and the host's two nearest windows by the same
  // difference (never the host's top-level window, which its window manager sizes).
  void Resize(int w, int h) override;
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
  // parent is the host's X11 window id.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override;
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  void Idle() override;
  void SetWindowShown(bool shown) override;

private:
  // While a dialog is open: keep the window painted, ignore its input.
  void KeepPaintedWhileModal();
  void HandlePendingEvents(bool modal);
  void HandleEvent(XEvent& ev, bool modal);
  void HandleButtonPress(XEvent& ev);
  void HandleButtonRelease(XEvent& ev);
  void HandleMotion(XEvent& ev);
  void HandleKey(XEvent& ev);
  void ForwardToHost(XEvent& ev);
  void PaintExposed();
  void RunTimerIfDue();
  void TakeFocus(unsigned long time);
  bool CreateChildWindow(unsigned long parent, int x, int y, int w, int h);
  void ChooseImageFormat();
  void ResizeBy(unsigned long win, int dw, int dh);
  void PutConverted(const EditorRect& r);
  DesktopDialogs Dialogs();

  Display* display = nullptr;
  unsigned long window = 0;
  unsigned long hostTopLevel = 0;
  _XGC* gc = nullptr;
  void* visual = nullptr;  // Visual*, which Xlib declares without a name to forward
  int depth = 0;
  unsigned long arrowCursor = 0;
  unsigned long blankCursor = 0;
  // The drawing bitmap's pixels go to the window as they are: the visual is 8-bit RGB in
  // 32-bit words.
  bool directImage = false;
  int channelShift[3] = {};  // red, green, blue of the converting copy
  int channelBits[3] = {};
  bool tracksMouseLeave = false;
  bool focusTaken = false;
  bool cursorHidden = false;
  int savedCursorX = -1;  // root coordinates, while the cursor is hidden
  int savedCursorY = -1;
  EditorRect exposed;
  DoubleClickDetector doubleClick;
  std::bitset<256> keysTaken;  // key codes whose press the editor handled
  std::chrono::steady_clock::time_point nextTick;
};
