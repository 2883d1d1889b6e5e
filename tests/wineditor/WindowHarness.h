#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "draw/LICE_SysBitmap.h"

// A host's side of the editor window under a real window system (Wine on an Xvfb display):
// a captioned top-level window to parent the editor, the message pump a host runs, mouse and
// key messages as the system would deliver them, and a capture of what the window shows.
class HostWindow
{
public:
  // One for the whole run: without a window manager, Wine waits two seconds for every
  // top-level window it hides, so the window is made once and left to the end of the process.
  static HostWindow& Shared();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window; }
  // The editor child window inside it, or null.
  HWND Editor() const;
  // Virtual-key codes that reached this window as WM_KEYDOWN.
  const std::vector<WPARAM>& KeysReceived() const;
  void ClearKeys();

private:
  HostWindow();
  HWND window = nullptr;
};

// Dispatches messages for `ms` milliseconds, as a host's user-interface thread does.
void Pump(int ms);

// Posts a mouse message at editor coordinates (x, y) with the button and key flags in keys.
void PostMouse(HWND editor, UINT msg, int x, int y, WPARAM keys);
// A press and release of the left button.
void PostClick(HWND editor, int x, int y);
// Left press at (x, y), `steps` moves to (x + dx, y + dy), release.
void PostDrag(HWND editor, int x, int y, int dx, int dy, int steps);
// A wheel turn by `delta` (120 per notch) with the cursor at editor coordinates (x, y).
void PostWheel(HWND editor, int x, int y, int delta);
void PostKey(HWND editor, WPARAM virtualKey);

// Calls `answer` with the first visible window of class `className` ("#32768" a menu,
// "#32770" a dialog) this thread shows, from a timer the modal loop keeps dispatching. Returns
// at once; false from Answered() when no such window came up.
void AnswerWhenShown(const char* className, std::function<void(HWND)> answer);
bool Answered();

// What the window shows, read back from its device context.
std::unique_ptr<LICE_SysBitmap> Capture(HWND w);
