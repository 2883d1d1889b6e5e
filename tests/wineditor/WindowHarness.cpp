#include "tests/wineditor/WindowHarness.h"

#include <string>

namespace {

const char kHostClass[] = "SkarvelTestHostWindow";
std::vector<WPARAM> g_keys;

LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_KEYDOWN) {
    g_keys.push_back(wParam);
    return 0;
  }
  return DefWindowProcA(w, msg, wParam, lParam);
}

struct PendingAnswer
{
  std::string className;
  std::function<void(HWND)> answer;
  UINT_PTR timer = 0;
  int ticks = 0;
  bool answered = false;
};
PendingAnswer g_pending;

BOOL CALLBACK FindShown(HWND w, LPARAM found)
{
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (g_pending.className != name || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

void CALLBACK LookForWindow(HWND, UINT, UINT_PTR, DWORD)
{
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&found));
  if (!found && ++g_pending.ticks < 100) return;
  KillTimer(nullptr, g_pending.timer);
  g_pending.timer = 0;
  if (!found) return;
  g_pending.answered = true;
  g_pending.answer(found);
}

}  // namespace

void AnswerWhenShown(const char* className, std::function<void(HWND)> answer)
{
  g_pending.className = className;
  g_pending.answer = std::move(answer);
  g_pending.ticks = 0;
  g_pending.answered = false;
  g_pending.timer = SetTimer(nullptr, 0, 30, LookForWindow);
}

bool Answered() { return g_pending.answered; }

HostWindow::HostWindow()
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);
  window =
    CreateWindowExA(0, kHostClass, "Skarvel test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                    40, 40, 700, 600, nullptr, nullptr, wc.hInstance, nullptr);
  g_keys.clear();
  Pump(50);
}

HostWindow& HostWindow::Shared()
{
  static HostWindow* shared = new HostWindow;  // the system takes the window down at exit
  return *shared;
}

HWND HostWindow::Editor() const { return FindWindowExA(window, nullptr, "IPlugWndClass", "IPlug"); }

const std::vector<WPARAM>& HostWindow::KeysReceived() const { return g_keys; }

void HostWindow::ClearKeys() { g_keys.clear(); }

void Pump(int ms)
{
  const DWORD end = GetTickCount() + DWORD(ms);
  for (;;) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    const DWORD now = GetTickCount();
    if (int(end - now) <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
  }
}

void PostMouse(HWND editor, UINT msg, int x, int y, WPARAM keys)
{
  PostMessageA(editor, msg, keys, MAKELPARAM(WORD(short(x)), WORD(short(y))));
  Pump(5);
}

void PostClick(HWND editor, int x, int y)
{
  PostMouse(editor, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  PostMouse(editor, WM_LBUTTONUP, x, y, 0);
}

void PostDrag(HWND editor, int x, int y, int dx, int dy, int steps)
{
  PostMouse(editor, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  for (int i = 1; i <= steps; ++i)
    PostMouse(editor, WM_MOUSEMOVE, x + dx * i / steps, y + dy * i / steps, MK_LBUTTON);
  PostMouse(editor, WM_LBUTTONUP, x + dx, y + dy, 0);
}

void PostWheel(HWND editor, int x, int y, int delta)
{
  POINT p = {x, y};
  ClientToScreen(editor, &p);
  PostMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(delta))),
               MAKELPARAM(WORD(short(p.x)), WORD(short(p.y))));
  Pump(5);
}

void PostKey(HWND editor, WPARAM virtualKey)
{
  PostMessageA(editor, WM_KEYDOWN, virtualKey, 1);
  Pump(5);
}

std::unique_ptr<LICE_SysBitmap> Capture(HWND w)
{
  RECT r;
  GetClientRect(w, &r);
  auto bm = std::make_unique<LICE_SysBitmap>(r.right, r.bottom);
  HDC dc = GetDC(w);
  BitBlt(static_cast<HDC>(bm->getDC()), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(w, dc);
  GdiFlush();
  return bm;
}
